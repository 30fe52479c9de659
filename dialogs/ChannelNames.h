#pragma once
// Channel names as the processor keeps them: eight bytes of GBK, zero padded, with no
// terminator when all eight are used. A typed name is cut at eight bytes, never inside a
// two-byte character.

#include <string>
#include <string_view>

#include "model/UnitImage.h"

namespace dsp {

// The eight-byte name of a typed (UTF-8) text.
ChannelNameBytes ChannelNameFromText(std::string_view text);
// The name's bytes up to the first zero, as GBK.
std::string ChannelNameGbk(const ChannelNameBytes& name);
// The same as program text (UTF-8), as a label shows it.
std::string ChannelNameText(const ChannelNameBytes& name);

}  // namespace dsp

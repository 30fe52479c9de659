#include "dialogs/ChannelNames.h"

#include <algorithm>

#include "framework/text/Gbk.h"

namespace dsp {

ChannelNameBytes ChannelNameFromText(std::string_view text) {
    const std::string gbk = Utf8ToGbkField(text, ChannelNameBytes{}.size());
    ChannelNameBytes name{};
    std::copy(gbk.begin(), gbk.end(), name.begin());
    return name;
}

std::string ChannelNameGbk(const ChannelNameBytes& name) {
    const auto end = std::find(name.begin(), name.end(), 0);
    return std::string(name.begin(), end);
}

std::string ChannelNameText(const ChannelNameBytes& name) {
    return GbkToUtf8(ChannelNameGbk(name));
}

}  // namespace dsp

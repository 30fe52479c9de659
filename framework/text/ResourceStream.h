#pragma once
// TResourceStream: a built-in resource (framework/core/Resources.h) read as a stream, for code
// that loads pictures or texts through LoadFromStream.

#include <string>

#include "framework/core/Resources.h"
#include "framework/text/Streams.h"

namespace dsp {

class TResourceStream : public TMemoryStream {
public:
    // EResNotFound when the module has no such resource.
    TResourceStream(HINSTANCE instance, const std::string& name, int type);
    // By number ("#" and the number).
    TResourceStream(HINSTANCE instance, int id, int type);

    // A resource cannot be changed: EStreamError.
    std::int64_t Write(const void* buffer, std::int64_t count) override;
};

}  // namespace dsp

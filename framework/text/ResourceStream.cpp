#include "framework/text/ResourceStream.h"

#include <vector>

namespace dsp {

TResourceStream::TResourceStream(HINSTANCE instance, const std::string& name, int type) {
    const std::vector<std::uint8_t> bytes = LoadResourceBytes(instance, name, type);
    TMemoryStream::Write(bytes.data(), static_cast<std::int64_t>(bytes.size()));
    Seek(0, soBeginning);
}

TResourceStream::TResourceStream(HINSTANCE instance, int id, int type)
    : TResourceStream(instance, ResourceIdName(id), type) {}

std::int64_t TResourceStream::Write(const void*, std::int64_t) {
    throw EStreamError("Cannot write to a read-only resource stream");
}

}  // namespace dsp

// libFuzzer target over the styled pack's readers of untrusted bytes: the picture header
// readers (JPEG, PNG, BMP, TIFF, GIF) and the hexadecimal text of pictures in ini files. The
// first byte picks the reader; the rest is the file or the text.

#include <cstddef>
#include <cstdint>
#include <string>

#include "framework/core/Exceptions.h"
#include "framework/text/Streams.h"
#include "widgets/styled/AdvGDIP.h"
#include "widgets/styled/GDIPFill.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    static const char* const kKinds[] = {".JPG", ".PNG", ".BMP", ".TIFF", ".GIF"};
    const unsigned pick = data[0] % 6;
    dsp::TMemoryStream bytes;
    if (size > 1) bytes.WriteBuffer(data + 1, static_cast<std::int64_t>(size - 1));
    bytes.SetPosition(0);
    if (pick < 5) {
        const dsp::TPictureHeaderSize s = dsp::ReadPictureHeaderSize(kKinds[pick], bytes);
        if (s.width < 0 || s.width > 0xFFFF || s.height < 0 || s.height > 0xFFFF) __builtin_trap();
        return 0;
    }
    const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
    dsp::TMemoryStream out;
    try {
        dsp::HexTextToStream(text, out);
        if (out.Size() != static_cast<std::int64_t>(text.size() / 2)) __builtin_trap();
        if (dsp::StreamToHexText(out).size() != text.size() / 2 * 2) __builtin_trap();
    } catch (const dsp::EConvertError&) {}
    return 0;
}

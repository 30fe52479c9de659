// libFuzzer target over the readers of the plot's files. The first byte picks the reader and,
// for data files, the number of channels; the rest is the file:
//   data file (pairs, shared X or "Compact Interval"), property file header and sections,
//   annotation file header and sections.
// A malformed input must end in an Exception and nothing else: no read outside the bytes, no
// endless loop, no allocation beyond what the file's size can justify (the sanitizers watch).

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "framework/core/Exceptions.h"
#include "framework/text/StringList.h"
#include "plot/engine/iPlotFileFormat.h"

namespace dsp {
namespace {

void Check(bool condition) {
    if (!condition) std::abort();
}

void ReadData(std::string_view bytes, int channelCount) {
    const auto points = plotfile::ParseDataFile(bytes, channelCount);
    // Every point costs the file at least a byte of its own.
    Check(points.size() <= bytes.size());
    for (const plotfile::TiLoadedPoint& p : points) {
        Check(p.channel >= 0 && p.channel < channelCount);
        Check(!(p.null && p.empty));
    }
}

void ReadProperties(std::string_view bytes) {
    TStringList lines;
    lines.SetText(bytes);
    const plotfile::TiPropertyFileHeader header = plotfile::ReadPropertyFileHeader(lines);
    Check(static_cast<int>(header.counts.size()) == plotfile::kPropertySectionCount);
    for (int count : header.counts) Check(count >= 0 && count <= plotfile::kMaxObjectCount);
}

void ReadAnnotations(std::string_view bytes) {
    TStringList lines;
    lines.SetText(bytes);
    const int count = plotfile::ReadAnnotationFileHeader(lines);
    Check(count >= 0 && count <= plotfile::kMaxObjectCount);
}

}  // namespace
}  // namespace dsp

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::string_view bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
    try {
        switch (data[0] % 3) {
            case 0: dsp::ReadData(bytes, 1 + data[0] / 3 % 8); break;
            case 1: dsp::ReadProperties(bytes); break;
            default: dsp::ReadAnnotations(bytes); break;
        }
    } catch (const dsp::Exception&) {
        // A refusal is the expected end of a damaged file.
    }
    return 0;
}

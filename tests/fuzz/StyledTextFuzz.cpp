// libFuzzer target over the styled pack's text readers: the mini-HTML layout in its measuring
// pass (and its drawing pass on a surface that only counts), and the rich-text reader. The first
// byte picks the reader and, for the mini-HTML, its options and the rectangle's width; the rest
// is the text.

#include <cstddef>
#include <cstdint>
#include <string>

#include "widgets/styled/MiniHtml.h"
#include "widgets/styled/RtfReader.h"

namespace {

// Text one pixel per byte wide and as high as its size; drawing only counts.
class TCountingSurface : public dsp::IMiniHtmlSurface {
public:
    int TextHeight(const std::string&, const dsp::TMiniHtmlFont& font) override {
        return font.size;
    }
    int RunWidth(const std::string& text, const dsp::TMiniHtmlFont&) override {
        return static_cast<int>(text.size());
    }
    void DrawRun(const std::string&, const dsp::TMiniHtmlFont&, int, int, dsp::TColor) override {
        ++draws;
    }
    void FillRect(const dsp::TRect&, dsp::TColor) override { ++draws; }
    void FillEllipse(const dsp::TRect&, dsp::TColor) override { ++draws; }
    void DrawLine(int, int, int, int, dsp::TColor) override { ++draws; }
    dsp::TSize ImageSize(int index) override {
        return index >= 0 && index < 3 ? dsp::TSize{16, 16} : dsp::TSize{};
    }
    void DrawImage(int, int, int) override { ++draws; }
    dsp::TSize PictureSize(const std::string& name) override {
        return name.empty() ? dsp::TSize{} : dsp::TSize{static_cast<int>(name.size()) * 7, 9};
    }
    void DrawPicture(const std::string&, int, int, int, int) override { ++draws; }
    long draws = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const unsigned pick = data[0];
    const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
    if ((pick & 1) != 0) {
        const dsp::TRtfDocument document = dsp::ReadRtf(text);
        const std::string plain = document.PlainText();
        for (const dsp::TRtfParagraph& p : document.paragraphs) {
            for (const dsp::TRtfRun& run : p.runs) {
                if (run.format.halfPoints < 2 || run.format.halfPoints > 2000) __builtin_trap();
            }
        }
        return 0;
    }
    TCountingSurface surface;
    dsp::TMiniHtmlOptions options;
    options.WordWrap = (pick & 2) != 0;
    options.MeasureOnly = (pick & 4) != 0;
    options.HitTestOnly = (pick & 8) != 0;
    options.LineSpacing = (pick >> 4) & 3;
    options.PointX = 20;
    options.PointY = 5;
    const int width = 1 + static_cast<int>((pick >> 6) * 60);
    dsp::TMiniHtmlResult result;
    dsp::RenderMiniHtmlOn(surface, dsp::TMiniHtmlFont{}, text,
                          dsp::Rect(0, 0, width, options.MeasureOnly ? 100 : 100000), options,
                          result);
    if (result.SizeY < 2 || result.SizeX < 0) __builtin_trap();
    return 0;
}

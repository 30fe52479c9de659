#pragma once
// The program's splash screen as its main window sets it up, and a page of rich text, for the
// tests and the sample render.

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "framework/graphics/Geometry.h"
#include "widgets/styled/AdvSmoothSplashScreen.h"

namespace dsp::test {

// A 620 x 350 PNG picture for tests: one dark colour (0x142850), opaque but for its first
// column (alpha 100) and second column (alpha 200).
std::vector<std::uint8_t> TestSplashPicture();
// The program's splash picture: the resource "SPLASH" the artwork generator drew.
std::vector<std::uint8_t> ProgramSplashPicture();

// The settings of the program's splash: the picture with alpha at the bottom centre at opacity
// 249, the name "WQJ DSP Processor Editor" and the version "Ver 1.0" in white Tahoma, the list
// line "Loading Program...." in white 20-point text, no fades, the progress bar hidden.
void ConfigureProgramSplash(TAdvSmoothSplashScreen& splash,
                            const std::vector<std::uint8_t>& picture);

// The bounding box of the pixels inside area that are near white (each channel above 200);
// an empty rectangle when there are none. pixel(x, y) gives an ARGB value.
template <typename PixelFn>
TRect WhiteBox(const TRect& area, PixelFn pixel) {
    TRect box{area.Right, area.Bottom, area.Left, area.Top};
    bool any = false;
    for (int y = area.Top; y < area.Bottom; ++y) {
        for (int x = area.Left; x < area.Right; ++x) {
            const std::uint32_t c = pixel(x, y);
            if (((c >> 16) & 0xFF) > 200 && ((c >> 8) & 0xFF) > 200 && (c & 0xFF) > 200 &&
                (c >> 24) > 200) {
                any = true;
                box.Left = std::min(box.Left, x);
                box.Top = std::min(box.Top, y);
                box.Right = std::max(box.Right, x + 1);
                box.Bottom = std::max(box.Bottom, y + 1);
            }
        }
    }
    return any ? box : TRect{};
}

}  // namespace dsp::test

namespace dsp::test {

// A page of the RS232 code document in rich text: a title, paragraphs in several fonts, sizes
// and colours, a tabbed table of a command frame and a line in Chinese.
std::string SampleRtfPage();

}  // namespace dsp::test

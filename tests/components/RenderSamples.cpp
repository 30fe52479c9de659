// Renders a sample channel strip to a PNG for people to look at (not a test):
//   components_render_samples <folder>   writes <folder>/channel_strip.png (a channel view with
//                                        three bands, the selected band's captions and fill,
//                                        the overview beside it) and
//                                        <folder>/response_view_zoom.png (a part of it, 3x)

#include <cstdlib>
#include <iostream>
#include <memory>
#include <string>

#include "framework/controls/Form.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/PngImage.h"
#include "framework/runtime/Application.h"
#include "tests/components/ComponentSamples.h"

namespace dsp {
namespace {

void SavePng(TBitmap& bitmap, const std::string& file) {
    TPngImage png;
    png.Assign(&bitmap);
    png.SaveToFile(file);
    std::cout << file << "\n";
}

void RenderStrip(const std::string& folder) {
    TForm form(nullptr);
    form.AfterConstruction();
    form.SetClientWidth(1070 + 530 + 30);
    form.SetClientHeight(255 + 20);
    form.SetColor(0x303030);
    LMyFFTDrawPhase* channel = test::MakeMainWindowView(&form, 10, 10, 1070);
    LMyFFTDrawPhase* overview = test::MakeMainWindowView(&form, 1090, 10, 530);
    Plot plot(channel);
    test::DrawSampleChannel(plot, true);
    channel->SetParameterDisplay(true);
    Plot overviewPlot(overview);
    test::DrawSampleChannel(overviewPlot, false);
    form.Show();
    std::unique_ptr<TBitmap> image = form.RenderToImage();
    SavePng(*image, folder + "/channel_strip.png");

    // The selected band's neighbourhood, three times larger.
    const TRect part = Rect(400, 10, 800, 200);
    TBitmap zoom(part.Width() * 3, part.Height() * 3);
    zoom.Canvas()->CopyRect(Rect(0, 0, zoom.Width(), zoom.Height()), image->Canvas(), part);
    SavePng(zoom, folder + "/response_view_zoom.png");
}

}  // namespace
}  // namespace dsp

int main(int argc, char** argv) {
    if (argc < 2) {
        std::cerr << "usage: components_render_samples <folder>\n";
        return 2;
    }
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    setenv("QT_FONT_DPI", "96", 0);
    dsp::TApplication application;
    application.Initialize();
    dsp::RenderStrip(argv[1]);
    return 0;
}

// Renders a sample channel strip to a PNG for people to look at (not a test):
//   components_render_samples <folder>   writes <folder>/channel_strip.png (a channel view with
//                                        three bands, the selected band's captions and fill,
//                                        the overview beside it, faders with value boxes and
//                                        the band table), <folder>/faders_zoom.png (faders and
//                                        table, 2x) and
//                                        <folder>/response_view_zoom.png (a part of it, 3x)

#include <cstdlib>
#include <iostream>
#include <memory>
#include <string>

#include "components/MyPEQAllpass.h"
#include "framework/controls/Form.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/PngImage.h"
#include "framework/runtime/Application.h"
#include "tests/components/ComponentSamples.h"
#include "widgets/styled/AdvTrackBar.h"
#include "widgets/styled/CurvyControls.h"

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
    form.SetClientHeight(255 + 20 + 280);
    // The channel's band table beside the faders, the third band current.
    auto* table = new TMyPEQAllpass(&form);
    table->SetParent(&form);
    table->SetBounds(500, 275, 536, 270);
    table->SetChannelNumber(9);
    table->SetEditBackColor(clWhite);
    table->SetBypassBackColor(clSilver);
    table->SetLabelColor(clBackground);
    table->OnChange = [table](TObject*) { table->SetNowIndex(table->GetNowIndex()); };
    const double bands[9][4] = {{100, 30, 6.0, 0},   {1000, 40, -4.0, 0}, {8000, 10, 3.0, 2},
                                {50, 20, 0.0, 1},    {250, 20, -1.5, 0},  {2500, 60, 2.0, 0},
                                {16000, 20, 0.0, 4}, {30, 20, 0.0, 3},    {5000, 50, -6.5, 0}};
    for (int b = 0; b < 9; ++b)
        table->SetEqParamValue(b, bands[b][0], bands[b][1], bands[b][2],
                               static_cast<int>(bands[b][3]), b == 7);
    table->SetNowIndex(2);
    form.SetColor(0x303030);
    LMyFFTDrawPhase* channel = test::MakeMainWindowView(&form, 10, 10, 1070);
    LMyFFTDrawPhase* overview = test::MakeMainWindowView(&form, 1090, 10, 530);
    Plot plot(channel);
    test::DrawSampleChannel(plot, true);
    channel->SetParameterDisplay(true);
    Plot overviewPlot(overview);
    test::DrawSampleChannel(overviewPlot, false);
    // A row of faders with their value boxes under the views.
    const char* values[] = {"+6.0dB", "-4.0dB", "+3.0dB", "0.0dB", "-12.5dB", "+0.0dB"};
    const int positions[] = {60, -40, 30, 0, -125, 0};
    for (int i = 0; i < 6; ++i) {
        TAdvTrackBar* fader = test::MakeMainWindowFader(&form, 30 + i * 80, 285);
        fader->SetPosition(positions[i]);
        test::MakeValueBox(&form, 14 + i * 80, 418, values[i]);
    }
    form.Show();
    std::unique_ptr<TBitmap> image = form.RenderToImage();

    // The selected band's neighbourhood, three times larger.
    const TRect part = Rect(400, 10, 800, 200);
    SavePng(*image, folder + "/channel_strip.png");
    const TRect faders = Rect(0, 275, 1040, 550);
    TBitmap faderZoom(faders.Width() * 2, faders.Height() * 2);
    faderZoom.Canvas()->CopyRect(Rect(0, 0, faderZoom.Width(), faderZoom.Height()), image->Canvas(),
                                 faders);
    SavePng(faderZoom, folder + "/faders_zoom.png");
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

// Renders a sample channel strip to a PNG for people to look at (not a test):
//   components_render_samples <folder>   writes <folder>/channel_strip.png (a channel view with
//                                        three bands, the selected band's captions and fill,
//                                        the overview beside it, faders with value boxes and
//                                        level meters, the band table), <folder>/faders_zoom.png
//                                        (faders, meters and table, 2x) and
//                                        <folder>/response_view_zoom.png (a part of it, 3x)

#include <cstdlib>
#include <iostream>
#include <memory>
#include <string>

#include "components/LProgressBar.h"
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
    form.SetColor(0x303030);
    // The channel view with its three bands, the second one selected, and the overview.
    LMyFFTDrawPhase* channel = test::MakeMainWindowView(&form, 10, 10, 1070);
    LMyFFTDrawPhase* overview = test::MakeMainWindowView(&form, 1090, 10, 530);
    Plot plot(channel);
    test::DrawSampleChannel(plot, true);
    channel->SetParameterDisplay(true);
    Plot overviewPlot(overview);
    test::DrawSampleChannel(overviewPlot, false);

    // The channel's band table: the view's three bands first, the selected one current, then
    // six more bands, one of them bypassed.
    auto* table = new TMyPEQAllpass(&form);
    table->SetParent(&form);
    table->SetBounds(560, 275, 536, 270);
    table->SetChannelNumber(9);
    table->SetEditBackColor(clWhite);
    table->SetBypassBackColor(clSilver);
    table->SetLabelColor(clBackground);
    table->OnChange = [table](TObject*) { table->SetNowIndex(table->GetNowIndex()); };
    for (int b = 0; b < 3; ++b) {
        const test::TSampleBand& band = test::kSampleBands[b];
        table->SetEqParamValue(b, band.hz, band.qPosition, band.gainDb, band.peqType, false);
    }
    const double more[6][4] = {{50, 20, 0.0, 1},    {250, 20, -1.5, 0}, {2500, 60, 2.0, 0},
                               {16000, 20, 0.0, 4}, {30, 20, 0.0, 3},   {5000, 50, -6.5, 0}};
    for (int b = 3; b < 9; ++b) {
        const double* band = more[b - 3];
        table->SetEqParamValue(b, band[0], band[1], band[2], static_cast<int>(band[3]), b == 7);
    }

    // Gain faders with their value boxes and level meters: three inputs (nine segments up to
    // 9), three outputs (eight segments up to 8, a limit lamp above, the second one on).
    const char* values[] = {"+6.0dB", "-4.0dB", "+3.0dB", "0.0dB", "-12.5dB", "+0.0dB"};
    const int positions[] = {60, -40, 30, 0, -125, 0};
    const int levels[] = {7, 4, 9, 5, 8, 2};
    for (int i = 0; i < 6; ++i) {
        const int left = 20 + i * 88;
        TAdvTrackBar* fader = test::MakeMainWindowFader(&form, left, 285);
        fader->SetPosition(positions[i]);
        test::MakeValueBox(&form, left - 4, 418, values[i]);
        const bool input = i < 3;
        auto* meter = new LProgressBar(&form);
        meter->SetParent(&form);
        meter->SetBounds(left + 34, input ? 287 : 299, 14, input ? 122 : 110);
        meter->SetSecondNum(input ? 2 : 3);
        meter->SetThirdNum(input ? 6 : 4);
        meter->SetMax(input ? 9 : 8);
        meter->SetPosition(levels[i]);
        if (input) continue;
        auto* lamp = new LProgressBar(&form);
        lamp->SetParent(&form);
        lamp->SetBounds(left + 34, 285, 14, 11);
        lamp->SetFirstNum(0);
        lamp->SetThirdNum(0);
        lamp->SetSecondColor(static_cast<TColor>(RGB(155, 78, 0)));
        lamp->SetLSecondColor(static_cast<TColor>(RGB(255, 151, 70)));
        lamp->SetMax(1);
        lamp->SetPosition(i == 4 ? 1 : 0);
    }
    form.Show();
    // No box has the focus, as when the pointer last worked on a view; leaving the box that had
    // it made its row current, so the selected band is made current after that.
    form.SetActiveControl(nullptr);
    table->SetNowIndex(test::kSampleSelectedBand);
    std::unique_ptr<TBitmap> image = form.RenderToImage();

    // The selected band's neighbourhood, three times larger.
    const TRect part = Rect(400, 10, 800, 200);
    SavePng(*image, folder + "/channel_strip.png");
    const TRect faders = Rect(0, 275, 1100, 550);
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

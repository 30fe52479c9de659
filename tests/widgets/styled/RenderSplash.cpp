// Renders the program's splash screen and a sample rich-text page to PNG files for people to
// look at (not a test):
//   styled_render_splash <folder>   writes <folder>/splash.png (the picture the splash window is
//                                   handed, with its alpha), <folder>/splash_on_desktop.png (the
//                                   same over a desktop-like background) and
//                                   <folder>/richtext_page.png

#include <cstdlib>
#include <iostream>
#include <memory>
#include <string>

#include "framework/controls/Form.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/PngImage.h"
#include "framework/runtime/Application.h"
#include "framework/text/WholeFile.h"
#include "tests/widgets/styled/SplashSamples.h"
#include "widgets/styled/AdvGDIP.h"
#include "widgets/styled/AdvSmoothSplashScreen.h"
#include "widgets/styled/RTFLabel.h"

namespace dsp {
namespace {

void SavePng(TGPBitmap& bitmap, const std::string& file) {
    IStream stream;
    bitmap.Save(&stream, EncoderPng);
    std::string error;
    if (!WriteWholeFile(file, stream.data, &error)) {
        std::cerr << error << "\n";
        return;
    }
    std::cout << file << "\n";
}

void RenderSplash(const std::string& folder) {
    TForm main(nullptr);
    main.AfterConstruction();
    auto* splash = new TAdvSmoothSplashScreen(&main);
    test::ConfigureProgramSplash(*splash, test::ProgramSplashPicture());
    splash->Show();
    TSplashScreenWindow* window = splash->SplashWindow();
    TGPBitmap& buffer = *window->MainBuffer();
    SavePng(buffer, folder + "/splash.png");

    // Over a desktop: a blue-grey gradient with a few window-like shapes behind the splash.
    const INT w = static_cast<INT>(buffer.GetWidth()) + 80;
    const INT h = static_cast<INT>(buffer.GetHeight()) + 80;
    TGPBitmap desktop(w, h, PixelFormat32bppARGB);
    {
        TGPGraphics g(&desktop);
        TGPLinearGradientBrush back(MakeGPRectF(0, 0, static_cast<REAL>(w), static_cast<REAL>(h)),
                                    0xFF3A5F7F, 0xFF9DB4C8, LinearGradientModeForwardDiagonal);
        g.FillRectangle(&back, 0.0f, 0.0f, static_cast<REAL>(w), static_cast<REAL>(h));
        TGPSolidBrush pane(0xFFE8E8E8);
        g.FillRectangle(&pane, 10.0f, 20.0f, 300.0f, 200.0f);
        g.FillRectangle(&pane, 420.0f, 300.0f, 260.0f, 150.0f);
        g.DrawImage(&buffer, 40, 40);
    }
    SavePng(desktop, folder + "/splash_on_desktop.png");
    splash->Hide();
}

// A page of the RS232 code document as its dialog shows it: a transparent rich-text label
// 630 pixels wide on a white form.
void RenderRichTextPage(const std::string& folder) {
    TForm form(nullptr);
    form.SetBorderStyle(bsNone);
    form.SetClientSize(660, 460);
    form.SetColor(clWindow);
    form.AfterConstruction();
    auto* label = new TRTFLabel(&form);
    label->SetParent(&form);
    label->SetBounds(15, 10, 630, 440);
    label->SetTransparent(true);
    label->SetRichText(test::SampleRtfPage());
    const std::unique_ptr<TBitmap> page = form.RenderToImage();
    TPngImage png;
    png.Assign(page.get());
    const std::string file = folder + "/richtext_page.png";
    png.SaveToFile(file);
    std::cout << file << "\n";
}

}  // namespace
}  // namespace dsp

int main(int argc, char** argv) {
    if (argc < 2) {
        std::cerr << "usage: styled_render_splash <folder>\n";
        return 2;
    }
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    setenv("QT_FONT_DPI", "96", 0);
    dsp::TApplication application;
    application.Initialize();
    const std::string folder = argv[1];
    dsp::RenderSplash(folder);
    dsp::RenderRichTextPage(folder);
    return 0;
}

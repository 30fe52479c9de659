#include "tests/widgets/styled/SplashSamples.h"

#include "tests/widgets/styled/StyledTestSupport.h"

namespace dsp::test {

std::vector<std::uint8_t> TestSplashPicture() {
    TGPBitmap bitmap(620, 350, PixelFormat32bppARGB);
    {
        TGPGraphics g(&bitmap);
        g.Clear(0xFF142850);
    }
    for (int y = 0; y < 350; ++y) {
        bitmap.SetPixel(0, y, 0x64142850);
        bitmap.SetPixel(1, y, 0xC8142850);
    }
    IStream file;
    bitmap.Save(&file, EncoderPng);
    return file.data;
}

std::vector<std::uint8_t> ProgramSplashPicture() { return TestSplashPicture(); }

void ConfigureProgramSplash(TAdvSmoothSplashScreen& splash,
                            const std::vector<std::uint8_t>& picture) {
    TBasicProgramInfo& info = *splash.BasicProgramInfo();
    TSplashHeadingText& name = *info.ProgramName();
    name.SetText("WQJ DSP Processor Editor");
    // Stored as Tahoma; the desktop's stand-in for Tahoma (DejaVu Sans) is wider than Tahoma,
    // and its bold name would run into the version beside it. Arial's stand-in keeps Tahoma's
    // width.
    name.Font()->SetName("Arial");
    name.Font()->SetHeight(-29);
    name.Font()->SetStyle({fsBold});
    name.Font()->SetColor(clWhite);
    name.SetPosX(85);
    name.SetPosY(130);
    name.SetHatchStyle(HatchStyleDivot);
    name.SetColorStart(clWhite);
    name.SetColorEnd(clWhite);
    name.SetLocation(ilCustom);
    TSplashHeadingText& version = *info.ProgramVersion();
    version.SetText("Ver 1.0");
    version.Font()->SetName("Tahoma");
    version.Font()->SetHeight(-19);
    version.Font()->SetStyle({});
    version.SetPosX(480);
    version.SetPosY(140);
    version.SetHatchStyle(HatchStyleDivot);
    version.SetColorStart(clWhite);
    version.SetColorEnd(clWhite);
    version.SetLocation(ilCustom);

    TGDIPFill& fill = *splash.Fill();
    LoadPicture(*fill.Picture(), picture);
    fill.SetPicturePosition(ppBottomCenter);
    fill.SetOpacity(249);
    fill.SetColor(clNone);
    fill.SetColorTo(clNone);
    fill.SetBorderColor(clNone);
    fill.SetRounding(0);
    fill.SetShadowOffset(0);
    fill.SetGlow(gmNone);

    splash.SetTimeOut(100);
    TGDIPSplashProgress& bar = *splash.ProgressBar();
    bar.SetLeft(160);
    bar.SetTop(220);
    bar.SetHeight(12);
    bar.SetStep(10);
    bar.SetMaximum(100);
    bar.SetValueFormat("%.0f%%");

    splash.ListItems()->Add()->SetHTMLText(
        "<FONT size=\"20\" color=\"clWhite\">Loading Program....</FONT><br>");
    TSplashListItemsSettings& list = *splash.ListItemsSettings();
    list.Rect()->SetLeft(180);
    list.Rect()->SetTop(210);
    list.Rect()->SetWidth(500);
    list.Rect()->SetHeight(250);
    list.HTMLFont()->SetName("Tahoma");
    list.HTMLFont()->SetHeight(-11);
    splash.SetDisplayStyle(dsNormal);
}

}  // namespace dsp::test

#include "tests/widgets/styled/SplashSamples.h"

#include "framework/core/Resources.h"
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

std::vector<std::uint8_t> ProgramSplashPicture() {
    return LoadResourceBytes(HInstance, "SPLASH", RT_RCDATA);
}

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

std::string SampleRtfPage() {
    return "{\\rtf1\\ansi\\ansicpg1252\\deff0"
           "{\\fonttbl{\\f0\\fswiss\\fcharset0 Arial;}{\\f1\\fmodern\\fcharset0 Courier New;}"
           "{\\f2\\fnil\\fcharset134 \\'cb\\'ce\\'cc\\'e5;}}"
           "{\\colortbl ;\\red0\\green51\\blue153;\\red192\\green0\\blue0;\\red0\\green128\\blue0;}"
           "\\pard\\qc\\sa120\\b\\fs32\\cf1 RS232 Code Document\\par"
           "\\pard\\sa60\\b0\\fs18\\cf0 The editor talks to the processor at 38400 baud, 8 data "
           "bits, "
           "no parity, one stop bit. Every command and every reply travels in one frame; the "
           "processor answers each frame before the next one is sent.\\par"
           "\\pard\\sb120\\sa60\\b\\fs22\\cf1 Frame layout\\b0\\par"
           "\\pard\\li360\\tx1300\\tx2800\\fs18\\cf0\\b Byte\\tab Name\\tab Meaning\\b0\\par"
           "\\pard\\li360\\tx1300\\tx2800\\f1 0-1\\f0\\tab DLE STX\\tab start of the frame (10 "
           "02)\\par"
           "\\pard\\li360\\tx1300\\tx2800\\f1 2\\f0\\tab Sender\\tab 0 for the editor\\par"
           "\\pard\\li360\\tx1300\\tx2800\\f1 3\\f0\\tab Receiver\\tab the device ID (1 to "
           "255)\\par"
           "\\pard\\li360\\tx1300\\tx2800\\f1 4\\f0\\tab Length\\tab bytes of the payload\\par"
           "\\pard\\li360\\tx1300\\tx2800\\f1 5\\f0\\tab Command\\tab the command code, for "
           "example \\i 18\\i0  "
           "(keep alive)\\par"
           "\\pard\\li360\\tx1300\\tx2800\\sa60\\f1 n\\f0\\tab DLE ETX\\tab end of the frame, then "
           "the "
           "\\ul XOR check byte\\ulnone\\par"
           "\\pard\\sb120\\fs18\\cf2\\b Note:\\b0\\cf0  a data byte equal to DLE (10) is sent "
           "twice, so that a frame never ends early.\\par"
           "\\pard\\sb120\\f2\\fs21\\cf3 "
           "\\'b4\\'ae\\'bf\\'da\\'cd\\'a8\\'d1\\'b6\\'d0\\'ad\\'d2\\'e9\\'a3\\'ba\\'c3\\'bf\\'"
           "d6\\'a1\\'d2\\'d4\\'20\\'44\\'4c\\'45\\'20\\'53\\'54\\'58\\'20\\'bf\\'aa\\'ca\\'bc\\'"
           "a3\\'ac\\'d2\\'d4\\'20\\'44\\'4c\\'45\\'20\\'45\\'54\\'58\\'20\\'ba\\'cd\\'d2\\'ec\\'"
           "bb\\'f2\\'d0\\'a3\\'d1\\'e9\\'d7\\'d6\\'bd\\'da\\'bd\\'e1\\'ca\\'f8\\'a1\\'a3\\par"
           "\\pard\\sb120\\qr\\f0\\fs16\\i\\cf1 WQJ DSP Processor Editor\\par}";
}

}  // namespace dsp::test

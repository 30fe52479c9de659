#include <gtest/gtest.h>

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Colors.h"
#include "framework/graphics/Font.h"
#include "framework/graphics/Pen.h"

namespace dsp {
namespace {

TEST(Colours, SystemColoursResolveThroughTheFrozenTable) {
    EXPECT_EQ(ColorToRGB(clBtnFace), static_cast<TColor>(RGB(212, 208, 200)));
    EXPECT_EQ(ColorToRGB(clWindow), clWhite);
    EXPECT_EQ(ColorToRGB(clBtnShadow), clGray);
    EXPECT_EQ(ColorToRGB(clRed), clRed);
    EXPECT_EQ(ColorToRGB(clNone), clNone);
    EXPECT_EQ(ResolveColor(clDefault), 0u);
    EXPECT_EQ(GetSysColor(99), 0u);
    EXPECT_TRUE(IsSystemColor(clHighlight));
    EXPECT_EQ(clBtnFace, static_cast<TColor>(0xFF00000F));
    EXPECT_EQ(GetRValue(RGB(1, 2, 3)), 1);
    EXPECT_EQ(GetBValue(RGB(1, 2, 3)), 3);
}

TEST(GraphicsObjects, SettersReportOnlyRealChanges) {
    TPen pen;
    TBrush brush;
    TFont font;
    int changes = 0;
    pen.OnChange = brush.OnChange = font.OnChange = [&](TObject*) { ++changes; };
    pen.SetColor(clBlack);
    pen.SetWidth(1);
    brush.SetColor(clWhite);
    font.SetName("Tahoma");
    font.SetHeight(-11);
    EXPECT_EQ(changes, 0);
    pen.SetColor(clRed);
    pen.SetStyle(psDot);
    brush.SetStyle(bsClear);
    font.SetStyle({fsBold});
    font.SetColor(clBlue);
    EXPECT_EQ(changes, 5);
    pen.SetWidth(-3);
    EXPECT_EQ(pen.Width(), 0);
}

TEST(GraphicsObjects, AssignCopiesSettingsAndRefusesOtherKinds) {
    TFont a;
    a.SetName("Arial");
    a.SetSize(12);
    a.SetStyle({fsItalic, fsUnderline});
    a.SetColor(clMaroon);
    a.SetCharset(GB2312_CHARSET);
    a.SetOrientation(900);
    TFont b;
    b.Assign(&a);
    EXPECT_EQ(b.Name(), "Arial");
    EXPECT_EQ(b.Height(), -16);
    EXPECT_EQ(b.Style(), (TFontStyles{fsItalic, fsUnderline}));
    EXPECT_EQ(b.Color(), clMaroon);
    EXPECT_EQ(b.Charset(), GB2312_CHARSET);
    EXPECT_EQ(b.Orientation(), 900);
    TPen pen;
    EXPECT_THROW(pen.Assign(&a), EConvertError);
}

TEST(GraphicsObjects, AFontKeepsItsPointSizeAcrossResolutions) {
    TFont page;
    page.SetSize(10);
    page.SetPixelsPerInch(300);  // the font of a printer page's canvas
    EXPECT_EQ(page.Size(), 10);
    EXPECT_EQ(page.Height(), -42);

    TFont screen;
    screen.SetSize(12);
    page.Assign(&screen);  // a screen font drawn on paper stays 12 points
    EXPECT_EQ(page.Size(), 12);
    EXPECT_EQ(page.Height(), -50);
    EXPECT_EQ(page.PixelsPerInch(), 300);
}

TEST(GraphicsObjects, LogFontsCarryTheWholeDescription) {
    TFont font;
    font.SetStyle({fsBold, fsStrikeOut});
    font.SetPitch(fpFixed);
    TLogFont lf = font.LogFont();
    EXPECT_EQ(lf.lfWeight, FW_BOLD);
    EXPECT_TRUE(lf.lfStrikeOut);
    EXPECT_EQ(lf.lfPitchAndFamily, FIXED_PITCH);
    EXPECT_EQ(lf.lfFaceName, "Tahoma");
    lf.lfWeight = 400;
    lf.lfEscapement = 2700;
    lf.lfHeight = -20;
    font.SetLogFont(lf);
    EXPECT_FALSE(font.Style().Contains(fsBold));
    EXPECT_EQ(font.Orientation(), 2700);
    EXPECT_EQ(font.Size(), 15);
}

TEST(GraphicsObjects, ACanvasRealizesItsBrushAndFontLazily) {
    TBitmap b(1, 1);
    TCanvas* canvas = b.Canvas();
    canvas->SetTextColor(clRed);
    EXPECT_EQ(canvas->TextColor(), 0x0000FFu);
    canvas->Font()->SetColor(clBlue);  // a font change sets the text colour again
    EXPECT_EQ(canvas->TextColor(), 0xFF0000u);
    canvas->Brush()->SetColor(clBtnFace);
    EXPECT_EQ(canvas->BkColor(), RGB(212, 208, 200));
    canvas->Brush()->SetStyle(bsClear);
    EXPECT_EQ(canvas->BkMode(), TRANSPARENT);
    EXPECT_EQ(PenModeToRop2(pmCopy), 13);
    EXPECT_EQ(PenModeToRop2(pmXor), 7);
}

}  // namespace
}  // namespace dsp

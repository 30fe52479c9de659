#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "framework/graphics/Bitmap.h"
#include "tests/framework/graphics/PixelMap.h"
#include "widgets/panels/RzCommon.h"

namespace dsp {
namespace {

using Rows = std::vector<std::string>;

// Frame pixels: yellow background 'y', the classic system colours by letter.
const testing::Legend& FrameLegend() {
    static const testing::Legend legend = {
        {0x00FFFF, 'y'}, {0xFFFFFF, '.'}, {0x808080, 'x'}, {0x404040, 'd'},
        {0xC8D0D4, 'f'}, {0x000000, '#'}, {0x0000FF, 'r'}, {0xFF0000, 'b'},
    };
    return legend;
}

std::unique_ptr<TBitmap> Yellow(int width, int height) {
    auto b = std::make_unique<TBitmap>(width, height);
    b->Canvas()->Brush()->SetColor(clYellow);
    b->Canvas()->FillRect(Rect(0, 0, width, height));
    return b;
}

Rows Map(const TBitmap& b) { return testing::Map(b, FrameLegend()); }

TEST(RzColor, HslArithmeticFollowsTheWidgetsScale) {
    struct Case {
        const char* what;
        TColor got;
        TColor expected;
    };
    const Case cases[] = {
        {"mid grey", ColorFromHSL(0, 0, 120), static_cast<TColor>(RGB(128, 128, 128))},
        // The hue is divided by 239: 239 reaches the sixth sextant, which is red again.
        {"hue 239", ColorFromHSL(239, 240, 120), clRed},
        {"hue 0", ColorFromHSL(0, 240, 120), clRed},
        {"hue 120 lands just past cyan's sextant start", ColorFromHSL(120, 240, 120),
         static_cast<TColor>(RGB(0, 252, 255))},
        {"luminance 0", ColorFromHSL(80, 240, 0), clBlack},
        {"lighter white stays white", LighterColor(clWhite, 30), clWhite},
        {"darker black stays black", DarkerColor(clBlack, 50), clBlack},
        {"adjust by 0 keeps a system colour unresolved", AdjustedColor(clBtnFace, 0), clBtnFace},
        {"adjust down is darker", AdjustedColor(clWhite, -120), ColorFromHSL(0, 0, 120)},
        {"mix halves", MixColors(clWhite, clBlack, 128), static_cast<TColor>(RGB(128, 128, 128))},
        {"mix all of the first", MixColors(clRed, clBlue, 255), clRed},
        {"contrasting hue of red", ContrastingHueColor(clRed, 120),
         static_cast<TColor>(RGB(0, 252, 255))},
    };
    for (const Case& c : cases) EXPECT_EQ(c.got, c.expected) << c.what;

    EXPECT_EQ(SplitColorHSL(clWhite), (THslColor{0, 0, 240}));
    EXPECT_EQ(SplitColorHSL(clRed), (THslColor{0, 240, 120}));
    EXPECT_EQ(SplitColorHSL(clBlue), (THslColor{160, 240, 120}));
    EXPECT_EQ(SplitColorHSL(clBtnShadow), (THslColor{0, 0, 120}));
    // Round trips of the system colours the widgets shade from.
    for (TColor c : {clBtnFace, clBtnShadow, cl3DDkShadow, static_cast<TColor>(0xFFFFDF)}) {
        const THslColor hsl = SplitColorHSL(c);
        const TColorRef back = ResolveColor(ColorFromHSL(hsl.h, hsl.s, hsl.l));
        const TColorRef want = ResolveColor(c);
        EXPECT_NEAR(GetRValue(back), GetRValue(want), 2) << std::hex << c;
        EXPECT_NEAR(GetGValue(back), GetGValue(want), 2) << std::hex << c;
        EXPECT_NEAR(GetBValue(back), GetBValue(want), 2) << std::hex << c;
    }
    EXPECT_TRUE(ColorsAreClose(clBlack, static_cast<TColor>(RGB(16, 16, 16))));
    EXPECT_FALSE(ColorsAreClose(clRed, clBlue));
    EXPECT_FALSE(ColorsAreClose(clBlack, clWhite));
}

TEST(RzFrames, StrokeSidesLeavesOutEndPointsAndInsetsEverySideListed) {
    auto b = Yellow(4, 3);
    EXPECT_EQ(StrokeSides(*b->Canvas(), Rect(0, 0, 4, 3), clRed, clBlue, kAllSides),
              Rect(1, 1, 3, 2));
    EXPECT_EQ(Map(*b), (Rows{"rrrb", "ryyb", "bbbb"}));

    // Both colours clNone draw nothing, yet the rectangle is inset on the listed sides.
    auto blank = Yellow(4, 3);
    EXPECT_EQ(StrokeSides(*blank->Canvas(), Rect(0, 0, 4, 3), clNone, clNone, {sdLeft, sdBottom}),
              Rect(1, 0, 4, 2));
    EXPECT_EQ(Map(*blank), (Rows{"yyyy", "yyyy", "yyyy"}));

    auto twice = Yellow(5, 4);
    EXPECT_EQ(
        StrokeSidesRepeated(*twice->Canvas(), Rect(0, 0, 5, 4), clRed, clBlue, 2, {sdTop, sdRight}),
        Rect(0, 2, 3, 4));
    EXPECT_EQ(Map(*twice), (Rows{"rrrrb", "rrrbb", "yyybb", "yyybb"}));
}

TEST(RzFrames, GrooveRoundedAndDottedFramesOnSmallRectangles) {
    auto groove = Yellow(6, 5);
    EXPECT_EQ(DrawFrameStyle(*groove->Canvas(), Rect(0, 0, 6, 5), fsGroove), Rect(2, 2, 4, 3));
    EXPECT_EQ(Map(*groove), (Rows{"xxxxx.", "x...x.", "x.yyx.", "xxxxx.", "......"}));

    auto bump = Yellow(6, 5);
    DrawFrameStyle(*bump->Canvas(), Rect(0, 0, 6, 5), fsBump);
    EXPECT_EQ(Map(*bump), (Rows{".....x", ".xxx.x", ".xyy.x", ".....x", "xxxxxx"}));

    // The groove on the top side only: the two lines and the corner pixels of open ends.
    auto top = Yellow(6, 3);
    EXPECT_EQ(DrawFrameStyleSides(*top->Canvas(), Rect(0, 0, 6, 3), fsGroove, {sdTop}),
              Rect(0, 2, 6, 3));
    EXPECT_EQ(Map(*top), (Rows{"xxxxxx", "......", "yyyyyy"}));

    auto rounded = Yellow(6, 5);
    EXPECT_EQ(StrokeRoundedFrame(*rounded->Canvas(), Rect(0, 0, 6, 5), clRed, kAllSides),
              Rect(2, 2, 4, 3));
    EXPECT_EQ(Map(*rounded), (Rows{"yyrryy", "yryyry", "ryyyyr", "yryyry", "yyrryy"}));

    auto roundedTop = Yellow(6, 3);
    StrokeRoundedFrame(*roundedTop->Canvas(), Rect(0, 0, 6, 3), clRed, {sdTop});
    EXPECT_EQ(Map(*roundedTop), (Rows{"rrrrrr", "yyyyyy", "yyyyyy"}));

    auto dotted = Yellow(6, 5);
    EXPECT_EQ(DrawDottedFrame(*dotted->Canvas(), Rect(0, 0, 6, 5)), Rect(1, 1, 5, 4));
    EXPECT_EQ(Map(*dotted), (Rows{"y#y#y#", "#yyyy#", "yyyyyy", "#yyyy#", "y#y#y#"}));
}

// One row per frame style: its name, and the pixels it takes from each side.
struct TInsetCase {
    const char* name;
    TFrameStyleEx style;
    int inset;
};
void PrintTo(const TInsetCase& c, std::ostream* os) { *os << c.name; }

class RzFrameStyle : public ::testing::TestWithParam<TInsetCase> {};

TEST_P(RzFrameStyle, InsetsByItsWidthAndDrawsOnlyBetween) {
    const TInsetCase& c = GetParam();
    for (const TRect r : {Rect(0, 0, 16, 15), Rect(0, 0, 15, 16)}) {
        const TRect inside = InflateRect(r, -c.inset, -c.inset);
        auto b = Yellow(16, 16);
        EXPECT_EQ(DrawFrameStyle(*b->Canvas(), r, c.style), inside);
        auto colored = Yellow(16, 16);
        EXPECT_EQ(DrawColoredFrameStyle(*colored->Canvas(), r, clSilver, c.style), inside);
        // Nothing is drawn outside the rectangle, and a frame leaves its inside alone.
        for (const TBitmap* painted : {b.get(), colored.get()})
            for (int y = 0; y < 16; ++y)
                for (int x = 0; x < 16; ++x) {
                    if (PtInRect(r, {x, y}) && !PtInRect(inside, {x, y})) continue;
                    EXPECT_EQ(painted->PixelAt(x, y), 0x00FFFFu) << x << "," << y;
                }
    }
}

INSTANTIATE_TEST_SUITE_P(
    AllStyles, RzFrameStyle,
    ::testing::Values(TInsetCase{"None", fsNone, 0}, TInsetCase{"Flat", fsFlat, 1},
                      TInsetCase{"Groove", fsGroove, 2}, TInsetCase{"Bump", fsBump, 2},
                      TInsetCase{"Lowered", fsLowered, 2},
                      TInsetCase{"ButtonDown", fsButtonDown, 2}, TInsetCase{"Raised", fsRaised, 2},
                      TInsetCase{"ButtonUp", fsButtonUp, 2}, TInsetCase{"Status", fsStatus, 1},
                      TInsetCase{"Popup", fsPopup, 1}, TInsetCase{"FlatBold", fsFlatBold, 2},
                      TInsetCase{"FlatRounded", fsFlatRounded, 2}),
    [](const ::testing::TestParamInfo<TInsetCase>& row) { return std::string(row.param.name); });

TEST(RzFrames, RaisedAndButtonDownRings) {
    // The raised 3-D frame: outer ring 3-D light / dark shadow, inner ring highlight / shadow.
    auto raised = Yellow(5, 5);
    DrawFrameStyle(*raised->Canvas(), Rect(0, 0, 5, 5), fsRaised);
    EXPECT_EQ(Map(*raised), (Rows{"ffffd", "f..xd", "f.yxd", "fxxxd", "ddddd"}));
    auto down = Yellow(5, 5);
    DrawFrameStyle(*down->Canvas(), Rect(0, 0, 5, 5), fsButtonDown);
    EXPECT_EQ(Map(*down), (Rows{"#####", "#xxx#", "#xyx#", "#xxx#", "#####"}));
}

TEST(RzFrames, ControlBordersStackOuterFrameBorderRingsAndInnerFrame) {
    // Nothing set: nothing drawn, the bounds come back.
    auto none = Yellow(8, 8);
    EXPECT_EQ(DrawControlBorders(*none->Canvas(), Rect(0, 0, 8, 8), TBorderSettings{}),
              Rect(0, 0, 8, 8));
    EXPECT_EQ(testing::CountPixels(*none, 0x00FFFF), 64);

    TBorderSettings s;
    s.borderOuter = fsFlat;
    s.flatColor = clRed;
    s.flatColorAdjustment = 0;
    s.borderWidth = 1;
    s.borderColor = clBlue;
    s.borderInner = fsStatus;
    s.borderShadow = clBlack;
    s.borderHighlight = clWhite;
    auto b = Yellow(8, 8);
    EXPECT_EQ(DrawControlBorders(*b->Canvas(), Rect(0, 0, 8, 8), s), Rect(3, 3, 5, 5));
    EXPECT_EQ(Map(*b), (Rows{"rrrrrrrr", "rbbbbbbr", "rb###.br", "rb#yy.br", "rb#yy.br", "rb....br",
                             "rbbbbbbr", "rrrrrrrr"}));

    // The flat colour is shaded by its adjustment.
    s = TBorderSettings{};
    s.borderOuter = fsFlat;
    s.flatColor = clBtnShadow;
    auto shaded = Yellow(3, 3);
    DrawControlBorders(*shaded->Canvas(), Rect(0, 0, 3, 3), s);
    EXPECT_EQ(shaded->PixelAt(0, 0), static_cast<TColorRef>(LighterColor(clBtnShadow, 30)));

    // The rounded outer frame of an opaque panel keeps the parent's colour in its cut corners.
    s = TBorderSettings{};
    s.borderOuter = fsFlatRounded;
    s.flatColor = clRed;
    s.flatColorAdjustment = 0;
    s.parentColor = clBlue;
    s.color = clWhite;
    auto round = Yellow(6, 6);
    EXPECT_EQ(DrawControlBorders(*round->Canvas(), Rect(0, 0, 6, 6), s), Rect(2, 2, 4, 4));
    EXPECT_EQ(Map(*round), (Rows{"bbrrbb", "br..rb", "r.yy.r", "r.yy.r", "br..rb", "bbrrbb"}));
}

TEST(RzArrow, DropDownArrowSitsOnTheMiddleRowOrTheOneAboveForEvenHeights) {
    // 7, 5, 3 and 1 pixels; the widest row two above the centre row.
    auto rows = [](int height) {
        auto b = Yellow(17, height);
        b->Canvas()->Brush()->SetColor(clWhite);
        DrawDropDownArrow(*b->Canvas(), Rect(0, 0, 17, height), TDropDownArrowStyle::Classic, true);
        std::vector<std::pair<int, int>> ink;  // (row, count) of black pixels
        for (int y = 0; y < height; ++y) {
            int n = 0;
            for (int x = 0; x < 17; ++x) n += b->PixelAt(x, y) == 0;
            if (n > 0) ink.emplace_back(y, n);
        }
        return ink;
    };
    const std::vector<std::pair<int, int>> fifteen{{5, 7}, {6, 5}, {7, 3}, {8, 1}};
    EXPECT_EQ(rows(15), fifteen);
    EXPECT_EQ(rows(16), fifteen);
    EXPECT_EQ(rows(17), (std::vector<std::pair<int, int>>{{6, 7}, {7, 5}, {8, 3}, {9, 1}}));

    // Disabled in the shadow colour; on a dark brush in the dark shadow; the brush comes back.
    auto disabled = Yellow(17, 15);
    TCanvas& c = *disabled->Canvas();
    c.Brush()->SetColor(clBlack);
    DrawDropDownArrow(c, Rect(0, 0, 17, 15), TDropDownArrowStyle::Classic, false);
    EXPECT_EQ(disabled->PixelAt(8, 6), 0x808080u);
    DrawDropDownArrow(c, Rect(0, 0, 17, 15), TDropDownArrowStyle::Classic, true);
    EXPECT_EQ(disabled->PixelAt(8, 6), 0x404040u);
    EXPECT_EQ(c.Brush()->Color(), clBlack);
}

TEST(RzGradient, EndDirectionsRunFromStartToStop) {
    // The platform gradient: a one-pixel-high rectangle shows the start colour only.
    auto thin = Yellow(10, 1);
    FillGradientRect(*thin->Canvas(), Rect(0, 0, 10, 1), gdHorizontalEnd, clRed, clBlue, 1);
    for (int x = 0; x < 10; ++x) EXPECT_EQ(thin->PixelAt(x, 0), 0x0000FFu);

    auto tall = Yellow(4, 20);
    FillGradientRect(*tall->Canvas(), Rect(0, 0, 4, 20), gdHorizontalEnd, clBlack, clWhite, 1);
    EXPECT_EQ(tall->PixelAt(0, 0), 0u);
    for (int y = 1; y < 20; ++y)
        EXPECT_GE(tall->PixelAt(2, y) & 0xFF, tall->PixelAt(2, y - 1) & 0xFF);
    EXPECT_GT(tall->PixelAt(0, 19) & 0xFF, 0xF0u);

    auto wide = Yellow(20, 3);
    FillGradientRect(*wide->Canvas(), Rect(0, 0, 20, 3), gdVerticalEnd, clBlack, clWhite, 1);
    EXPECT_EQ(wide->PixelAt(0, 1), 0u);
    EXPECT_GT(wide->PixelAt(19, 1) & 0xFF, 0xF0u);

    // In bands: the far end is the stop colour exactly, the start colour is approached one
    // step from the near end, and every row is one colour.
    auto banded = Yellow(6, 16);
    FillGradientBanded(*banded->Canvas(), Rect(0, 0, 6, 16), gdHorizontalEnd, clBlack,
                       static_cast<TColor>(RGB(160, 160, 160)), 1);
    EXPECT_EQ(banded->PixelAt(0, 15), static_cast<TColorRef>(RGB(160, 160, 160)));
    EXPECT_EQ(banded->PixelAt(3, 0), static_cast<TColorRef>(RGB(10, 10, 10)));
    for (int y = 0; y < 16; ++y) {
        for (int x = 1; x < 6; ++x) EXPECT_EQ(banded->PixelAt(x, y), banded->PixelAt(0, y));
        if (y > 0) {
            EXPECT_GT(banded->PixelAt(0, y), banded->PixelAt(0, y - 1));
        }
    }
}

TEST(RzGradient, BoxAndDiagonalBandsAreSymmetricAndCoverEverything) {
    const TColor start = clBlack;
    const TColor stop = clWhite;
    for (TGradientDirection d : {gdHorizontalCenter, gdVerticalCenter, gdHorizontalBox,
                                 gdVerticalBox, gdSquareBox, gdBigSquareBox}) {
        auto b = Yellow(20, 12);
        FillGradientBanded(*b->Canvas(), Rect(0, 0, 20, 12), d, start, stop, 1);
        EXPECT_EQ(testing::CountPixels(*b, 0x00FFFF), 0) << d;
        // Mirror images across the middle.
        for (int y = 0; y < 12; ++y)
            for (int x = 0; x < 10; ++x) {
                if (d == gdHorizontalCenter) continue;
                EXPECT_EQ(b->PixelAt(x, y), b->PixelAt(19 - x, y)) << d << " " << x << "," << y;
            }
        for (int y = 0; y < 6; ++y)
            for (int x = 0; x < 20; ++x) {
                if (d == gdVerticalCenter) continue;
                EXPECT_EQ(b->PixelAt(x, y) & 0xFF, b->PixelAt(x, 11 - y) & 0xFF)
                    << d << " " << x << "," << y;
            }
    }
    // Boxes: the stop colour in the middle, the start colour's side at the corners.
    auto box = Yellow(21, 21);
    FillGradientBanded(*box->Canvas(), Rect(0, 0, 21, 21), gdSquareBox, start, stop, 1);
    EXPECT_EQ(box->PixelAt(10, 10), 0xFFFFFFu);
    EXPECT_LT(box->PixelAt(0, 0) & 0xFF, 0x20u);
    EXPECT_LT(box->PixelAt(0, 0) & 0xFF, box->PixelAt(5, 5) & 0xFF);

    // Diagonals: up from the lower-left corner, down from the upper-left corner.
    auto up = Yellow(30, 20);
    FillGradientBanded(*up->Canvas(), Rect(0, 0, 30, 20), gdDiagonalUp, start, stop, 1);
    EXPECT_EQ(testing::CountPixels(*up, 0x00FFFF), 0);
    EXPECT_LT(up->PixelAt(0, 19) & 0xFF, 0x20u);
    EXPECT_GT(up->PixelAt(29, 0) & 0xFF, 0xE0u);
    auto down = Yellow(30, 20);
    FillGradientBanded(*down->Canvas(), Rect(0, 0, 30, 20), gdDiagonalDown, start, stop, 1);
    EXPECT_LT(down->PixelAt(0, 0) & 0xFF, 0x20u);
    EXPECT_GT(down->PixelAt(29, 19) & 0xFF, 0xE0u);

    // Nothing for an empty rectangle; equal colours fill plainly.
    auto empty = Yellow(4, 4);
    FillGradientBanded(*empty->Canvas(), Rect(1, 1, 1, 3), gdSquareBox, start, stop, 1);
    EXPECT_EQ(testing::CountPixels(*empty, 0x00FFFF), 16);
    FillGradientBanded(*empty->Canvas(), Rect(0, 0, 4, 4), gdDiagonalUp, clRed, clRed, 1);
    EXPECT_EQ(testing::CountPixels(*empty, 0x0000FF), 16);
}

TEST(RzBitmaps, TransparentColourLeavesTheCanvasAlone) {
    // A 2 x 2 picture: red, teal / teal, blue; teal is the key.
    TBitmap picture(2, 2);
    picture.Canvas()->SetPixels(0, 0, clRed);
    picture.Canvas()->SetPixels(1, 0, clTeal);
    picture.Canvas()->SetPixels(0, 1, clTeal);
    picture.Canvas()->SetPixels(1, 1, clBlue);

    auto stretched = Yellow(6, 4);
    StretchBitmapTransparent(*stretched->Canvas(), picture, Rect(1, 0, 5, 4), clTeal);
    EXPECT_EQ(Map(*stretched), (Rows{"yrryyy", "yrryyy", "yyybby", "yyybby"}));

    // A key that no pixel has copies everything.
    auto whole = Yellow(2, 2);
    StretchBitmapTransparent(*whole->Canvas(), picture, Rect(0, 0, 2, 2), clLime);
    EXPECT_EQ(whole->PixelAt(1, 0), static_cast<TColorRef>(clTeal));

    // Tiles: whole copies, the last ones cut.
    auto tiled = Yellow(5, 3);
    TileBitmapTransparent(*tiled->Canvas(), picture, Rect(0, 0, 5, 3), clTeal);
    EXPECT_EQ(Map(*tiled), (Rows{"ryryr", "ybyby", "ryryr"}));

    // A part of the picture.
    auto part = Yellow(3, 1);
    DrawBitmapTransparentPart(*part->Canvas(), picture, Rect(0, 0, 3, 1), clTeal, Rect(1, 1, 2, 2));
    EXPECT_EQ(Map(*part), (Rows{"bbb"}));
}

TEST(RzText, AcceleratorsAndLastCharacters) {
    struct Case {
        const char* text;
        const char* stripped;
    };
    const Case cases[] = {{"&File", "File"},  {"Save && Quit", "Save & Quit"},
                          {"Tail&", "Tail&"}, {"a&&", "a&"},
                          {"", ""},           {"&&&x", "&x"}};
    for (const Case& c : cases) EXPECT_EQ(StripAccelChars(c.text), c.stripped) << c.text;
    EXPECT_EQ(LastCharOf("abc"), "c");
    EXPECT_EQ(LastCharOf("dB\xC2\xB0"), "\xC2\xB0");
    EXPECT_EQ(LastCharOf(""), "");

    TFont font;
    font.SetName("Arial");
    font.SetHeight(-11);
    font.SetStyle({fsBold});
    const TLogFont lf = MakeAngledFont(font, 90);
    EXPECT_EQ(lf.lfEscapement, 900);
    EXPECT_EQ(lf.lfWeight, FW_BOLD);
    EXPECT_EQ(lf.lfHeight, -11);
    EXPECT_EQ(lf.lfFaceName, "Arial");
    EXPECT_TRUE(FontIsTrueType(font));
}

TEST(RzSystem, ClassicAnswersWithoutThemes) {
    EXPECT_EQ(ThemedSystemColor(6), clBtnFace);
    EXPECT_EQ(XPColorScheme(), 0);
    EXPECT_TRUE(ScreenIsFullColor());
    EXPECT_TRUE(IsWindowsAtLeast(7));
    EXPECT_TRUE(IsWindowsVersion(8));
    EXPECT_FALSE(IsWindowsVersion(5));
    const TGradientColors g = GradientColorsForStyle(gcsMSOffice);
    EXPECT_EQ(g.start, clWindow);
    EXPECT_EQ(g.stop, DarkerColor(clBtnFace, 10));
    EXPECT_EQ(FlatColorForStyle(gcsSystem), LighterColor(clBtnShadow, 30));
}

}  // namespace
}  // namespace dsp

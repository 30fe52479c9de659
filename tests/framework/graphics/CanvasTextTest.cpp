#include <gtest/gtest.h>

#include <iterator>
#include <string>
#include <vector>

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/FontSet.h"
#include "tests/framework/graphics/PixelMap.h"

namespace dsp {
namespace {

using testing::InkBounds;

// A white 200 x 60 bitmap with a clear brush, written in the default font (Tahoma, 8 points).
class CanvasText : public ::testing::Test {
protected:
    void SetUp() override {
        bitmap_ = std::make_unique<TBitmap>(200, 60);
        canvas_ = bitmap_->Canvas();
        canvas_->Brush()->SetStyle(bsClear);
        h_ = canvas_->TextHeight("Yy");
    }
    int Calc(const std::string& text, TRect& r, unsigned format) {
        return canvas_->DrawText(text, r, format | DT_CALCRECT);
    }
    std::unique_ptr<TBitmap> bitmap_;
    TCanvas* canvas_ = nullptr;
    int h_ = 0;
};

TEST_F(CanvasText, ThePinnedFontsGiveFixedMetrics) {
    // Tahoma is drawn with DejaVu Sans and Arial with Liberation Sans, at the same sizes on
    // every machine.
    EXPECT_EQ(SubstituteFontFamily("Tahoma"), "DejaVu Sans");
    EXPECT_EQ(SubstituteFontFamily("ARIAL"), "Liberation Sans");
    EXPECT_EQ(SubstituteFontFamily("Times New Roman"), "Liberation Serif");
    EXPECT_EQ(SubstituteFontFamily("\xe5\xae\x8b\xe4\xbd\x93"), "Noto Sans CJK SC");
    EXPECT_EQ(SubstituteFontFamily("No Such Face"), "DejaVu Sans");
    EXPECT_EQ(h_, 14);
    EXPECT_EQ(canvas_->TextWidth("Hello"), 28);
    canvas_->Font()->SetName("Arial");
    canvas_->Font()->SetHeight(-12);
    EXPECT_EQ(canvas_->TextHeight("Yy"), 14);
    EXPECT_EQ(canvas_->TextExtent("Hello"), (TSize{29, 14}));
}

// Widths are kept per font and fonts described alike share one toolkit font: switching a canvas
// between fonts, and turning one for rotated text and back, measures each text as a canvas that
// only ever had that font does.
TEST_F(CanvasText, WidthsFollowTheFontAfterSwitchingBackAndForth) {
    struct FontCase {
        const char* name;
        int height;
        bool bold;
        int orientation;
    };
    const FontCase fonts[] = {{"Tahoma", -11, false, 0},
                              {"Arial", -12, false, 0},
                              {"Arial", -12, true, 0},
                              {"Arial", -20, false, 0},
                              {"Arial", -12, false, 900}};
    const char* texts[] = {"Hello", "-100", "20", "Wide Words", ""};
    auto apply = [](TFont* font, const FontCase& f) {
        font->SetName(f.name);
        font->SetHeight(f.height);
        font->SetStyle(f.bold ? TFontStyles{fsBold} : TFontStyles{});
        font->SetOrientation(f.orientation);
    };
    std::vector<std::vector<int>> fresh;
    for (const FontCase& f : fonts) {
        TBitmap alone(50, 20);
        apply(alone.Canvas()->Font(), f);
        fresh.emplace_back();
        for (const char* t : texts) fresh.back().push_back(alone.Canvas()->TextWidth(t));
    }
    EXPECT_NE(fresh[1][3], fresh[2][3]);  // bold is wider
    EXPECT_NE(fresh[1][3], fresh[3][3]);  // so is a larger size
    for (int round = 0; round < 3; ++round) {
        for (std::size_t i = 0; i < std::size(fonts); ++i) {
            apply(canvas_->Font(), fonts[i]);
            for (std::size_t k = 0; k < std::size(texts); ++k) {
                EXPECT_EQ(canvas_->TextWidth(texts[k]), fresh[i][k])
                    << fonts[i].name << " " << fonts[i].height << " '" << texts[k] << "'";
            }
        }
    }
}

TEST_F(CanvasText, FontHeightAndSizeFollowTheScreenResolution) {
    TFont font;
    EXPECT_EQ(font.Height(), -11);
    EXPECT_EQ(font.Size(), 8);
    font.SetSize(10);
    EXPECT_EQ(font.Height(), -13);
    // A positive height is the whole cell: the font is chosen so that the cell fits.
    for (int cell : {12, 14, 17, 30}) {
        canvas_->Font()->SetHeight(cell);
        EXPECT_LE(canvas_->TextHeight("Yy"), cell);
        EXPECT_GE(canvas_->TextHeight("Yy"), cell - 2);
    }
}

TEST_F(CanvasText, CalcRectMeasuresOneOrManyLines) {
    TRect r = Rect(5, 5, 5, 5);
    EXPECT_EQ(Calc("Hello", r, DT_SINGLELINE), h_);
    EXPECT_EQ(r, Rect(5, 5, 5 + canvas_->TextWidth("Hello"), 5 + h_));
    r = Rect(0, 0, 100, 0);
    EXPECT_EQ(Calc("one\r\nthree\nfive\rx", r, 0), 4 * h_);
    EXPECT_EQ(r.Right, canvas_->TextWidth("three"));
    r = Rect(0, 0, 100, 0);
    EXPECT_EQ(Calc("one\r\nthree", r, DT_SINGLELINE), h_);
    EXPECT_EQ(r.Right, canvas_->TextWidth("onethree"));
    r = Rect(0, 0, 100, 100);
    EXPECT_EQ(Calc("", r, 0), 0);
    EXPECT_EQ(r, Rect(0, 0, 0, 0));
}

TEST_F(CanvasText, WordBreakSplitsBetweenWordsAndKeepsLongWordsWhole) {
    const int width = canvas_->TextWidth("one two");
    TRect r = Rect(0, 0, width, 0);
    EXPECT_EQ(Calc("one two three", r, DT_WORDBREAK), 2 * h_);
    EXPECT_EQ(r.Right, width);
    r = Rect(0, 0, canvas_->TextWidth("one"), 0);
    EXPECT_EQ(Calc("one extraordinarily two", r, DT_WORDBREAK), 3 * h_);
    EXPECT_EQ(r.Right, canvas_->TextWidth("extraordinarily"));
    r = Rect(0, 0, width, 0);
    EXPECT_EQ(Calc("one two three", r, DT_WORDBREAK | DT_SINGLELINE), h_) << "single line wins";
}

TEST_F(CanvasText, VerticalCentreAndBottomApplyOnlyToSingleLines) {
    TRect r = Rect(0, 0, 200, 40);
    const int centred = canvas_->DrawText("Xx", r, DT_SINGLELINE | DT_VCENTER);
    EXPECT_EQ(centred, (40 - h_) / 2 + h_) << "the offset from the top to the text's bottom";
    const TRect ink = InkBounds(*bitmap_);
    EXPECT_GE(ink.Top, (40 - h_) / 2);
    EXPECT_LE(ink.Bottom, (40 - h_) / 2 + h_);

    TBitmap other(200, 40);
    other.Canvas()->Brush()->SetStyle(bsClear);
    r = Rect(0, 0, 200, 40);
    EXPECT_EQ(other.Canvas()->DrawText("Xx", r, DT_VCENTER | DT_BOTTOM), h_);
    EXPECT_LE(InkBounds(other).Bottom, h_);

    TBitmap bottom(200, 40);
    bottom.Canvas()->Brush()->SetStyle(bsClear);
    r = Rect(0, 0, 200, 40);
    EXPECT_EQ(bottom.Canvas()->DrawText("Xx", r, DT_SINGLELINE | DT_BOTTOM), 40);
    EXPECT_GE(InkBounds(bottom).Top, 40 - h_);
}

TEST_F(CanvasText, PrefixesAreHiddenAndUnderlineTheirCharacter) {
    TRect r;
    Calc("&File", r, DT_SINGLELINE);
    EXPECT_EQ(r.Right, canvas_->TextWidth("File"));
    r = {};
    Calc("&File", r, DT_SINGLELINE | DT_NOPREFIX);
    EXPECT_EQ(r.Right, canvas_->TextWidth("&File"));
    r = {};
    Calc("Save && quit&", r, DT_SINGLELINE);
    EXPECT_EQ(r.Right, canvas_->TextWidth("Save & quit"));

    auto inkOf = [](const std::string& text, unsigned format) {
        TBitmap b(60, 30);
        b.Canvas()->Brush()->SetStyle(bsClear);
        TRect box = Rect(0, 0, 60, 30);
        b.Canvas()->DrawText(text, box, format | DT_SINGLELINE);
        return InkBounds(b);
    };
    const TRect plain = inkOf("W", 0);
    const TRect marked = inkOf("&W", 0);
    EXPECT_GT(marked.Bottom, plain.Bottom) << "the underline lies below the letter";
    EXPECT_EQ(inkOf("&W", DT_HIDEPREFIX), plain);
}

TEST_F(CanvasText, EllipsesShortenTooLongLinesToFit) {
    const int width = 70;
    struct Case {
        const char* text;
        unsigned flag;
    };
    for (const Case& c : {Case{"The quick brown fox jumps", DT_END_ELLIPSIS},
                          Case{"The quick brown fox jumps", DT_WORD_ELLIPSIS},
                          Case{"C:\\presets\\stage\\left.prs", DT_PATH_ELLIPSIS}}) {
        TRect r = Rect(0, 0, width, 20);
        std::string shown;
        canvas_->DrawText(c.text, r, DT_SINGLELINE | DT_MODIFYSTRING | c.flag, &shown);
        EXPECT_LE(canvas_->TextWidth(shown), width) << shown;
        EXPECT_NE(shown.find("..."), std::string::npos) << shown;
        EXPECT_LE(InkBounds(*bitmap_).Right, width);
        if (c.flag == DT_END_ELLIPSIS) {
            EXPECT_EQ(shown.substr(0, 5), "The q");
        } else if (c.flag == DT_WORD_ELLIPSIS) {
            EXPECT_EQ(shown, "The quick...");
        } else {
            EXPECT_EQ(shown.substr(shown.size() - 9), "\\left.prs");
        }
    }
    TRect wide = Rect(0, 0, 190, 20);
    std::string shown;
    canvas_->DrawText("Short", wide, DT_SINGLELINE | DT_END_ELLIPSIS | DT_MODIFYSTRING, &shown);
    EXPECT_EQ(shown, "Short");
}

TEST_F(CanvasText, HorizontalAlignmentAndClipping) {
    TRect r = Rect(20, 0, 180, 20);
    canvas_->DrawText("Mm", r, DT_SINGLELINE | DT_RIGHT);
    EXPECT_LE(InkBounds(*bitmap_).Right, 180);
    EXPECT_GE(InkBounds(*bitmap_).Right, 180 - 3);

    TBitmap centred(200, 20);
    centred.Canvas()->Brush()->SetStyle(bsClear);
    r = Rect(20, 0, 180, 20);
    centred.Canvas()->DrawText("Mm", r, DT_SINGLELINE | DT_CENTER);
    const TRect ink = InkBounds(centred);
    EXPECT_NEAR((ink.Left + ink.Right) / 2.0, 100.0, 2.0);

    TBitmap clipped(200, 20);
    clipped.Canvas()->Brush()->SetStyle(bsClear);
    r = Rect(0, 0, 10, 20);
    clipped.Canvas()->DrawText("Wide text here", r, DT_SINGLELINE);
    EXPECT_LE(InkBounds(clipped).Right, 10);
    r = Rect(0, 0, 10, 20);
    clipped.Canvas()->DrawText("Wide text here", r, DT_SINGLELINE | DT_NOCLIP);
    EXPECT_GT(InkBounds(clipped).Right, 40);
}

TEST_F(CanvasText, ExpandedTabsJumpToTabStops) {
    TRect plain;
    Calc("a\tb", plain, DT_SINGLELINE);
    TRect expanded;
    Calc("a\tb", expanded, DT_SINGLELINE | DT_EXPANDTABS);
    EXPECT_GT(expanded.Right, plain.Right);
    EXPECT_GE(expanded.Right, 8 * canvas_->TextWidth("x") - 8);
}

TEST_F(CanvasText, TextOutFillsTheCellWithASolidBrushAndMovesThePen) {
    canvas_->Brush()->SetStyle(bsSolid);
    canvas_->Brush()->SetColor(clYellow);
    canvas_->TextOut(10, 5, "Hi");
    const int w = canvas_->TextWidth("Hi");
    EXPECT_EQ(canvas_->PenPos(), (TPoint{10 + w, 5}));
    EXPECT_EQ(testing::InkBounds(*bitmap_), Rect(10, 5, 10 + w, 5 + h_));
    EXPECT_EQ(bitmap_->PixelAt(10, 5), 0x00FFFFu);
    // With a clear brush only the letters are drawn.
    TBitmap clear(40, 20);
    clear.Canvas()->Brush()->SetStyle(bsClear);
    clear.Canvas()->TextOut(10, 5, "Hi");
    EXPECT_EQ(testing::CountPixels(clear, 0x00FFFF), 0);
    EXPECT_GT(InkBounds(clear).Left, 10 - 1);
}

TEST_F(CanvasText, TextRectClipsToItsRectangleAndFillsItWhenOpaque) {
    canvas_->Brush()->SetStyle(bsSolid);
    canvas_->Brush()->SetColor(clYellow);
    canvas_->TextRect(Rect(10, 10, 30, 30), 12, 12, "Wide text cut off");
    EXPECT_EQ(InkBounds(*bitmap_), Rect(10, 10, 30, 30));
    EXPECT_EQ(bitmap_->PixelAt(29, 29), 0x00FFFFu);
    EXPECT_LT(testing::CountPixels(*bitmap_, 0x00FFFF), 400) << "some letters are inside";
}

TEST_F(CanvasText, TextAlignmentPlacesTheTextAroundThePoint) {
    struct Case {
        unsigned align;
        const char* name;
    };
    for (const Case& c : {Case{TA_RIGHT, "right"}, Case{TA_CENTER, "centre"},
                          Case{TA_BOTTOM, "bottom"}, Case{TA_BASELINE, "baseline"}}) {
        TBitmap b(120, 60);
        b.Canvas()->Brush()->SetStyle(bsClear);
        b.Canvas()->SetTextAlign(c.align);
        b.Canvas()->TextOut(60, 30, "Mm");
        const TRect ink = InkBounds(b);
        const int w = b.Canvas()->TextWidth("Mm");
        switch (c.align) {
            case TA_RIGHT:
                EXPECT_LE(ink.Right, 60) << c.name;
                EXPECT_GE(ink.Left, 60 - w) << c.name;
                break;
            case TA_CENTER: EXPECT_NEAR((ink.Left + ink.Right) / 2.0, 60, 2) << c.name; break;
            case TA_BOTTOM: EXPECT_LE(ink.Bottom, 30) << c.name; break;
            case TA_BASELINE: EXPECT_EQ(ink.Bottom, 30) << c.name; break;
        }
    }
}

TEST_F(CanvasText, RotatedFontsWriteAlongTheirAngle) {
    TBitmap b(60, 120);
    b.Canvas()->Brush()->SetStyle(bsClear);
    b.Canvas()->Font()->SetOrientation(900);  // reads upwards from the point
    b.Canvas()->TextOut(20, 100, "Rotated");
    const TRect ink = InkBounds(b);
    const int w = b.Canvas()->TextWidth("Rotated");
    EXPECT_GT(ink.Height(), ink.Width());
    EXPECT_GE(ink.Left, 20);
    EXPECT_LE(ink.Right, 20 + h_);
    EXPECT_LE(ink.Bottom, 100 + 1);
    EXPECT_GE(ink.Top, 100 - w - 1);

    TLogFont lf = b.Canvas()->Font()->LogFont();
    EXPECT_EQ(lf.lfEscapement, 900);
    lf.lfEscapement = 2700;  // downwards
    b.Canvas()->Font()->SetLogFont(lf);
    TBitmap down(60, 120);
    down.Canvas()->Brush()->SetStyle(bsClear);
    down.Canvas()->SetFont(b.Canvas()->Font());
    down.Canvas()->TextOut(40, 10, "Rotated");
    const TRect inkDown = InkBounds(down);
    EXPECT_LE(inkDown.Right, 40 + 1);
    EXPECT_GE(inkDown.Top, 10 - 1);
    EXPECT_GT(inkDown.Height(), inkDown.Width());
}

TEST_F(CanvasText, NoneColouredTextDrawsNothing) {
    canvas_->Font()->SetColor(clNone);
    canvas_->TextOut(0, 0, "Invisible");
    TRect r = Rect(0, 20, 200, 40);
    canvas_->DrawText("Invisible", r, 0);
    EXPECT_EQ(InkBounds(*bitmap_), TRect{});
}

TEST_F(CanvasText, ChineseTextIsDrawnWithTheChineseFont) {
    const std::string zhong = "\xe4\xb8\xad";  // a Chinese character
    EXPECT_EQ(canvas_->TextWidth(zhong + zhong), 2 * canvas_->TextWidth(zhong));
    EXPECT_GE(canvas_->TextWidth(zhong), 10);
    canvas_->TextOut(0, 0, zhong);
    EXPECT_FALSE(IsRectEmpty(InkBounds(*bitmap_)));
}

}  // namespace
}  // namespace dsp

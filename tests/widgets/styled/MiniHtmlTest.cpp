// The mini-HTML renderer: sizes, wrapping, entities, fonts and colours, anchors, images and list
// items, laid out on a surface whose text is one pixel per character and as high as its size in
// points, so that every position can be worked out by hand; and once on the drawing layer.

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "framework/graphics/Bitmap.h"
#include "tests/widgets/styled/StyledTestSupport.h"
#include "widgets/styled/AdvGDIP.h"
#include "widgets/styled/GDIPPictureContainer.h"
#include "widgets/styled/MiniHtml.h"

namespace dsp {
namespace {

int CharCount(const std::string& s) {
    int n = 0;
    for (unsigned char c : s) n += (c & 0xC0) != 0x80 ? 1 : 0;
    return n;
}

struct TDrawnRun {
    std::string text;
    int x;
    int y;
    TMiniHtmlFont font;
    TColor background;
};

class TFakeSurface : public IMiniHtmlSurface {
public:
    int TextHeight(const std::string&, const TMiniHtmlFont& font) override { return font.size; }
    int RunWidth(const std::string& text, const TMiniHtmlFont&) override { return CharCount(text); }
    void DrawRun(const std::string& text, const TMiniHtmlFont& font, int x, int y,
                 TColor background) override {
        runs.push_back({text, x, y, font, background});
    }
    void FillRect(const TRect& r, TColor) override { rects.push_back(r); }
    void FillEllipse(const TRect& r, TColor) override { rects.push_back(r); }
    void DrawLine(int x1, int y1, int, int, TColor) override { lines.push_back({x1, y1}); }
    TSize ImageSize(int index) override {
        return index >= 0 && index < imageCount ? TSize{16, 12} : TSize{};
    }
    void DrawImage(int index, int x, int y) override { images.push_back({index, x, y}); }
    TSize PictureSize(const std::string& name) override {
        auto it = pictures.find(name);
        return it != pictures.end() ? it->second : TSize{};
    }
    void DrawPicture(const std::string& name, int x, int y, int w, int h) override {
        drawnPictures.push_back(name + "@" + std::to_string(x) + "," + std::to_string(y) + " " +
                                std::to_string(w) + "x" + std::to_string(h));
    }

    std::vector<TDrawnRun> runs;
    std::vector<TRect> rects;
    std::vector<TPoint> lines;
    std::vector<std::vector<int>> images;
    std::vector<std::string> drawnPictures;
    std::map<std::string, TSize> pictures;
    int imageCount = 2;
};

TMiniHtmlFont BaseFont() {
    TMiniHtmlFont f;
    f.name = "Tahoma";
    f.size = 8;
    f.color = clBlack;
    return f;
}

struct TLaidOut {
    TMiniHtmlResult result;
    bool hit = false;
};

TLaidOut Lay(TFakeSurface& surface, const std::string& text, TMiniHtmlOptions options = {},
             TRect rect = Rect(0, 0, 200, 200)) {
    TLaidOut out;
    out.hit = RenderMiniHtmlOn(surface, BaseFont(), text, rect, options, out.result);
    return out;
}

TEST(MiniHtmlTest, SizesFollowTheWidestLineAndTheLineHeights) {
    struct Case {
        const char* text;
        bool wordWrap;
        int lineSpacing;
        int sizeX;
        int sizeY;
        const char* plain;
    };
    const Case cases[] = {
        // Empty text: the height of "gh" and 2.
        {"", false, 0, 0, 10, ""},
        // Lines of 10 and 11: the first makes SizeX 12, the second is not wider than that.
        {"aaaaaaaaaa<br>aaaaaaaaaaa", false, 0, 12, 8 + 8 + 2, "aaaaaaaaaa\raaaaaaaaaaa"},
        // The program's list line: one line of 20-point text, no spacing after the last line.
        {"<FONT size=\"20\" color=\"clWhite\">Loading Program....</FONT><br>", true, 2, 21, 22,
         "Loading Program....\r"},
        // Spacing between lines only.
        {"a<br>b", false, 2, 3, 8 + 2 + 8 + 2, "a\rb"},
        // A run of exactly one space measures nothing.
        {"a<B> </B>b", false, 0, 4, 10, "a b"},
        // A carriage return is a line break, a line feed nothing.
        {"ab\r\ncd", false, 0, 4, 18, "ab\rcd"},
    };
    for (const Case& c : cases) {
        TFakeSurface s;
        TMiniHtmlOptions o;
        o.WordWrap = c.wordWrap;
        o.LineSpacing = c.lineSpacing;
        o.MeasureOnly = true;
        const TLaidOut out = Lay(s, c.text, o);
        EXPECT_EQ(out.result.SizeX, c.sizeX) << c.text;
        EXPECT_EQ(out.result.SizeY, c.sizeY) << c.text;
        EXPECT_EQ(out.result.PlainText, c.plain) << c.text;
        EXPECT_TRUE(s.runs.empty()) << "measuring draws nothing";
    }
}

TEST(MiniHtmlTest, WordWrapBreaksBetweenWordsAndNeverSplitsOne) {
    TFakeSurface s;
    TMiniHtmlOptions o;
    o.WordWrap = true;
    // The line is 9 pixels wide (the layout starts one pixel in): "hello " and "world" do not
    // fit together.
    Lay(s, "hello world", o, Rect(0, 0, 10, 100));
    ASSERT_EQ(s.runs.size(), 2u);
    EXPECT_EQ(s.runs[0].text, "hello ");
    EXPECT_EQ(s.runs[0].x, 1);
    EXPECT_EQ(s.runs[0].y, 0);
    EXPECT_EQ(s.runs[1].text, "world");
    EXPECT_EQ(s.runs[1].x, 1);
    EXPECT_EQ(s.runs[1].y, 8);

    // A single word wider than the line stays whole on its line.
    TFakeSurface wide;
    const TLaidOut out = Lay(wide, "abcdefghijkl", o, Rect(0, 0, 6, 100));
    ASSERT_EQ(wide.runs.size(), 1u);
    EXPECT_EQ(wide.runs[0].text, "abcdefghijkl");
    EXPECT_EQ(out.result.SizeX, 14);

    // Without word wrap the line holds everything.
    TFakeSurface nowrap;
    o.WordWrap = false;
    Lay(nowrap, "hello world", o, Rect(0, 0, 10, 100));
    ASSERT_EQ(nowrap.runs.size(), 1u);
    EXPECT_EQ(nowrap.runs[0].y, 0);
}

TEST(MiniHtmlTest, ASpaceRunMovesThePenWhenDrawingThoughItMeasuresNothing) {
    TFakeSurface s;
    Lay(s, "a<B> </B>b");
    ASSERT_EQ(s.runs.size(), 2u) << "the space itself is not drawn";
    EXPECT_EQ(s.runs[0].x, 1);
    EXPECT_EQ(s.runs[1].x, 3);
    EXPECT_TRUE(s.runs[1].font.style.Empty());
}

TEST(MiniHtmlTest, EntitiesDecodeAndAnEscapedTagStaysText) {
    TFakeSurface s;
    const TLaidOut out = Lay(s, "x &amp;lt;B&amp;gt; &copy;&nbsp;&quot;y&quot;");
    EXPECT_EQ(out.result.PlainText, "x <B> \xC2\xA9 \"y\"");
    ASSERT_FALSE(s.runs.empty());
    for (const TDrawnRun& run : s.runs) {
        EXPECT_FALSE(run.font.style.Contains(fsBold)) << "a decoded < opens no tag";
    }
    // "<#...>" keeps what is between as text.
    TFakeSurface hash;
    EXPECT_EQ(Lay(hash, "a<#b>c").result.PlainText, "a#bc");
}

TEST(MiniHtmlTest, FontTagsSetFaceSizeAndColourAndClosingTagsRestoreTheBaseFont) {
    struct Case {
        const char* tag;
        int size;
        TColor color;
        const char* face;
    };
    const Case cases[] = {
        {"<FONT size=\"1\">", 8, clBlack, "Tahoma"},
        {"<FONT size=\"3\">", 12, clBlack, "Tahoma"},
        {"<FONT size=\"5\">", 16, clBlack, "Tahoma"},
        {"<FONT size=\"20\">", 20, clBlack, "Tahoma"},
        {"<FONT size=\"99999\">", 500, clBlack, "Tahoma"},  // sizes are kept within 1 to 500
        {"<FONT size=\"0\">", 1, clBlack, "Tahoma"},
        {"<FONT size=\"x\">", 8, clBlack, "Tahoma"},
        {"<FONT color=\"#FF8000\">", 8, 0x0080FF, "Tahoma"},
        {"<FONT color=\"clRed\">", 8, clRed, "Tahoma"},
        {"<FONT color=\"clBtnFace\">", 8, clBtnFace, "Tahoma"},
        {"<FONT color=\"nonsense\">", 8, clBlack, "Tahoma"},
        {"<font face=\"Arial\" bgcolor=\"clRed\">", 8, clBlack, "ARIAL"},
    };
    for (const Case& c : cases) {
        TFakeSurface s;
        Lay(s, std::string(c.tag) + "x</FONT>y");
        ASSERT_EQ(s.runs.size(), 2u) << c.tag;
        EXPECT_EQ(s.runs[0].font.size, c.size) << c.tag;
        EXPECT_EQ(s.runs[0].font.color, c.color) << c.tag;
        EXPECT_EQ(s.runs[0].font.name, c.face) << c.tag;
        EXPECT_EQ(s.runs[1].font.size, 8) << c.tag;
        EXPECT_EQ(s.runs[1].font.color, clBlack) << c.tag;
        EXPECT_EQ(s.runs[1].font.name, "Tahoma") << c.tag;
        EXPECT_EQ(s.runs[1].background, clNone) << c.tag;
    }
    // BGCOLOR is the run background; COLOR is not found inside BGCOLOR.
    TFakeSurface bg;
    Lay(bg, "<FONT bgcolor=\"clRed\">x</FONT>");
    ASSERT_EQ(bg.runs.size(), 1u);
    EXPECT_EQ(bg.runs[0].background, clRed);
    EXPECT_EQ(bg.runs[0].font.color, clBlack);
    // KeepColors leaves them alone.
    TFakeSurface kept;
    TMiniHtmlOptions o;
    o.KeepColors = true;
    Lay(kept, "<FONT color=\"clRed\" bgcolor=\"clRed\">x</FONT>", o);
    EXPECT_EQ(kept.runs[0].font.color, clBlack);
    EXPECT_EQ(kept.runs[0].background, clNone);
}

TEST(MiniHtmlTest, ColourNamesMapToTheFrameworkColours) {
    EXPECT_EQ(ColorFromName("clred"), clRed);
    EXPECT_EQ(ColorFromName("clnavy"), clNavy);
    EXPECT_EQ(ColorFromName("clinfobk"), clInfoBk);
    EXPECT_EQ(ColorFromName("clwindowtext"), static_cast<TColor>(0xFF000008));
    EXPECT_EQ(ColorFromName("clRed"), clBlack) << "names are looked up in lower case";
    EXPECT_EQ(ColorFromName("teal"), clBlack);
}

TEST(MiniHtmlTest, StylesAndSubscriptsChangeTheRunsAndTheLineHeight) {
    TFakeSurface s;
    const TLaidOut out = Lay(s, "<B>b</B><I>i</I><U>u</U><S>s</S>x<SUB>2</SUB>");
    ASSERT_EQ(s.runs.size(), 6u);
    EXPECT_TRUE(s.runs[0].font.style.Contains(fsBold));
    EXPECT_TRUE(s.runs[1].font.style.Contains(fsItalic));
    EXPECT_TRUE(s.runs[2].font.style.Contains(fsUnderline));
    EXPECT_TRUE(s.runs[3].font.style.Contains(fsStrikeOut));
    EXPECT_TRUE(s.runs[4].font.style.Empty());
    // The subscript sinks by half its extra (8 / 2 = 4, then half of that) and the line grows.
    EXPECT_EQ(s.runs[5].y, 2);
    EXPECT_EQ(out.result.SizeY, 8 + 4 + 2);
    // Hidden text is neither drawn nor measured (the plain text keeps it).
    TFakeSurface hidden;
    const TLaidOut h = Lay(hidden, "a<Z>secret</Z>b");
    EXPECT_EQ(h.result.PlainText, "asecretb");
    ASSERT_EQ(hidden.runs.size(), 2u);
    EXPECT_EQ(hidden.runs[1].x, 2);
    EXPECT_EQ(h.result.SizeX, 4);
}

TEST(MiniHtmlTest, AnchorsAreCountedColouredUnderlinedAndHitTested) {
    TMiniHtmlOptions o;
    o.URLColor = clBlue;
    TFakeSurface s;
    const TLaidOut drawn = Lay(s, "ab<A href=\"first\">link</A>cd<A href=\"second\">x</A>", o);
    ASSERT_EQ(s.runs.size(), 4u);
    EXPECT_EQ(s.runs[1].font.color, clBlue);
    EXPECT_TRUE(s.runs[1].font.style.Contains(fsUnderline));
    EXPECT_EQ(s.runs[2].font.color, clBlack) << "the closing tag gives the base colour back";
    EXPECT_FALSE(s.runs[2].font.style.Contains(fsUnderline));
    EXPECT_EQ(drawn.result.AnchorCount, 2);
    EXPECT_FALSE(drawn.hit) << "drawing does not hit-test";

    // The point over "link" (x 3 to 7 from the line's left at 1, y inside the first line).
    struct Case {
        int x;
        int y;
        bool hit;
        const char* anchor;
        int number;
    };
    const Case cases[] = {
        {5, 4, true, "first", 1},
        {9, 4, true, "second", 2},
        {2, 4, false, "", -1},
        {5, 30, false, "", -1},
    };
    for (const Case& c : cases) {
        TFakeSurface t;
        TMiniHtmlOptions hit = o;
        hit.HitTestOnly = true;
        hit.PointX = c.x;
        hit.PointY = c.y;
        const TLaidOut out = Lay(t, "ab<A href=\"first\">link</A>cd<A href=\"second\">x</A>", hit);
        EXPECT_EQ(out.hit, c.hit) << c.x << "," << c.y;
        EXPECT_EQ(out.result.HitAnchor, c.anchor) << c.x << "," << c.y;
        EXPECT_EQ(out.result.HitAnchorNumber, c.number) << c.x << "," << c.y;
        EXPECT_TRUE(t.runs.empty()) << "hit-testing draws nothing";
    }
    TFakeSurface r;
    TMiniHtmlOptions hit = o;
    hit.HitTestOnly = true;
    hit.PointX = 5;
    hit.PointY = 4;
    const TLaidOut out = Lay(r, "ab<A href=\"first\">link</A>", hit);
    EXPECT_EQ(out.result.HitAnchorRect, Rect(3, 0, 7, 8));

    // The focused anchor (zero-based) reports its value while drawing.
    TFakeSurface f;
    TMiniHtmlOptions focus = o;
    focus.FocusedAnchorIndex = 1;
    EXPECT_EQ(Lay(f, "<A href=\"one\">1</A><A href=\"two\">2</A>", focus).result.FocusedAnchor,
              "two");
}

TEST(MiniHtmlTest, ImagesComeFromTheirListOnlyWithIndicesInsideIt) {
    struct Case {
        const char* source;
        int sizeX;
        int drawn;
    };
    const Case cases[] = {
        {"IDX:1", 16 + 2, 1}, {"IDX:2", 0, 0},        // at the count
        {"IDX:-1", 0, 0},                             // negative
        {"IDX:x", 0, 0},      {"SSYS:folder", 0, 0},  // no desktop icons here: no room
        {"logo", 20 + 2, 0},  {"missing", 0, 0},
    };
    for (const Case& c : cases) {
        TFakeSurface s;
        s.pictures["logo"] = {20, 10};
        const TLaidOut out = Lay(s, std::string("<IMG src=\"") + c.source + "\">");
        EXPECT_EQ(out.result.SizeX, c.sizeX) << c.source;
        EXPECT_EQ(static_cast<int>(s.images.size()), c.drawn) << c.source;
    }
    TFakeSurface sized;
    sized.pictures["logo"] = {20, 10};
    Lay(sized, "a<IMG src=\"logo\" width=\"40\" height=\"30\">b");
    ASSERT_EQ(sized.drawnPictures.size(), 1u);
    EXPECT_EQ(sized.drawnPictures[0], "logo@2,0 40x30");
    ASSERT_EQ(sized.runs.size(), 2u);
    EXPECT_EQ(sized.runs[1].x, 42);
}

TEST(MiniHtmlTest, ListItemsIndentAndASecondItemOnALineStartsAnother) {
    TFakeSurface s;
    const TLaidOut out = Lay(s, "<UL><LI>one<LI>two</UL>");
    ASSERT_EQ(s.runs.size(), 4u);  // bullet, "one", bullet, "two"
    EXPECT_EQ(s.runs[1].text, "one");
    EXPECT_EQ(s.runs[1].x, 1 + 12);
    EXPECT_EQ(s.runs[3].text, "two");
    EXPECT_GT(s.runs[3].y, s.runs[1].y);
    EXPECT_EQ(out.result.PlainText, "onetwo");
    TFakeSurface square;
    Lay(square, "<LI type=\"square\" color=\"clRed\">x");
    ASSERT_EQ(square.rects.size(), 1u);
    EXPECT_EQ(square.rects[0], Rect(-11, 2, -3, 10));
}

TEST(MiniHtmlTest, AlignmentAndIndentPlaceTheLine) {
    TFakeSurface right;
    Lay(right, "<P align=\"right\">abcd", {}, Rect(0, 0, 100, 50));
    ASSERT_EQ(right.runs.size(), 1u);
    EXPECT_EQ(right.runs[0].x, 96);
    TFakeSurface centre;
    Lay(centre, "<P align=\"center\" indent=\"3\">abcd", {}, Rect(0, 0, 101, 50));
    ASSERT_EQ(centre.runs.size(), 1u);
    EXPECT_EQ(centre.runs[0].x, 1 + 48 + 3);
}

TEST(MiniHtmlTest, LayoutStopsBelowTheRectangleUnlessOnlyMeasuring) {
    TFakeSurface s;
    const TLaidOut drawn = Lay(s, "a<br>b<br>c<br>d", {}, Rect(0, 0, 50, 20));
    EXPECT_EQ(s.runs.size(), 2u);
    EXPECT_EQ(drawn.result.SizeY, 16 + 2);
    TFakeSurface m;
    TMiniHtmlOptions o;
    o.MeasureOnly = true;
    EXPECT_EQ(Lay(m, "a<br>b<br>c<br>d", o, Rect(0, 0, 50, 20)).result.SizeY, 32 + 2);
}

TEST(MiniHtmlTest, MalformedMarkupEndsAndLosesNothingBeforeIt) {
    const char* texts[] = {
        "abc<",
        "abc<B",
        "abc<FONT size=\"3\"",
        "<<<<",
        "<>",
        "</>",
        "<IMG",
        "<LI><LI><LI>",
        "<OFS x=\"99999\">abc",
        "<IND x=\"-5\">abc",
        "<IMG src=\"IDX:0\" width=\"-3\">",
        "&amp;amp;amp;",
        "<A>unclosed anchor",
        "<P align=\"\">",
    };
    for (const char* text : texts) {
        TFakeSurface s;
        TMiniHtmlOptions o;
        o.WordWrap = true;
        const TLaidOut out = Lay(s, text, o, Rect(0, 0, 5, 1000));
        EXPECT_GE(out.result.SizeY, 10) << text;
    }
    TFakeSurface s;
    EXPECT_EQ(Lay(s, "abc<B").result.PlainText, "abc");
}

TEST(MiniHtmlTest, TheProgramsLineMeasuresAndDrawsOnTheDrawingLayer) {
    TBitmap bitmap(400, 60);
    bitmap.Canvas()->Brush()->SetColor(clBlack);
    bitmap.Canvas()->FillRect(Rect(0, 0, 400, 60));
    TGPGraphics g(bitmap.Canvas());
    TFont font;
    font.SetName("Tahoma");
    font.SetHeight(-11);
    TMiniHtmlParams p;
    p.Graphics = &g;
    p.Font = &font;
    p.Text = "<FONT size=\"20\" color=\"clWhite\">Loading Program....</FONT><br>";
    p.Rect = Rect(0, 0, 400, 60);
    p.WordWrap = true;
    p.LineSpacing = 2;
    p.MeasureOnly = true;
    TMiniHtmlResult measured;
    RenderMiniHtml(p, measured);
    TFont big;
    big.SetName("Tahoma");
    big.SetSize(20);
    EXPECT_EQ(measured.SizeY, g.TextHeight("Loading ", &big) + 2);
    EXPECT_GT(measured.SizeX, 150);
    EXPECT_LT(measured.SizeX, 320);

    p.MeasureOnly = false;
    TMiniHtmlResult drawn;
    RenderMiniHtml(p, drawn);
    // White text from the layout's left edge (one pixel in) to about the measured width.
    int left = 400;
    int right = -1;
    for (int y = 0; y < 60; ++y) {
        for (int x = 0; x < 400; ++x) {
            const TColorRef c = static_cast<TColorRef>(bitmap.Canvas()->Pixels(x, y));
            if (GetRValue(c) > 128 && GetGValue(c) > 128 && GetBValue(c) > 128) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
        }
    }
    // The layer leaves a sixth of an em of padding before the text.
    EXPECT_GE(left, 2);
    EXPECT_LE(left, 10);
    EXPECT_NEAR(right, measured.SizeX, 12);
}

}  // namespace
}  // namespace dsp

#include <gtest/gtest.h>

#include "framework/controls/ClassicDraw.h"
#include "framework/graphics/Bitmap.h"

namespace dsp {
namespace {

// A 16 x 116 vertical bar: two 16-pixel buttons and an 84-pixel track.
const TRect kBar = Rect(0, 0, 16, 116);

TEST(StdScrollBar, ThumbFollowsPageAndPosition) {
    struct Case {
        TScrollBarState state;
        int thumbTop, thumbBottom;
    };
    const Case cases[] = {
        {{0, 99, 50, 0}, 16, 58},    // half the range visible: half the track
        {{0, 99, 50, 50}, 58, 100},  // at the largest position: at the end
        {{0, 99, 50, 80}, 58, 100},  // beyond it: still at the end
        {{0, 999, 1, 0}, 16, 24},    // a tiny page: the smallest thumb
        {{0, 100, 0, 50}, 50, 66},   // no page: a square thumb in the middle
        {{0, 9, 10, 0}, 0, 0},       // everything visible: no thumb
    };
    for (const Case& c : cases) {
        const TScrollBarGeometry g = ScrollBarGeometry(kBar, true, c.state);
        EXPECT_EQ(g.thumb.Top, c.thumbTop) << c.state.position;
        EXPECT_EQ(g.thumb.Bottom, c.thumbBottom) << c.state.position;
    }
}

TEST(StdScrollBar, HitTestAndDraggingTheThumb) {
    const TScrollBarState s{0, 99, 50, 20};
    const TScrollBarGeometry g = ScrollBarGeometry(kBar, true, s);
    EXPECT_EQ(ScrollBarHitTest(kBar, true, s, {5, 3}), TScrollPart::LineUp);
    EXPECT_EQ(ScrollBarHitTest(kBar, true, s, {5, 112}), TScrollPart::LineDown);
    EXPECT_EQ(ScrollBarHitTest(kBar, true, s, {5, g.thumb.Top - 1}), TScrollPart::PageUp);
    EXPECT_EQ(ScrollBarHitTest(kBar, true, s, {5, g.thumb.Top}), TScrollPart::Thumb);
    EXPECT_EQ(ScrollBarHitTest(kBar, true, s, {5, g.thumb.Bottom}), TScrollPart::PageDown);
    EXPECT_EQ(ScrollBarHitTest(kBar, true, s, {20, 50}), TScrollPart::None);
    // Every position the thumb can show comes back from where it is drawn.
    for (int pos = 0; pos <= ScrollMaxPosition(s); ++pos) {
        TScrollBarState at = s;
        at.position = pos;
        const int offset = ScrollBarGeometry(kBar, true, at).thumb.Top - 16;
        const int back = ScrollPositionFromThumb(kBar, true, at, offset);
        const int shownAgain = ScrollBarGeometry(kBar, true, {0, 99, 50, back}).thumb.Top - 16;
        EXPECT_EQ(shownAgain, offset) << pos;
    }
    EXPECT_EQ(ScrollPositionFromThumb(kBar, true, s, -40), 0);
    EXPECT_EQ(ScrollPositionFromThumb(kBar, true, s, 400), 50);
}

TEST(StdClassicGlyphs, CheckMarkAndDisabledLook) {
    TBitmap bmp(20, 20);
    DrawCheckGlyph(*bmp.Canvas(), 2, 2, TCheckGlyphState::Checked, true, false);
    const TColorRef window = GetSysColor(COLOR_WINDOW);
    const TColorRef text = GetSysColor(COLOR_WINDOWTEXT);
    EXPECT_EQ(bmp.PixelAt(2, 2), GetSysColor(COLOR_BTNSHADOW));  // sunken frame
    EXPECT_EQ(bmp.PixelAt(4, 4), window);                        // inside
    EXPECT_EQ(bmp.PixelAt(2 + 3 + 6, 2 + 3), text);              // tip of the mark
    EXPECT_EQ(bmp.PixelAt(2 + 3 + 2, 2 + 3 + 6), text);          // foot of the mark
    DrawCheckGlyph(*bmp.Canvas(), 2, 2, TCheckGlyphState::Checked, false, false);
    EXPECT_EQ(bmp.PixelAt(4, 4), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(bmp.PixelAt(2 + 3 + 6, 2 + 3), GetSysColor(COLOR_BTNSHADOW));
}

TEST(StdClassicGlyphs, ArrowsPointTheirWay) {
    TBitmap bmp(16, 16);
    const TColorRef ink = GetSysColor(COLOR_BTNTEXT);
    DrawArrowGlyph(*bmp.Canvas(), Rect(0, 0, 16, 16), TArrowDirection::Down, true);
    // Base of seven pixels on top, tip of one below it.
    EXPECT_EQ(bmp.PixelAt(4, 6), ink);
    EXPECT_EQ(bmp.PixelAt(10, 6), ink);
    EXPECT_EQ(bmp.PixelAt(7, 9), ink);
    EXPECT_NE(bmp.PixelAt(6, 9), ink);
    TBitmap up(16, 16);
    DrawArrowGlyph(*up.Canvas(), Rect(0, 0, 16, 16), TArrowDirection::Up, true);
    EXPECT_EQ(up.PixelAt(7, 6), ink);
    EXPECT_EQ(up.PixelAt(4, 9), ink);
    EXPECT_NE(up.PixelAt(4, 6), ink);
}

}  // namespace
}  // namespace dsp

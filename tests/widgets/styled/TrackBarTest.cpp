#include <gtest/gtest.h>

#include <QEvent>
#include <chrono>
#include <vector>

#include "framework/controls/KeyMap.h"
#include "framework/controls/MessageParams.h"
#include "framework/graphics/Bitmap.h"
#include "framework/runtime/ManualClock.h"
#include "tests/framework/controls/ControlTestSupport.h"
#include "tests/widgets/styled/StyledTestSupport.h"
#include "widgets/styled/AdvTrackBar.h"

namespace dsp {
namespace {

using std::chrono::milliseconds;

constexpr TColor kKey = clTeal;
constexpr TColor kCap = clRed;

// A thumb picture of 16 x 29: a red cap with a key-coloured margin two pixels wide on the left
// and the key in the bottom-left corner.
std::vector<std::uint8_t> ThumbFile() {
    TBitmap b(16, 29);
    b.Canvas()->Brush()->SetColor(kCap);
    b.Canvas()->FillRect(Rect(0, 0, 16, 29));
    b.Canvas()->Brush()->SetColor(kKey);
    b.Canvas()->FillRect(Rect(0, 0, 2, 29));
    b.SetPixelFormat(pf24bit);
    return b.SaveToBytes();
}

// A vertical fader set up as the main window sets up a gain fader: 26 x 126, -280..120, page 6,
// a 3-pixel white-to-black track with a grey 3-D border, a 16 x 29 thumb picture, no ticks,
// the focus rectangle on. It records every OnChange.
class FaderTest : public ::testing::Test {
protected:
    void SetUp() override {
        form_ = test::MakeForm(120, 200, clNavy);
        fader_ = new TAdvTrackBar(form_.get());
        fader_->SetOrientation(trVertical);
        test::Place(fader_, form_.get(), 10, 20, 26, 126);
        fader_->SetMin(-280);
        fader_->SetMax(120);
        fader_->SetPageSize(6);
        fader_->Slider()->SetSize(3);
        fader_->Slider()->SetColor(clWhite);
        fader_->Slider()->SetColorTo(clBlack);
        fader_->Slider()->SetBorderColor(clGray);
        fader_->TickMark()->SetStyle(tsNone);
        fader_->SetShowFocus(true);
        TGDIPPicture thumb;
        thumb.LoadFromBytes(ThumbFile());
        fader_->Thumb()->SetPicture(&thumb);
        fader_->OnChange = [this](TObject* sender) {
            EXPECT_EQ(sender, fader_);
            changes_.push_back(fader_->Position());
        };
    }

    void Show() { test::ShowAndPaint(*form_); }
    void Press(int x, int y) {
        fader_->Perform(MakeMouseMessage(WM_LBUTTONDOWN, MK_LBUTTON, {x, y}));
    }
    void Move(int x, int y) { fader_->Perform(MakeMouseMessage(WM_MOUSEMOVE, MK_LBUTTON, {x, y})); }
    void Release(int x, int y) { fader_->Perform(MakeMouseMessage(WM_LBUTTONUP, 0, {x, y})); }

    std::unique_ptr<TForm> form_;
    TAdvTrackBar* fader_ = nullptr;
    std::vector<int> changes_;
};

TEST_F(FaderTest, EveryRequestForAnotherValueRaisesOnChangeEvenWhenClampedBack) {
    struct Step {
        int request;
        int stored;
        bool change;
    };
    const Step steps[] = {
        {0, 0, false},        // the value it has: nothing
        {120, 120, true},     //
        {125, 120, true},     // beyond Max, clamped back to where it was: still a change
        {120, 120, false},    //
        {-500, -280, true},   //
        {-280, -280, false},  //
        {7, 7, true},         //
    };
    for (const Step& s : steps) {
        changes_.clear();
        fader_->SetPosition(s.request);
        EXPECT_EQ(fader_->Position(), s.stored) << s.request;
        EXPECT_EQ(changes_.size(), s.change ? 1u : 0u) << s.request;
    }
    // Moving Min above the position drags it along, with its change.
    changes_.clear();
    fader_->SetMin(50);
    EXPECT_EQ(changes_, std::vector<int>{50});
    fader_->SetMax(60);
    fader_->SetMax(40);  // below Min: accepted; the position, asked for 40, stays at Min
    EXPECT_EQ(changes_, (std::vector<int>{50, 50}));
    EXPECT_EQ(fader_->Position(), 50);
}

TEST_F(FaderTest, GeometryOfTheGainFader) {
    EXPECT_EQ(fader_->Thumb()->Size(), 16);
    EXPECT_EQ(fader_->Thumb()->Width(), 29);
    fader_->Thumb()->SetWidth(10);  // the picture decides while it is set
    EXPECT_EQ(fader_->Thumb()->Width(), 29);
    EXPECT_EQ(fader_->ContentRect(), Rect(3, 3, 23, 123));
    EXPECT_EQ(fader_->InnerRect(), Rect(13, 3, 23, 123));
    EXPECT_EQ(fader_->SliderRect(), Rect(13, 3, 16, 123));
    EXPECT_EQ(fader_->UsableLength(), 91);
    EXPECT_EQ(fader_->ThumbRect(), Rect(6, 30, 22, 59));
    fader_->SetPosition(-280);
    EXPECT_EQ(fader_->ThumbRect(), Rect(6, 94, 22, 123));
    fader_->SetPosition(120);
    EXPECT_EQ(fader_->ThumbRect(), Rect(6, 3, 22, 32));
    fader_->SetMax(-280);  // an empty range: the thumb sits at the bottom
    EXPECT_EQ(fader_->ThumbRect(), Rect(6, 94, 22, 123));
}

TEST_F(FaderTest, KeysStepWithinTheRangeAndShiftBlocksThemAll) {
    Show();
    fader_->SetFocus();
    struct Case {
        const char* name;
        int start;
        int key;
        int modifiers;
        std::vector<int> changes;
    };
    const Case cases[] = {
        {"page up", 0, Qt::Key_PageUp, 0, {6}},
        {"page down", 0, Qt::Key_PageDown, 0, {-6}},
        {"page up at Max", 120, Qt::Key_PageUp, 0, {120}},  // a change, clamped back
        {"up at Max", 120, Qt::Key_Up, 0, {}},
        {"down at Min", -280, Qt::Key_Down, 0, {}},
        {"up", 0, Qt::Key_Up, 0, {1}},
        {"right", 0, Qt::Key_Right, 0, {1}},
        {"left", 0, Qt::Key_Left, 0, {-1}},
        {"home on a vertical fader", 0, Qt::Key_Home, 0, {120}},
        {"end on a vertical fader", 0, Qt::Key_End, 0, {-280}},
        {"shift page up", 0, Qt::Key_PageUp, Qt::ShiftModifier, {}},
        {"shift up", 0, Qt::Key_Up, Qt::ShiftModifier, {}},
        {"control up", 0, Qt::Key_Up, Qt::ControlModifier, {1}},
    };
    for (const Case& c : cases) {
        fader_->SetPosition(c.start);
        changes_.clear();
        test::SendKey(*form_, c.key, "", c.modifiers);
        EXPECT_EQ(changes_, c.changes) << c.name;
    }
    // Horizontal: Home goes to Min and End to Max.
    auto* flat = test::Place(new TAdvTrackBar(form_.get()), form_.get(), 0, 160, 150, 26);
    flat->SetMin(-5);
    std::vector<int> flatChanges;
    flat->OnChange = [&](TObject*) { flatChanges.push_back(flat->Position()); };
    flat->SetFocus();
    test::SendKey(*form_, Qt::Key_Home);
    test::SendKey(*form_, Qt::Key_End);
    EXPECT_EQ(flatChanges, (std::vector<int>{-5, 10}));
}

TEST_F(FaderTest, TheWheelStepsByOneUpwardsAndStopsAtTheEnds) {
    Show();
    fader_->SetFocus();
    fader_->SetPosition(119);
    changes_.clear();
    test::SendWheel(*fader_, 14, 60, 120);
    test::SendWheel(*fader_, 14, 60, 120);  // at Max: nothing
    test::SendWheel(*fader_, 14, 60, -120);
    test::SendWheel(*fader_, 14, 60, -120, Qt::ShiftModifier);  // modifiers change nothing
    EXPECT_EQ(changes_, (std::vector<int>{120, 119, 118}));
}

TEST_F(FaderTest, AJumpMapsThePressRoundingHalvesToEven) {
    Show();
    fader_->SetMoveOnClick(mcMove);
    fader_->SetPosition(-280);
    changes_.clear();
    // 46 pixels above (inner bottom - thumb): 46 / 91 x 400 - 280 = -77.80.
    Press(14, 123 - 29 - 46);
    Release(14, 123 - 29 - 46);
    EXPECT_EQ(changes_, std::vector<int>{-78});
    EXPECT_FALSE(fader_->Sliding());

    // A horizontal fader of 150 with a 10-pixel thumb: 134 pixels for 0..67, two per value.
    auto* flat = test::Place(new TAdvTrackBar(form_.get()), form_.get(), 0, 160, 150, 26);
    flat->SetMax(67);
    flat->SetPosition(67);
    flat->SetMoveOnClick(mcMove);
    struct Case {
        int x;
        int value;
    };
    for (const Case& c : {Case{13, 2}, Case{15, 4}}) {  // 2.5 and 3.5 from 8 + 2v
        flat->SetPosition(67);
        flat->Perform(MakeMouseMessage(WM_LBUTTONDOWN, MK_LBUTTON, {c.x, 20}));
        flat->Perform(MakeMouseMessage(WM_LBUTTONUP, 0, {c.x, 20}));
        EXPECT_EQ(flat->Position(), c.value) << c.x;
    }
    // A thumb as long as its band leaves no length to map: a press means Min.
    flat->Thumb()->SetWidth(144);
    flat->SetMin(10);
    flat->SetPosition(50);
    flat->Perform(MakeMouseMessage(WM_LBUTTONDOWN, MK_LBUTTON, {5, 24}));  // beside the thumb
    EXPECT_FALSE(flat->Sliding());
    EXPECT_EQ(flat->Position(), 10);
}

TEST_F(FaderTest, ADragFollowsThePointerFromWhereTheThumbWasTaken) {
    Show();
    fader_->SetTrackHint(true);
    // The thumb (6, 30, 22, 59), taken 4 pixels below its centre line.
    Press(14, 48);
    EXPECT_TRUE(fader_->Sliding());
    EXPECT_TRUE(fader_->ThumbDown());
    Move(14, 38);  // 10 up: d = 123 - 29 - (38 - 4 - 14) = 74, 74 / 91 x 400 - 280 = 45.3
    EXPECT_TRUE(fader_->TrackHintShowing());
    EXPECT_EQ(fader_->TrackHintWindow()->Caption(), "45");
    Move(14, 38);  // the same place: no change
    Move(14, 400);
    Move(14, -400);
    Release(14, -400);
    EXPECT_EQ(changes_, (std::vector<int>{45, -280, 120}));
    EXPECT_FALSE(fader_->Sliding());
    EXPECT_FALSE(fader_->ThumbDown());
    EXPECT_FALSE(fader_->TrackHintShowing());
    Move(14, 100);  // no button: hovering changes nothing
    EXPECT_EQ(changes_.size(), 3u);
}

TEST_F(FaderTest, HoldingOnTheTrackStepsAtOnceAfter400MsThenEvery100Ms) {
    TManualClock clock;
    Show();
    fader_->SetPageSize(40);
    // Above the thumb (6, 30, 22, 59): steps up until the thumb reaches the press point.
    Press(14, 12);
    EXPECT_EQ(changes_, std::vector<int>{40});
    clock.Advance(milliseconds(399));
    EXPECT_EQ(changes_.size(), 1u);
    clock.Advance(milliseconds(1));
    EXPECT_EQ(changes_, (std::vector<int>{40, 80}));
    clock.Advance(milliseconds(100));
    EXPECT_EQ(changes_, (std::vector<int>{40, 80, 120}));
    // At Max a step would not move the thumb: the stepping ends instead of sending Max again.
    clock.Advance(milliseconds(1000));
    EXPECT_EQ(changes_.size(), 3u);
    EXPECT_FALSE(fader_->RepeatTimerRunning());
    Release(14, 12);
    EXPECT_FALSE(fader_->SliderButtonDown());
}

TEST_F(FaderTest, HeldPageStepsNeverSwingBackAroundThePressPoint) {
    TManualClock clock;
    Show();
    // Below the thumb bottom (59) at 80; a page of 6 moves the thumb 1.4 pixels. The steps
    // go down until the next one would carry the thumb bottom past 80, and stop there.
    Press(14, 80);
    clock.Advance(milliseconds(400));
    for (int i = 0; i < 60; ++i) clock.Advance(milliseconds(100));
    std::vector<int> expected;
    for (int v = -6; v >= -90; v -= 6) expected.push_back(v);
    EXPECT_EQ(changes_, expected);
    EXPECT_EQ(fader_->ThumbRect().Bottom, 80);
    Release(14, 80);
}

TEST_F(FaderTest, LosingTheCaptureStopsTheRepeatingAndEndsADrag) {
    TManualClock clock;
    Show();
    Press(14, 80);
    EXPECT_TRUE(fader_->RepeatTimerRunning());
    fader_->Perform(WM_CANCELMODE);  // a popup took the pointer: no release will come
    EXPECT_FALSE(fader_->RepeatTimerRunning());
    clock.Advance(milliseconds(2000));
    EXPECT_EQ(changes_, std::vector<int>{-6});

    Press(14, 40);  // on the thumb
    EXPECT_TRUE(fader_->Sliding());
    fader_->Perform(WM_CANCELMODE);
    EXPECT_FALSE(fader_->Sliding());
    Move(14, 10);
    EXPECT_EQ(changes_, std::vector<int>{-6});
}

TEST_F(FaderTest, MouseDownHandlersSeeThePressBeforeTheFaderActsAndMouseUpAfter) {
    Show();
    fader_->SetMoveOnClick(mcMove);
    fader_->SetPosition(-280);
    std::vector<int> seen;
    fader_->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int, int) {
        seen.push_back(fader_->Position());
    };
    fader_->OnMouseUp = [&](TObject*, TMouseButton, TShiftState, int, int) {
        seen.push_back(fader_->Position());
    };
    Press(14, 48);
    Release(14, 48);
    EXPECT_EQ(seen, (std::vector<int>{-280, -78}));
}

TEST_F(FaderTest, APositionChangeRepaintsOnlyTheThumbAreas) {
    struct TProbe : TAdvTrackBar {
        using TAdvTrackBar::TAdvTrackBar;
        std::vector<TRect> clips;
        void Paint() override {
            clips.push_back(Canvas()->ClipRect());
            TAdvTrackBar::Paint();
        }
    };
    auto* probe = new TProbe(form_.get());
    probe->SetOrientation(trVertical);
    test::Place(probe, form_.get(), 60, 20, 26, 126);
    probe->SetMin(-280);
    probe->SetMax(120);
    probe->Slider()->SetSize(3);
    probe->TickMark()->SetStyle(tsNone);
    TGDIPPicture thumb;
    thumb.LoadFromBytes(ThumbFile());
    probe->Thumb()->SetPicture(&thumb);
    Show();
    test::PaintPending(*form_);
    probe->clips.clear();
    probe->SetPosition(-270);  // thumb (6, 30, 22, 59) to (6, 92, 22, 121)
    test::PaintPending(*form_);
    ASSERT_EQ(probe->clips.size(), 1u);
    EXPECT_EQ(probe->clips[0], Rect(5, 29, 23, 122));
}

TEST_F(FaderTest, TheThumbPictureLeavesItsKeyColourToWhatLiesBehind) {
    Show();
    const auto image = form_->RenderToImage();
    // The thumb (6, 30, 22, 59) at (16, 50) on the form: its key margin shows the navy form.
    EXPECT_EQ(image->PixelAt(10 + 6, 20 + 40), 0x800000u);
    EXPECT_EQ(image->PixelAt(10 + 7, 20 + 40), 0x800000u);
    EXPECT_EQ(image->PixelAt(10 + 8, 20 + 40), 0x0000FFu);
    EXPECT_EQ(image->PixelAt(10 + 21, 20 + 58), 0x0000FFu);
    // Outside the thumb and the track the fader is see-through.
    EXPECT_EQ(image->PixelAt(10 + 2, 20 + 100), 0x800000u);
}

TEST_F(FaderTest, TheTrackIsAGreyGrooveWithALightSide) {
    fader_->SetPosition(120);  // the thumb out of the way at the top
    Show();
    const auto image = form_->RenderToImage();
    auto at = [&](int x, int y) { return image->PixelAt(10 + x, 20 + y); };
    const TColorRef grey = 0x808080;
    const TColorRef light = RGB(242, 242, 242);  // 10 % grey in white
    for (int y : {40, 80, 120}) {
        EXPECT_EQ(at(13, y), grey) << y;
        EXPECT_EQ(at(14, y), light) << y;
        EXPECT_EQ(at(15, y), light) << y;
        EXPECT_EQ(at(16, y), 0x800000u) << y;
    }
    EXPECT_EQ(at(14, 121), light);
    EXPECT_EQ(at(13, 122), grey);
}

TEST_F(FaderTest, FocusShowsADottedRectangleOnePixelInsideTheRightAndBottomEdges) {
    auto* other = test::Place(new TAdvTrackBar(form_.get()), form_.get(), 50, 20, 150, 26);
    Show();
    auto row0 = [&] {
        const auto image = form_->RenderToImage();
        std::string dots;
        for (int x = 0; x < 26; ++x) dots += image->PixelAt(10 + x, 20) == 0 ? '#' : '.';
        return dots;
    };
    fader_->SetFocus();
    test::PaintPending(*form_);
    EXPECT_EQ(row0(), "#.#.#.#.#.#.#.#.#.#.#.#.#.");
    const auto image = form_->RenderToImage();
    // The right edge is the last column and the bottom edge the last row; the dots run on
    // around the corners.
    EXPECT_EQ(image->PixelAt(10 + 25, 20 + 1), 0u);
    EXPECT_EQ(image->PixelAt(10 + 25, 20 + 2), 0x800000u);
    EXPECT_EQ(image->PixelAt(10 + 25, 20 + 125), 0u);
    EXPECT_EQ(image->PixelAt(10 + 24, 20 + 125), 0x800000u);
    EXPECT_EQ(image->PixelAt(10 + 23, 20 + 125), 0u);
    other->SetFocus();
    test::PaintPending(*form_);
    EXPECT_EQ(row0(), std::string(26, '.'));
}

TEST(FaderDrawing, GradientBandsBlendsAndFrames) {
    // 20 bands over a 3-pixel track: the last band on each column wins.
    TBitmap b(3, 4);
    DrawGradientBands(b.Canvas(), clWhite, clBlack, true, Rect(0, 0, 3, 4), 20);
    EXPECT_EQ(b.PixelAt(0, 1), RGB(191, 191, 191));
    EXPECT_EQ(b.PixelAt(1, 1), RGB(76, 76, 76));  // 76.5 to even
    EXPECT_EQ(b.PixelAt(2, 1), RGB(13, 13, 13));
    // No bands means one band of the first colour.
    TBitmap one(4, 4);
    DrawGradientBands(one.Canvas(), clRed, clBlue, false, Rect(0, 0, 4, 4), 0);
    EXPECT_EQ(one.PixelAt(2, 3), 0x0000FFu);
    // In and out: the right half runs back from 49.
    TBitmap inOut(100, 2);
    DrawDirectionalGradient(inOut.Canvas(), clBlack, clWhite, gdHorizontalInOut, Rect(0, 0, 100, 2),
                            50);
    EXPECT_EQ(inOut.PixelAt(0, 0), 0u);
    EXPECT_LT(GetRValue(inOut.PixelAt(99, 0)), 10);
    EXPECT_GT(GetRValue(inOut.PixelAt(49, 0)), 200);

    EXPECT_EQ(advtrackbar::MixColors(clWhite, clBlack, 50),
              static_cast<TColor>(RGB(128, 128, 128)));
    EXPECT_EQ(advtrackbar::MixColors(clRed, clBlue, 100), clRed);
    EXPECT_EQ(advtrackbar::MixColors(clRed, clBlue, -3), clBlue);
    EXPECT_EQ(MakeGDIPColor(clRed), 0xFFFF0000u);
}

TEST(FaderParts, SettingsCopiesStylesAndTheLabelFormat) {
    TAdvTrackBar fader(nullptr);
    // Orientation swaps the size.
    fader.SetOrientation(trVertical);
    EXPECT_EQ(fader.Width(), 26);
    EXPECT_EQ(fader.Height(), 150);

    // Copying a thumb keeps the target's ShowAtMinMax.
    TAdvTrackBar other(nullptr);
    other.Thumb()->SetShowAtMinMax(false);
    other.Thumb()->SetColor(clRed);
    fader.Thumb()->Assign(other.Thumb());
    EXPECT_TRUE(fader.Thumb()->ShowAtMinMax());
    EXPECT_EQ(fader.Thumb()->Color(), clRed);

    // Every style clears the pictures and resets shape, tick side and track offset.
    TGDIPPicture thumb;
    thumb.LoadFromBytes(ThumbFile());
    fader.Thumb()->SetPicture(&thumb);
    fader.Thumb()->SetShape(tsRound);
    fader.TickMark()->SetPosition(tmBoth);
    fader.Slider()->SetOffset(4);
    fader.SetComponentStyle(tsCustom);
    EXPECT_TRUE(fader.Thumb()->Picture()->Empty());
    EXPECT_EQ(fader.Thumb()->Shape(), tsPointer);
    EXPECT_EQ(fader.TickMark()->Position(), tmBottomRight);
    EXPECT_EQ(fader.Slider()->Offset(), 10);
    fader.SetComponentStyle(tsOffice2007Luna);
    EXPECT_EQ(fader.Slider()->BorderColor(), 12752500);
    EXPECT_EQ(fader.TickMark()->Color(), 12752500);
    EXPECT_EQ(fader.Thumb()->ColorHot(), 15465983);

    // The value label: the user's format through the framework's Format; one that does not
    // fit a single integer shows the number.
    fader.TrackLabel()->SetVisible(true);
    fader.SetMax(100);
    fader.SetPosition(42);
    const struct {
        const char* format;
        const char* text;
    } labels[] = {
        {"Pos: %d", "Pos: 42"}, {"%d dB", "42 dB"}, {"%s and %d", "42"}, {"%.2f", "42.00"}};
    for (const auto& l : labels) {
        fader.TrackLabel()->SetFormat(l.format);
        fader.OnGetTrackLabelText = nullptr;
        std::string text;
        fader.TrackLabel()->SetVisible(true);
        const TRect r = fader.TrackLabelRect(false);
        EXPECT_NE(r, kNoRect);
        fader.OnGetTrackLabelText = [&](TObject*, int, std::string& value) { text = value; };
        fader.TrackLabelRect(false);
        EXPECT_EQ(text, l.text) << l.format;
    }
}

TEST(FaderParts, EndButtonsAndRatingCellsShapeTheInnerBand) {
    TAdvTrackBar fader(nullptr);
    fader.SetOrientation(trVertical);
    const TRect plain = fader.InnerRect();
    fader.Buttons()->SetVisible(true);
    const TRect shortened = fader.InnerRect();
    EXPECT_EQ(shortened.Top, plain.Top + 20 + 2);
    EXPECT_EQ(shortened.Bottom, plain.Bottom - 20 - 2);

    // Rating mode: 16 x 16 cells in a band 40 wide, two to a row.
    TAdvTrackBar rating(nullptr);
    rating.SetBounds(0, 0, 46, 80);
    TGDIPPicture cell;
    cell.LoadFromBytes(test::BmpFile(16, 16, clYellow, clTeal));
    rating.SetRateActive(&cell);
    rating.SetRateInActive(&cell);
    ASSERT_TRUE(rating.RatingMode());
    const TRect inner = rating.InnerRect();
    ASSERT_EQ(inner.Width(), 40);
    EXPECT_EQ(rating.RateCellRect(1), Bounds(inner.Left, inner.Top, 16, 16));
    EXPECT_EQ(rating.RateCellRect(2), Bounds(inner.Left + 16, inner.Top, 16, 16));
    EXPECT_EQ(rating.RateCellRect(3), Bounds(inner.Left, inner.Top + 16, 16, 16));
    EXPECT_EQ(rating.RateCellAt({inner.Left + 20, inner.Top + 3}), 2);
    EXPECT_EQ(rating.RateCellAt({0, 0}), -1);
}

}  // namespace
}  // namespace dsp

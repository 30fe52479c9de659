#include <gtest/gtest.h>

#include <chrono>

#include "framework/runtime/ManualClock.h"
#include "tests/framework/controls/ControlTestSupport.h"
#include "tests/framework/graphics/PixelMap.h"
#include "tests/widgets/panels/PanelTestSupport.h"
#include "widgets/panels/RzLabel.h"

namespace dsp {
namespace {

using namespace std::chrono_literals;
using test::Place;

// A label on a plain white panel-like parent, painted into a bitmap of the parent's size.
struct TLabelScene {
    std::unique_ptr<TForm> form_ = test::MakeForm(120, 40, clWhite);
    TRzLabel* label_ = nullptr;

    TLabelScene() {
        label_ = new TRzLabel(form_.get());
        label_->SetParent(form_.get());
        label_->SetAutoSize(false);
        label_->SetBounds(10, 5, 100, 30);
        label_->Font()->SetName("Arial");
        label_->Font()->SetHeight(-11);
        label_->Font()->SetColor(clBlack);
        label_->SetCaption("1");
    }
    std::unique_ptr<TBitmap> Paint() { return test::Render(*form_); }
};

TEST(RzLabel, TheBandTablesLabelDrawsOnlyItsCaptionCentred) {
    TLabelScene scene;
    scene.label_->SetTransparent(true);
    scene.label_->SetAlignment(taCenter);
    scene.label_->SetCaption("12");
    const auto b = scene.Paint();
    const TRect ink = testing::InkBounds(*b, 0xFFFFFF);
    ASSERT_FALSE(IsRectEmpty(ink));
    // Centred across the label (10..110) and drawn from its top; nothing filled behind it.
    EXPECT_LE(std::abs((ink.Left + ink.Right) - 120), 2);
    EXPECT_GE(ink.Top, 5);
    EXPECT_LT(ink.Bottom, 5 + 16);
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 120; ++x) {
            if (PtInRect(ink, {x, y})) continue;
            EXPECT_EQ(b->PixelAt(x, y), 0xFFFFFFu) << x << "," << y;
        }

    // Opaque, the label fills itself with its colour, which follows the parent's.
    scene.label_->SetTransparent(false);
    scene.form_->SetColor(clAqua);
    EXPECT_EQ(scene.label_->Color(), clAqua);
    const auto opaque = scene.Paint();
    EXPECT_EQ(opaque->PixelAt(12, 30), 0xFFFF00u);
}

TEST(RzLabel, AutoSizeAddsTheFramesToTheMeasuredText) {
    TLabelScene scene;
    scene.label_->SetCaption("Gain");
    scene.label_->SetAutoSize(true);
    const int w = scene.label_->Width();
    const int h = scene.label_->Height();
    scene.label_->SetBorderOuter(fsFlat);
    scene.label_->SetBorderWidth(2);
    EXPECT_EQ(scene.label_->Width(), w + 6);
    EXPECT_EQ(scene.label_->Height(), h + 6);
    // Flat bold frames add nothing to the auto-size.
    scene.label_->SetBorderOuter(fsFlatBold);
    EXPECT_EQ(scene.label_->Width(), w + 4);
    scene.label_->SetTextStyle(tsShadow);
    scene.label_->SetCaption("Gain ");
    scene.label_->SetCaption("Gain");
    EXPECT_EQ(scene.label_->Width(), w + 4 + 2);
}

TEST(RzLabel, AnglesAreKeptWithinAFullTurn) {
    TRzLabel label(nullptr);
    struct Case {
        int set;
        int kept;
    };
    for (const Case c : {Case{-30, 330}, Case{-400, 320}, Case{-720, 0}, Case{725, 5}, Case{90, 90},
                         Case{360, 0}}) {
        label.SetAngle(c.set);
        EXPECT_EQ(label.Angle(), c.kept) << c.set;
    }
    label.SetRotation(roNone);
    label.SetAngle(45);
    EXPECT_EQ(label.Rotation(), roFlat);
    label.SetRotation(roNone);
    EXPECT_EQ(label.Angle(), 0);
}

TEST(RzLabel, RaisedAndRecessedTextWithAndWithoutTheLightStyle) {
    TLabelScene scene;
    scene.label_->SetTransparent(true);
    scene.label_->SetCaption("WWW");
    scene.label_->SetShadowColor(clRed);
    scene.label_->SetHighlightColor(clBlue);
    scene.label_->SetTextStyle(tsRaised);
    // Text is smoothed: count the pixels clearly tinted red (shadow) or blue (highlight).
    auto tinted = [&](int channel) {
        const auto b = scene.Paint();
        int n = 0;
        for (int y = 0; y < b->Height(); ++y)
            for (int x = 0; x < b->Width(); ++x) {
                const TColorRef p = b->PixelAt(x, y);
                const int c[3] = {GetRValue(p), GetGValue(p), GetBValue(p)};
                n += c[channel] - c[(channel + 1) % 3] > 64 &&
                     c[channel] - c[(channel + 2) % 3] > 64;
            }
        return n;
    };
    constexpr int kRed = 0;
    constexpr int kBlue = 2;
    EXPECT_GT(tinted(kRed), 0);
    EXPECT_GT(tinted(kBlue), 0);
    // Raised and light: only the highlight copy up and left, then the text.
    scene.label_->SetLightTextStyle(true);
    EXPECT_EQ(tinted(kRed), 0);
    EXPECT_GT(tinted(kBlue), 0);
    // Recessed and light: only the highlight copy down and right.
    scene.label_->SetTextStyle(tsRecessed);
    EXPECT_GT(tinted(kBlue), 0);
    EXPECT_EQ(tinted(kRed), 0);
    scene.label_->SetLightTextStyle(false);
    EXPECT_GT(tinted(kRed), 0);
    // Disabled: grey text only.
    scene.label_->SetTextStyle(tsRaised);
    scene.label_->SetEnabled(false);
    EXPECT_EQ(tinted(kRed) + tinted(kBlue), 0);
    EXPECT_EQ(testing::CountPixels(*scene.Paint(), 0x000000), 0);
    EXPECT_GT(testing::CountPixels(*scene.Paint(), 0x808080), 0);
}

TEST(RzLabel, TurnedAndCurvedTextStayInsideSmallLabels) {
    TLabelScene scene;
    scene.label_->SetTransparent(true);
    scene.label_->SetCaption("Level");
    scene.label_->SetAngle(90);
    const TRect up = testing::InkBounds(*scene.Paint(), 0xFFFFFF);
    EXPECT_GT(up.Height(), up.Width());

    // Along a curve, on a label with room for one.
    scene.label_->SetRotation(roCurve);
    scene.label_->SetBounds(10, 5, 100, 100);
    scene.form_->SetClientSize(120, 110);
    EXPECT_FALSE(IsRectEmpty(testing::InkBounds(*scene.Paint(), 0xFFFFFF)));
    // Without room (a radius of 0 would divide the advance by zero) the text is drawn flat.
    scene.label_->SetBounds(10, 5, 1, 100);
    EXPECT_NO_THROW(scene.Paint());
    scene.label_->SetBounds(10, 5, 100, 100);
    scene.label_->SetBorderWidth(30);
    EXPECT_NO_THROW(scene.Paint());

    // Disabled curved text is embossed: highlight down and right, then the shadow colour.
    scene.label_->SetBorderWidth(0);
    scene.label_->SetEnabled(false);
    const auto curved = scene.Paint();
    EXPECT_GT(testing::CountPixels(*curved, 0x808080), 0);
    EXPECT_EQ(testing::CountPixels(*curved, 0x000000), 0);
}

TEST(RzLabel, BlinkingLabelsAlternateInStepOnTheSharedTimer) {
    TManualClock clock;
    TLabelScene scene;
    TRzLabel* a = scene.label_;
    auto* b = Place(new TRzLabel(scene.form_.get()), scene.form_.get(), 0, 0, 30, 20);
    TRzBlinkingControlsList* list = TRzBlinkingControlsList::Current();
    ASSERT_NE(list, nullptr);
    // No label blinks: the shared timer does not run.
    EXPECT_FALSE(list->TimerRunning());

    a->SetBlinkColor(clRed);
    b->SetBlinkColor(clLime);
    b->Font()->SetColor(clBlue);
    a->SetBlinking(true);
    b->SetBlinking(true);
    EXPECT_TRUE(list->TimerRunning());
    // Two labels, two interval settings: the last one written holds for both.
    a->SetBlinkIntervalOn(200);
    b->SetBlinkIntervalOn(300);
    EXPECT_EQ(a->BlinkIntervalOn(), 300u);

    // The first tick hands out the normal colour, the second the blink colour; the blink colour
    // lasts the on interval, the normal colour the off interval.
    clock.Advance(500ms);
    EXPECT_EQ(a->CurrentColor(), clBlack);
    EXPECT_EQ(b->CurrentColor(), clBlue);
    clock.Advance(499ms);
    EXPECT_EQ(a->CurrentColor(), clBlack);
    clock.Advance(1ms);
    EXPECT_EQ(a->CurrentColor(), clRed);
    EXPECT_EQ(b->CurrentColor(), clLime);
    clock.Advance(299ms);
    EXPECT_EQ(a->CurrentColor(), clRed);
    clock.Advance(1ms);
    EXPECT_EQ(a->CurrentColor(), clBlack);

    // Stopping one leaves the other blinking; stopping both stops the timer and restores the
    // font colour.
    a->SetBlinking(false);
    EXPECT_EQ(a->CurrentColor(), clBlack);
    EXPECT_TRUE(list->TimerRunning());
    clock.Advance(500ms);
    EXPECT_EQ(a->CurrentColor(), clBlack);
    EXPECT_EQ(b->CurrentColor(), clLime);
    b->SetBlinking(false);
    EXPECT_FALSE(list->TimerRunning());
    EXPECT_EQ(b->CurrentColor(), clBlue);

    // The painted label shows the colour of the moment.
    a->SetTransparent(true);
    a->SetCaption("8");
    a->SetBlinking(true);
    clock.Advance(1000ms);
    EXPECT_GT(testing::CountPixels(*scene.Paint(), 0x0000FF), 0);
}

TEST(RzLabel, TheBlinkListGoesWithTheLastLabel) {
    {
        TRzLabel only(nullptr);
        EXPECT_NE(TRzBlinkingControlsList::Current(), nullptr);
        only.SetBlinkIntervalOff(900);
    }
    EXPECT_EQ(TRzBlinkingControlsList::Current(), nullptr);
    // A later label starts a new list with the default intervals.
    TRzLabel later(nullptr);
    EXPECT_EQ(later.BlinkIntervalOff(), 500u);
}

}  // namespace
}  // namespace dsp

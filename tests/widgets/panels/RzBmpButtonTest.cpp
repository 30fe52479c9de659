#include <gtest/gtest.h>

#include <QEvent>

#include "framework/core/Resources.h"
#include "tests/framework/controls/ControlTestSupport.h"
#include "tests/widgets/panels/PanelTestSupport.h"
#include "widgets/panels/RzBmpBtn.h"

namespace dsp {
namespace {

using test::Place;

// The artwork's button strips: four frames, up, hot, down, stay-down.
std::unique_ptr<TBitmap> Strip(const char* name) {
    auto strip = std::make_unique<TBitmap>();
    strip->LoadFromResourceName(HInstance, name);
    return strip;
}

// A bitmap button that counts its paints.
class TCountingBmpButton : public TRzBmpButton {
public:
    using TRzBmpButton::TRzBmpButton;
    int paints = 0;

protected:
    void Paint() override {
        ++paints;
        TRzBmpButton::Paint();
    }
};

// A form with two buttons of the mute picture in one group, on a parent with a picture.
class RzBmpButtonFixture : public ::testing::Test {
protected:
    void SetUp() override {
        form_ = test::MakeForm(200, 80);
        back_ = Place(new test::TPictureControl(form_.get()), form_.get(), 0, 0, 200, 80);
        strip_ = Strip("BTN_MUTE");
        frameWidth_ = strip_->Width() / 4;
        first_ = MakeButton(10, 10);
        second_ = MakeButton(70, 10);
    }

    TCountingBmpButton* MakeButton(int left, int top) {
        auto* b = Place(new TCountingBmpButton(form_.get()), back_, left, top, 10, 10);
        b->Bitmaps()->SetTransparentColor(clTeal);
        b->Bitmaps()->AssignStrip(*strip_, 4);
        b->SetGroupIndex(1);
        b->OnClick = [this, b](TObject*) { clicks_.push_back(b == first_ ? "first" : "second"); };
        return b;
    }

    // The colour of a frame's face in the strip (its middle row, left of the glyph).
    TColorRef FrameFace(int frame) const { return strip_->PixelAt(frame * frameWidth_ + 6, 10); }
    TColorRef ShownFace(TRzBmpButton& b) {
        return test::Render(*form_)->PixelAt(b.Left() + 6, b.Top() + 10);
    }

    std::unique_ptr<TForm> form_;
    test::TPictureControl* back_ = nullptr;
    std::unique_ptr<TBitmap> strip_;
    int frameWidth_ = 0;
    TCountingBmpButton* first_ = nullptr;
    TCountingBmpButton* second_ = nullptr;
    std::vector<std::string> clicks_;
};

TEST_F(RzBmpButtonFixture, ButtonsTakeTheSizeOfTheirPicture) {
    EXPECT_EQ(first_->Width(), frameWidth_);
    EXPECT_EQ(first_->Height(), strip_->Height());
    // With a border the size grows by the border on each side.
    first_->SetButtonBorder(bbSingle);
    EXPECT_EQ(first_->Width(), frameWidth_ + 2);
}

TEST_F(RzBmpButtonFixture, EachStateShowsItsPictureAndTheKeyColourShowsTheParent) {
    test::ShowAndPaint(*form_);
    EXPECT_EQ(ShownFace(*first_), FrameFace(0));
    // The key-coloured corner shows the parent's picture.
    const auto shown = test::Render(*form_);
    EXPECT_EQ(shown->PixelAt(first_->Left(), first_->Top()),
              static_cast<TColorRef>(test::TPictureControl::PixelColor(10, 10)));
    // Hot under the pointer, down while pressed, stay-down once down in its group.
    first_->Perform(CM_MOUSEENTER);
    EXPECT_EQ(ShownFace(*first_), FrameFace(1));
    test::SendMouse(*first_, QEvent::MouseButtonPress, 5, 5, Qt::LeftButton, Qt::LeftButton);
    EXPECT_EQ(first_->State(), bsDown);
    EXPECT_EQ(ShownFace(*first_), FrameFace(2));
    test::SendMouse(*first_, QEvent::MouseButtonRelease, 5, 5, Qt::LeftButton, Qt::NoButton);
    EXPECT_TRUE(first_->Down());
    EXPECT_EQ(first_->State(), bsExclusive);
    EXPECT_EQ(ShownFace(*first_), FrameFace(3));
    EXPECT_EQ(clicks_, (std::vector<std::string>{"first"}));
}

TEST_F(RzBmpButtonFixture, PressLeaveReleaseIsNoClick) {
    test::ShowAndPaint(*form_);
    test::SendMouse(*first_, QEvent::MouseButtonPress, 5, 5, Qt::LeftButton, Qt::LeftButton);
    test::SendMouse(*first_, QEvent::MouseMove, 150, 60, Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(first_->State(), bsUp);
    test::SendMouse(*first_, QEvent::MouseButtonRelease, 150, 60, Qt::LeftButton, Qt::NoButton);
    EXPECT_TRUE(clicks_.empty());
    EXPECT_FALSE(first_->Down());
    EXPECT_EQ(first_->State(), bsUp);
}

TEST_F(RzBmpButtonFixture, TheGroupKeepsOneDownAndSetDownRaisesNoClick) {
    test::ShowAndPaint(*form_);
    first_->SetDown(true);
    EXPECT_TRUE(clicks_.empty());
    test::Click(*second_, 5, 5);
    EXPECT_TRUE(second_->Down());
    EXPECT_FALSE(first_->Down());
    EXPECT_EQ(first_->State(), bsUp);
    EXPECT_EQ(clicks_, (std::vector<std::string>{"second"}));
    // Without AllowAllUp the down button stays down, clicked or set.
    test::Click(*second_, 5, 5);
    EXPECT_TRUE(second_->Down());
    second_->SetDown(false);
    EXPECT_TRUE(second_->Down());
    // Without a group there is no down at all.
    auto* lone = MakeButton(130, 10);
    lone->SetGroupIndex(0);
    lone->SetDown(true);
    EXPECT_FALSE(lone->Down());
    // The same index on another parent is another group.
    auto* elsewhere = Place(new TRzBmpButton(form_.get()), form_.get(), 0, 60, 20, 20);
    elsewhere->SetGroupIndex(1);
    elsewhere->SetDown(true);
    EXPECT_TRUE(second_->Down());
}

TEST_F(RzBmpButtonFixture, SpaceOnTheDownButtonClicksAndKeepsItDown) {
    test::ShowAndPaint(*form_);
    second_->SetDown(true);
    second_->SetFocus();
    test::SendKey(*second_, Qt::Key_Space, " ");
    EXPECT_EQ(clicks_, (std::vector<std::string>{"second"}));
    EXPECT_TRUE(second_->Down());
    EXPECT_EQ(second_->State(), bsExclusive);
    EXPECT_EQ(ShownFace(*second_), FrameFace(3));
    // Space on an up button puts it down; Enter clicks without toggling.
    first_->SetFocus();
    test::SendKey(*first_, Qt::Key_Space, " ");
    EXPECT_TRUE(first_->Down());
    EXPECT_FALSE(second_->Down());
    first_->SetAllowAllUp(true);
    test::SendKey(*first_, Qt::Key_Return, "\r");
    EXPECT_TRUE(first_->Down());
    EXPECT_EQ(clicks_.size(), 3u);
}

TEST_F(RzBmpButtonFixture, HoverRepaintsOnlyWithAHotPicture) {
    test::ShowAndPaint(*form_);
    const int before = first_->paints;
    first_->Perform(CM_MOUSEENTER);
    test::PaintPending(*form_);
    EXPECT_GT(first_->paints, before);
    first_->Bitmaps()->SetHot(nullptr);
    test::PaintPending(*form_);
    const int settled = first_->paints;
    first_->Perform(CM_MOUSELEAVE);
    first_->Perform(CM_MOUSEENTER);
    test::PaintPending(*form_);
    EXPECT_EQ(first_->paints, settled);
}

TEST_F(RzBmpButtonFixture, DisabledWithoutItsOwnPictureShowsUpsBlackPixelsEmbossed) {
    const auto link = Strip("BTN_LINK");
    auto* b = Place(new TRzBmpButton(form_.get()), back_, 10, 40, 10, 10);
    b->Bitmaps()->SetTransparentColor(clOlive);
    b->Bitmaps()->AssignStrip(*link, 4);
    b->SetEnabled(false);
    test::ShowAndPaint(*form_);
    const auto shown = test::Render(*form_);
    const TBitmap& up = *b->Bitmaps()->Up();
    int black = 0;
    for (int y = 0; y < up.Height(); ++y)
        for (int x = 0; x < up.Width(); ++x) {
            TColorRef want = ResolveColor(clBtnFace);
            if (up.PixelAt(x, y) == 0) {
                want = 0x808080;
                ++black;
            } else if (x > 0 && y > 0 && up.PixelAt(x - 1, y - 1) == 0) {
                want = 0xFFFFFF;
            }
            ASSERT_EQ(shown->PixelAt(b->Left() + x, b->Top() + y), want) << x << "," << y;
        }
    EXPECT_GT(black, 20);
    // Enabled again while down, it shows its stay-down picture.
    b->SetGroupIndex(2);
    b->SetEnabled(true);
    b->SetDown(true);
    EXPECT_EQ(test::Render(*form_)->PixelAt(b->Left() + 4, b->Top() + 10),
              link->PixelAt(3 * (link->Width() / 4) + 4, 10));
}

TEST(RzBmpButton, CaptionCentredAndEmbossedWhenDisabled) {
    auto form = test::MakeForm(200, 60, clWhite);
    auto* b = Place(new TRzBmpButton(form.get()), form.get(), 10, 10, 80, 24);
    b->SetButtonSize(bszStretchToButton);
    b->SetShowFocus(false);
    b->SetCaption("Bypass");
    b->Font()->SetColor(clBlack);
    auto ink = [&] {
        const auto shown = test::Render(*form);
        TRect r{200, 60, 0, 0};
        int white = 0;
        for (int y = 10; y < 34; ++y)
            for (int x = 10; x < 90; ++x) {
                const TColorRef p = shown->PixelAt(x, y);
                if (p == 0xFFFFFF) continue;
                r = UnionRect(r, Bounds(x, y, 1, 1));
                white += p == 0x808080;
            }
        return std::make_pair(r, white);
    };
    const auto [text, grey] = ink();
    EXPECT_LE(std::abs((text.Left + text.Right) - 100), 3);
    EXPECT_LE(std::abs((text.Top + text.Bottom) - 44), 3);
    EXPECT_EQ(grey, 0);
    b->SetEnabled(false);
    const auto [disabledText, disabledGrey] = ink();
    EXPECT_GT(disabledGrey, 0);
    (void)disabledText;
}

}  // namespace
}  // namespace dsp

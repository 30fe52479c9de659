// Hints: when they show, what the control may change, what hides them, and hint windows of
// widgets.

#include <gtest/gtest.h>

#include <QEvent>

#include "framework/controls/HintWindow.h"
#include "framework/controls/MessageParams.h"
#include "framework/runtime/ManualClock.h"
#include "tests/framework/controls/ControlTestSupport.h"

namespace dsp {
namespace {

using std::chrono::milliseconds;
using test::MakeForm;
using test::Place;
using test::TProbeControl;
using test::TProbeGraphic;

class HintTest : public ::testing::Test {
protected:
    void SetUp() override {
        panel_ = Place(new TProbeControl(form_.get()), form_.get(), 0, 0, 200, 100);
        label_ = Place(new TProbeGraphic(form_.get()), panel_, 20, 20, 50, 20);
        label_->SetHint("Short|A longer text for the status line");
        label_->SetShowHint(true);
        form_->Show();
    }
    void TearDown() override { CancelHint(); }

    void MoveTo(int x, int y) {
        test::SendMouse(*panel_, QEvent::MouseMove, x, y, Qt::NoButton, Qt::NoButton);
    }

    TManualClock clock_;
    std::unique_ptr<TForm> form_ = MakeForm(200, 100);
    TProbeControl* panel_ = nullptr;
    TProbeGraphic* label_ = nullptr;
};

TEST_F(HintTest, TheShortHintShowsAfterThePauseBelowTheMouseAndGoesAfterTheHidePause) {
    MoveTo(25, 25);
    clock_.Advance(milliseconds(499));
    EXPECT_EQ(ActiveHintWindow(), nullptr);
    clock_.Advance(milliseconds(1));
    THintWindow* hint = ActiveHintWindow();
    ASSERT_NE(hint, nullptr);
    EXPECT_EQ(hint->Caption(), "Short");
    EXPECT_TRUE(hint->Showing());
    const TPoint mouse = panel_->ClientToScreen({25, 25});
    EXPECT_EQ(hint->Left(), mouse.X);
    EXPECT_EQ(hint->Top(), mouse.Y + 20);
    clock_.Advance(milliseconds(2500));
    EXPECT_EQ(ActiveHintWindow(), nullptr);
}

TEST_F(HintTest, LeavingTheControlOrPressingAButtonCancelsTheHint) {
    MoveTo(25, 25);
    MoveTo(150, 80);
    clock_.Advance(milliseconds(1000));
    EXPECT_EQ(ActiveHintWindow(), nullptr) << "left before the pause";

    MoveTo(25, 25);
    clock_.Advance(milliseconds(500));
    ASSERT_NE(ActiveHintWindow(), nullptr);
    test::SendMouse(*panel_, QEvent::MouseButtonPress, 25, 25, Qt::LeftButton, Qt::LeftButton);
    EXPECT_EQ(ActiveHintWindow(), nullptr);
    test::SendMouse(*panel_, QEvent::MouseButtonRelease, 25, 25, Qt::LeftButton, Qt::NoButton);
}

TEST_F(HintTest, TheControlMayChangeOrRefuseItsHint) {
    LRESULT answer = 0;
    label_->SetWindowProc([&answer, original = label_->WindowProc()](TMessage& m) {
        if (m.Msg == CM_HINTSHOW) {
            THintInfo* info = HintInfoOf(m);
            info->HintStr = "Changed at " + std::to_string(info->CursorPos.X);
            info->HideTimeout = 100;
            m.Result = answer;
            return;
        }
        original(m);
    });
    MoveTo(25, 25);
    clock_.Advance(milliseconds(500));
    ASSERT_NE(ActiveHintWindow(), nullptr);
    EXPECT_EQ(ActiveHintWindow()->Caption(), "Changed at 5");
    clock_.Advance(milliseconds(100));
    EXPECT_EQ(ActiveHintWindow(), nullptr);

    answer = 1;
    MoveTo(150, 80);
    MoveTo(25, 25);
    clock_.Advance(milliseconds(600));
    EXPECT_EQ(ActiveHintWindow(), nullptr);
}

TEST(HintWindowTest, AHintWindowShowsWhereItIsToldOnTheDesktopAndPaintsItsText) {
    THintWindow window(nullptr);
    const TRect size = window.CalcHintRect(300, "Value 42");
    EXPECT_GT(size.Width(), 6);
    EXPECT_GT(size.Height(), 2);
    window.ActivateHint(OffsetRect(size, 100, 50), "Value 42");
    EXPECT_TRUE(window.Showing());
    EXPECT_EQ(window.BoundsRect(), Bounds(100, 50, size.Width(), size.Height() + 4));
    TBitmap bitmap(window.Width(), window.Height());
    window.PaintTo(*bitmap.Canvas(), 0, 0);
    EXPECT_EQ(bitmap.PixelAt(0, 0), ResolveColor(clBlack)) << "frame";
    EXPECT_EQ(bitmap.PixelAt(1, 1), ResolveColor(clInfoBk));
    window.ReleaseHandle();
    EXPECT_FALSE(window.Showing());
    EXPECT_FALSE(window.HandleAllocated());

    // Kept on the desktop.
    window.ActivateHint(OffsetRect(size, 100000, 100000), "Value 42");
    EXPECT_LE(window.Left() + window.Width(), 100000);
    EXPECT_LT(window.Left(), 100000);
}

}  // namespace
}  // namespace dsp

#include <gtest/gtest.h>

#include <QEvent>
#include <string>
#include <vector>

#include "framework/controls/KeyMap.h"
#include "framework/controls/MessageParams.h"
#include "framework/graphics/Bitmap.h"
#include "tests/framework/controls/ControlTestSupport.h"
#include "tests/widgets/styled/StyledTestSupport.h"
#include "widgets/styled/CurvyControls.h"

namespace dsp {
namespace {

// A value box as the main window sets one up: 58 x 24 at (10, 10) on a navy form, rounding 6,
// white border, pale cyan body, Tahoma 11 pixels, centred text.
class CurvyEditTest : public ::testing::Test {
protected:
    void SetUp() override {
        form_ = test::MakeForm(200, 80, clNavy);
        box_ = test::Place(new TCurvyEdit(form_.get()), form_.get(), 10, 10, 58, 24);
        box_->SetRounding(6);
        box_->SetBorderColor(clHighlightText);
        box_->SetColor(0xFFFFDF);
        box_->SetAlignment(taCenter);
        box_->SetAutoSelect(false);
        box_->SetHideSelection(false);
        box_->Font()->SetName("Tahoma");
        box_->Font()->SetHeight(-11);
        box_->SetTabStop(true);
        box_->SetText("+0.0dB");
    }

    std::unique_ptr<TForm> form_;
    TCurvyEdit* box_ = nullptr;
};

TEST_F(CurvyEditTest, TheInnerEditSitsInsideTheRoundingAndTheBoxStays24High) {
    EXPECT_EQ(box_->Edit()->BoundsRect(), Bounds(6, 5, 44, 18));
    box_->SetHeight(50);
    EXPECT_EQ(box_->Height(), 24);
    box_->SetWidth(70);
    EXPECT_EQ(box_->Edit()->BoundsRect(), Bounds(6, 5, 56, 18));
    EXPECT_EQ(box_->Font()->Height(), box_->Edit()->Font()->Height());

    // An embedded button with a 16-pixel picture takes 18 pixels, 23 with its arrow.
    TAdvGDIPPicture picture;
    test::LoadPicture(picture, test::BmpFile(16, 16, clRed, clRed));
    TCurvyControl* button = box_->Controls()->Add();
    button->SetPicture(&picture);
    EXPECT_EQ(box_->Controls()->GetControlSize(0), (TSize{18, 16}));
    EXPECT_EQ(box_->Edit()->Width(), 56 - 18);
    button->SetDropDown(true);
    EXPECT_EQ(box_->Edit()->Width(), 56 - 23);
    // It sits at Width - RightControlSize - Rounding div 2 = 70 - 25 - 3; its edges hit nothing.
    int left = 0;
    EXPECT_EQ(box_->ControlAt(43, &left), 0);
    EXPECT_EQ(left, 42);
    EXPECT_EQ(box_->ControlAt(42), -1);
    EXPECT_EQ(box_->ControlAt(42 + 23), -1);
    // Outside buttons leave the rounded body free of them.
    button->SetPosition(cpLeft);
    EXPECT_EQ(box_->Edit()->Left(), 23 + 6);
}

TEST_F(CurvyEditTest, TheInnerEditsEventsReachTheBoxWithTheBoxAsSender) {
    std::vector<std::string> log;
    auto note = [&](const char* what) {
        return [&log, what, this](TObject* sender) {
            EXPECT_EQ(sender, box_) << what;
            log.push_back(what);
        };
    };
    box_->OnChange = note("change");
    box_->OnEnter = note("enter");
    box_->OnExit = note("exit");
    box_->OnKeyDown = [&](TObject* sender, TKeyCode& key, TShiftState) {
        EXPECT_EQ(sender, box_);
        log.push_back("down " + std::to_string(key));
    };
    box_->OnKeyPress = [&](TObject* sender, char16_t& key) {
        EXPECT_EQ(sender, box_);
        log.push_back(std::string("press ") + static_cast<char>(key));
        if (key == 'x') key = 0;  // the handler's change reaches the inner edit
    };
    box_->OnMouseDown = [&](TObject* sender, TMouseButton, TShiftState, int x, int y) {
        EXPECT_EQ(sender, box_);
        log.push_back("mouse " + std::to_string(x) + "," + std::to_string(y));
    };
    // The only tab stop takes the focus when the form shows.
    test::ShowAndPaint(*form_);
    box_->SetFocus();
    EXPECT_TRUE(box_->Edit()->Focused());
    box_->SetText("1");
    EXPECT_EQ(box_->Text(), box_->Edit()->Text());
    test::Type(*form_, "2x");
    EXPECT_EQ(box_->Text(), "21");  // SetText left the caret at the start
    // A press on the rounded rim outside the inner edit fires nothing; one on the edit fires
    // with the edit's own coordinates.
    box_->Perform(MakeMouseMessage(WM_LBUTTONDOWN, MK_LBUTTON, {2, 12}));
    box_->Perform(MakeMouseMessage(WM_LBUTTONUP, 0, {2, 12}));
    box_->Edit()->Perform(MakeMouseMessage(WM_LBUTTONDOWN, MK_LBUTTON, {4, 7}));
    box_->Edit()->Perform(MakeMouseMessage(WM_LBUTTONUP, 0, {4, 7}));
    const std::vector<std::string> expected = {"enter",  "change",  "down 50", "press 2",
                                               "change", "down 88", "press x", "mouse 4,7"};
    EXPECT_EQ(log, expected);
}

TEST_F(CurvyEditTest, KeysPerformedOnTheBoxItselfDoNothing) {
    test::ShowAndPaint(*form_);
    int events = 0;
    box_->OnKeyDown = [&](TObject*, TKeyCode&, TShiftState) { ++events; };
    box_->OnKeyUp = [&](TObject*, TKeyCode&, TShiftState) { ++events; };
    box_->SetFocus();
    box_->Edit()->SetSelStart(2);
    box_->Perform(MakeKeyMessage(WM_KEYDOWN, VK_END, 0));
    box_->Perform(MakeKeyMessage(WM_KEYUP, VK_END, 0));
    EXPECT_EQ(events, 0);
    EXPECT_EQ(box_->Edit()->CaretPos(), 2);
    // The same keys on the inner edit move its caret.
    box_->Edit()->Perform(MakeKeyMessage(WM_KEYDOWN, VK_END, 0));
    EXPECT_EQ(box_->Edit()->CaretPos(), 6);
}

TEST_F(CurvyEditTest, TheCornersShowTheParentAndAShadowLineRunsUnderTheTop) {
    test::ShowAndPaint(*form_);
    auto image = form_->RenderToImage();
    auto at = [&](int x, int y) { return image->PixelAt(10 + x, 10 + y); };
    EXPECT_EQ(at(0, 0), 0x800000u);  // cut-off corners: the navy form
    EXPECT_EQ(at(57, 23), 0x800000u);
    EXPECT_EQ(at(29, 0), 0xFFFFFFu);  // the white border
    EXPECT_EQ(at(29, 1), 0xD9D9D9u);  // the shadow line
    EXPECT_EQ(at(3, 12), 0xFFFFDFu);  // the body beside the inner edit
    EXPECT_EQ(at(29, 3), 0xFFFFDFu);
    // Without a shadow colour the line goes.
    box_->SetShadowColor(clNone);
    EXPECT_EQ(form_->RenderToImage()->PixelAt(10 + 29, 10 + 1), 0xFFFFDFu);
}

TEST_F(CurvyEditTest, AnEmptyBoxShowsItsPlaceholderInGreyWithOrWithoutTheFocus) {
    box_->SetText("");
    box_->SetEmptyText("abc");
    test::ShowAndPaint(*form_);
    auto greyPixels = [&] {
        auto image = form_->RenderToImage();
        const TRect edit = OffsetRect(box_->Edit()->BoundsRect(), 10, 10);
        int grey = 0;
        for (int y = edit.Top; y < edit.Bottom; ++y)
            for (int x = edit.Left; x < edit.Left + 20; ++x) {
                grey += image->PixelAt(x, y) == 0x808080u;
            }
        return grey;
    };
    EXPECT_GT(greyPixels(), 10);
    box_->SetFocus();
    test::PaintPending(*form_);
    EXPECT_GT(greyPixels(), 10);
    test::Type(*form_, "7");
    test::PaintPending(*form_);
    EXPECT_EQ(box_->Text(), "7");
    EXPECT_EQ(greyPixels(), 0);
}

}  // namespace
}  // namespace dsp

// The edit box's own rules, through the messages and the host toolkit's input as a user gives it.

#include <gtest/gtest.h>

#include <QEvent>

#include "framework/controls/Edit.h"
#include "framework/controls/KeyMap.h"
#include "framework/controls/MessageParams.h"
#include "framework/controls/StdControlSupport.h"
#include "framework/core/FrameworkAccess.h"
#include "framework/desktop/Clipboard.h"
#include "tests/framework/controls/ControlTestSupport.h"

namespace dsp {
namespace {

using test::MakeForm;
using test::Place;
using test::TEventLog;

class StdEdit : public ::testing::Test {
protected:
    void SetUp() override {
        ResetKeyboardState();
        SetBeepHandler([this] { ++beeps_; });
        edit_ = Make("edit", 10, 10);
        other_ = Make("other", 10, 40);
    }
    void TearDown() override { SetBeepHandler(nullptr); }

    TEdit* Make(const std::string& name, int left, int top) {
        auto* e = Place(new TEdit(form_.get()), form_.get(), left, top, 120, 21);
        e->SetName(name);
        e->OnChange = [this, name](TObject*) { log_.push_back(name + ":change"); };
        e->OnEnter = [this, name](TObject*) { log_.push_back(name + ":enter"); };
        e->OnExit = [this, name](TObject*) { log_.push_back(name + ":exit"); };
        return e;
    }

    void Key(int vk, TShiftState shift = {}) {
        // As the platform sends it: the key-down message to the focused box.
        const bool shiftDown = shift.Contains(ssShift);
        if (shiftDown) SetKeyState(kFrameworkKey, VK_SHIFT, true);
        edit_->Perform(MakeKeyMessage(WM_KEYDOWN, static_cast<unsigned>(vk),
                                      MakeKeyData(false, false, false)));
        if (shiftDown) SetKeyState(kFrameworkKey, VK_SHIFT, false);
    }

    std::unique_ptr<TForm> form_ = MakeForm(200, 100);
    TEdit* edit_ = nullptr;
    TEdit* other_ = nullptr;
    TEventLog log_;
    int beeps_ = 0;
};

TEST_F(StdEdit, MaxLengthLimitsTypingButNeverTextSetByTheProgram) {
    edit_->SetMaxLength(4);
    edit_->SetText("123456789");
    EXPECT_EQ(edit_->Text(), "123456789");
    EXPECT_EQ(edit_->SelStart(), 0) << "setting Text leaves the caret at the start";
    EXPECT_EQ(edit_->SelLength(), 0);
    EXPECT_EQ(log_, TEventLog{"edit:change"});
    edit_->SetText("123456789");  // the same text: no change
    EXPECT_EQ(log_.size(), 1u);

    form_->Show();
    edit_->SetFocus();
    edit_->SetSelStart(9);
    test::Type(*edit_, "x");
    EXPECT_EQ(edit_->Text(), "123456789");
    EXPECT_EQ(beeps_, 1);

    edit_->SetText("ab");
    edit_->SetSelStart(2);
    log_.clear();
    test::Type(*edit_, "cde");
    EXPECT_EQ(edit_->Text(), "abcd");
    EXPECT_EQ(log_, (TEventLog{"edit:change", "edit:change"}));
    EXPECT_EQ(beeps_, 2);
    EXPECT_TRUE(edit_->Modified());
    // A selection makes room.
    edit_->SetSelStart(1);
    edit_->SetSelLength(2);
    test::Type(*edit_, "XY");
    EXPECT_EQ(edit_->Text(), "aXYd");
}

TEST_F(StdEdit, TextComposedByAnInputMethodIsTypedAndKeepsTheTypingRules) {
    form_->Show();
    edit_->SetFocus();
    test::CommitComposedText(*edit_, "\u4E2D\u6587");
    EXPECT_EQ(edit_->Text(), "\u4E2D\u6587");
    EXPECT_EQ(log_, (TEventLog{"edit:enter", "edit:change", "edit:change"}));

    edit_->SetMaxLength(3);
    test::CommitComposedText(*edit_, "\u540D\u79F0");
    EXPECT_EQ(edit_->Text(), "\u4E2D\u6587\u540D") << "MaxLength still limits what is typed";
    EXPECT_EQ(beeps_, 1);
}

TEST_F(StdEdit, KeyDownSeesVirtualKeysBeforeTheBoxActs) {
    form_->Show();
    edit_->SetFocus();
    edit_->SetText("1.00KHz");
    std::vector<int> keys;
    bool eatEnd = false;
    edit_->OnKeyDown = [&](TObject*, TKeyCode& key, TShiftState) {
        keys.push_back(key);
        if (eatEnd && key == VK_END) key = 0;
    };
    test::SendKey(*edit_, Qt::Key_Return, "\r");
    test::SendKey(*edit_, Qt::Key_Left);
    EXPECT_EQ(keys, (std::vector<int>{VK_RETURN, VK_LEFT}));
    EXPECT_EQ(edit_->Text(), "1.00KHz") << "Enter types nothing in a one-line box";

    // A key message the program performs acts as the key: End puts the caret at the end.
    edit_->Perform(WM_KEYDOWN, VK_END, 0);
    edit_->Perform(WM_KEYUP, VK_END, 0);
    EXPECT_EQ(edit_->CaretPos(), 7);
    edit_->SetSelStart(0);
    eatEnd = true;
    edit_->Perform(WM_KEYDOWN, VK_END, 0);
    EXPECT_EQ(edit_->CaretPos(), 0) << "a handler that takes the key keeps the box from acting";
}

TEST_F(StdEdit, KeyPressMayChangeOrDropACharacter) {
    form_->Show();
    edit_->SetFocus();
    edit_->OnKeyPress = [](TObject*, char16_t& key) {
        if (key == u'a') key = u'b';
        if (key == u'x') key = 0;
    };
    test::Type(*edit_, "axa");
    EXPECT_EQ(edit_->Text(), "bb");
}

TEST_F(StdEdit, EditingKeysAndSelection) {
    form_->Show();
    edit_->SetFocus();
    edit_->SetText("gain 12 dB");
    Key(VK_END);
    Key(VK_LEFT, {ssShift});
    Key(VK_LEFT, {ssShift});
    EXPECT_EQ(edit_->SelText(), "dB");
    test::SendKey(*edit_, Qt::Key_Backspace, "\b");
    EXPECT_EQ(edit_->Text(), "gain 12 ");
    Key(VK_HOME);
    Key(VK_DELETE);
    EXPECT_EQ(edit_->Text(), "ain 12 ");
    test::SendKey(*edit_, Qt::Key_Z, "\x1A", Qt::ControlModifier);  // undo
    EXPECT_EQ(edit_->Text(), "gain 12 ");
    test::SendKey(*edit_, Qt::Key_A, "\x01", Qt::ControlModifier);
    EXPECT_EQ(edit_->SelLength(), 8);
}

TEST_F(StdEdit, CharCasePasswordReadOnlyAndNumbers) {
    form_->Show();
    edit_->SetFocus();
    edit_->SetCharCase(ecUpperCase);
    edit_->SetText("ab");
    EXPECT_EQ(edit_->Text(), "AB");
    edit_->SetSelStart(2);
    test::Type(*edit_, "c");
    EXPECT_EQ(edit_->Text(), "ABC");

    Clipboard()->SetAsText("clip");
    edit_->SetPasswordChar(u'*');
    edit_->SelectAll();
    edit_->CopyToClipboard();
    EXPECT_EQ(Clipboard()->AsText(), "clip") << "a password is not copied";
    edit_->SetPasswordChar(0);

    edit_->SetReadOnly(true);
    edit_->SelectAll();
    test::Type(*edit_, "z");
    test::SendKey(*edit_, Qt::Key_Backspace, "\b");
    EXPECT_EQ(edit_->Text(), "ABC");
    edit_->CopyToClipboard();
    EXPECT_EQ(Clipboard()->AsText(), "ABC");
    edit_->SetReadOnly(false);

    edit_->SetCharCase(ecNormal);
    edit_->SetNumbersOnly(true);
    edit_->SetText("");
    test::Type(*edit_, "1a2");
    EXPECT_EQ(edit_->Text(), "12");
    EXPECT_EQ(beeps_, 3);  // "z", Backspace on the read-only box, "a"
}

TEST_F(StdEdit, FocusLeavingTheBoxRaisesOnExitOnce) {
    form_->Show();
    edit_->SetFocus();
    log_.clear();
    other_->SetFocus();
    EXPECT_EQ(log_, (TEventLog{"edit:exit", "other:enter"}));
    // Focus going to another form is no exit.
    auto second = MakeForm(100, 50);
    auto* elsewhere = Place(new TEdit(second.get()), second.get(), 5, 5, 80, 21);
    second->Show();
    log_.clear();
    elsewhere->SetFocus();
    EXPECT_TRUE(log_.empty());
}

TEST_F(StdEdit, AutoSelectOnKeyboardFocusButNotOnAClick) {
    edit_->SetText("first");
    other_->SetText("second");
    form_->Show();
    edit_->SetFocus();
    test::SendKey(*edit_, Qt::Key_Tab);
    EXPECT_TRUE(other_->Focused());
    EXPECT_EQ(other_->SelLength(), 6);
    test::Click(*edit_, 15, 10);
    EXPECT_TRUE(edit_->Focused());
    EXPECT_EQ(edit_->SelLength(), 0);
    EXPECT_GT(edit_->CaretPos(), 0);
    EXPECT_LT(edit_->CaretPos(), 5);
}

TEST_F(StdEdit, DrawsTextInTheFontColourOnItsColour) {
    edit_->SetText("WWWW");
    edit_->SetColor(clYellow);
    edit_->Font()->SetColor(clBlue);
    form_->Show();
    other_->SetFocus();  // the box shows no selection without the focus
    auto image = form_->RenderToImage();
    const TColorRef yellow = RGB(255, 255, 0);
    // The sunken frame, the field colour and some text.
    EXPECT_EQ(image->PixelAt(10, 10), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(image->PixelAt(10 + 116, 10 + 17), yellow);
    // Text pixels (smoothed at their edges) are blue over yellow: more blue than red.
    int ink = 0;
    for (int y = 12; y < 29; ++y)
        for (int x = 12; x < 128; ++x) {
            const TColorRef c = image->PixelAt(x, y);
            ink += c != yellow && GetBValue(c) > GetRValue(c);
        }
    EXPECT_GT(ink, 20);
}

}  // namespace
}  // namespace dsp

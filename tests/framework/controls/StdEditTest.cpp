// The edit box's own rules, through the messages and the host toolkit's input as a user gives it.

#include <gtest/gtest.h>

#include <QEvent>

#include "framework/controls/Edit.h"
#include "framework/controls/KeyMap.h"
#include "framework/controls/StdControlSupport.h"
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
        SetBeepHandler([this] { ++beeps; });
        edit = Make("edit", 10, 10);
        other = Make("other", 10, 40);
    }
    void TearDown() override { SetBeepHandler(nullptr); }

    TEdit* Make(const std::string& name, int left, int top) {
        auto* e = Place(new TEdit(form.get()), form.get(), left, top, 120, 21);
        e->SetName(name);
        e->OnChange = [this, name](TObject*) { log.push_back(name + ":change"); };
        e->OnEnter = [this, name](TObject*) { log.push_back(name + ":enter"); };
        e->OnExit = [this, name](TObject*) { log.push_back(name + ":exit"); };
        return e;
    }

    void Key(int vk, TShiftState shift = {}) {
        // As the platform sends it: the key-down message to the focused box.
        const bool shiftDown = shift.Contains(ssShift);
        if (shiftDown) SetKeyState(VK_SHIFT, true);
        edit->Perform(WM_KEYDOWN, static_cast<WPARAM>(vk), MakeKeyData(false, false, false));
        if (shiftDown) SetKeyState(VK_SHIFT, false);
    }

    std::unique_ptr<TForm> form = MakeForm(200, 100);
    TEdit* edit = nullptr;
    TEdit* other = nullptr;
    TEventLog log;
    int beeps = 0;
};

TEST_F(StdEdit, MaxLengthLimitsTypingButNeverTextSetByTheProgram) {
    edit->SetMaxLength(4);
    edit->SetText("123456789");
    EXPECT_EQ(edit->Text(), "123456789");
    EXPECT_EQ(edit->SelStart(), 0) << "setting Text leaves the caret at the start";
    EXPECT_EQ(edit->SelLength(), 0);
    EXPECT_EQ(log, TEventLog{"edit:change"});
    edit->SetText("123456789");  // the same text: no change
    EXPECT_EQ(log.size(), 1u);

    form->Show();
    edit->SetFocus();
    edit->SetSelStart(9);
    test::Type(*edit, "x");
    EXPECT_EQ(edit->Text(), "123456789");
    EXPECT_EQ(beeps, 1);

    edit->SetText("ab");
    edit->SetSelStart(2);
    log.clear();
    test::Type(*edit, "cde");
    EXPECT_EQ(edit->Text(), "abcd");
    EXPECT_EQ(log, (TEventLog{"edit:change", "edit:change"}));
    EXPECT_EQ(beeps, 2);
    EXPECT_TRUE(edit->Modified());
    // A selection makes room.
    edit->SetSelStart(1);
    edit->SetSelLength(2);
    test::Type(*edit, "XY");
    EXPECT_EQ(edit->Text(), "aXYd");
}

TEST_F(StdEdit, TextComposedByAnInputMethodIsTypedAndKeepsTheTypingRules) {
    form->Show();
    edit->SetFocus();
    test::CommitComposedText(*edit, "\u4E2D\u6587");
    EXPECT_EQ(edit->Text(), "\u4E2D\u6587");
    EXPECT_EQ(log, (TEventLog{"edit:enter", "edit:change", "edit:change"}));

    edit->SetMaxLength(3);
    test::CommitComposedText(*edit, "\u540D\u79F0");
    EXPECT_EQ(edit->Text(), "\u4E2D\u6587\u540D") << "MaxLength still limits what is typed";
    EXPECT_EQ(beeps, 1);
}

TEST_F(StdEdit, KeyDownSeesVirtualKeysBeforeTheBoxActs) {
    form->Show();
    edit->SetFocus();
    edit->SetText("1.00KHz");
    std::vector<int> keys;
    bool eatEnd = false;
    edit->OnKeyDown = [&](TObject*, TKeyCode& key, TShiftState) {
        keys.push_back(key);
        if (eatEnd && key == VK_END) key = 0;
    };
    test::SendKey(*edit, Qt::Key_Return, "\r");
    test::SendKey(*edit, Qt::Key_Left);
    EXPECT_EQ(keys, (std::vector<int>{VK_RETURN, VK_LEFT}));
    EXPECT_EQ(edit->Text(), "1.00KHz") << "Enter types nothing in a one-line box";

    // A key message the program performs acts as the key: End puts the caret at the end.
    edit->Perform(WM_KEYDOWN, VK_END, 0);
    edit->Perform(WM_KEYUP, VK_END, 0);
    EXPECT_EQ(edit->CaretPos(), 7);
    edit->SetSelStart(0);
    eatEnd = true;
    edit->Perform(WM_KEYDOWN, VK_END, 0);
    EXPECT_EQ(edit->CaretPos(), 0) << "a handler that takes the key keeps the box from acting";
}

TEST_F(StdEdit, KeyPressMayChangeOrDropACharacter) {
    form->Show();
    edit->SetFocus();
    edit->OnKeyPress = [](TObject*, char16_t& key) {
        if (key == u'a') key = u'b';
        if (key == u'x') key = 0;
    };
    test::Type(*edit, "axa");
    EXPECT_EQ(edit->Text(), "bb");
}

TEST_F(StdEdit, EditingKeysAndSelection) {
    form->Show();
    edit->SetFocus();
    edit->SetText("gain 12 dB");
    Key(VK_END);
    Key(VK_LEFT, {ssShift});
    Key(VK_LEFT, {ssShift});
    EXPECT_EQ(edit->SelText(), "dB");
    test::SendKey(*edit, Qt::Key_Backspace, "\b");
    EXPECT_EQ(edit->Text(), "gain 12 ");
    Key(VK_HOME);
    Key(VK_DELETE);
    EXPECT_EQ(edit->Text(), "ain 12 ");
    test::SendKey(*edit, Qt::Key_Z, "\x1A", Qt::ControlModifier);  // undo
    EXPECT_EQ(edit->Text(), "gain 12 ");
    test::SendKey(*edit, Qt::Key_A, "\x01", Qt::ControlModifier);
    EXPECT_EQ(edit->SelLength(), 8);
}

TEST_F(StdEdit, CharCasePasswordReadOnlyAndNumbers) {
    form->Show();
    edit->SetFocus();
    edit->SetCharCase(ecUpperCase);
    edit->SetText("ab");
    EXPECT_EQ(edit->Text(), "AB");
    edit->SetSelStart(2);
    test::Type(*edit, "c");
    EXPECT_EQ(edit->Text(), "ABC");

    Clipboard()->SetAsText("clip");
    edit->SetPasswordChar(u'*');
    edit->SelectAll();
    edit->CopyToClipboard();
    EXPECT_EQ(Clipboard()->AsText(), "clip") << "a password is not copied";
    edit->SetPasswordChar(0);

    edit->SetReadOnly(true);
    edit->SelectAll();
    test::Type(*edit, "z");
    test::SendKey(*edit, Qt::Key_Backspace, "\b");
    EXPECT_EQ(edit->Text(), "ABC");
    edit->CopyToClipboard();
    EXPECT_EQ(Clipboard()->AsText(), "ABC");
    edit->SetReadOnly(false);

    edit->SetCharCase(ecNormal);
    edit->SetNumbersOnly(true);
    edit->SetText("");
    test::Type(*edit, "1a2");
    EXPECT_EQ(edit->Text(), "12");
    EXPECT_EQ(beeps, 3);  // "z", Backspace on the read-only box, "a"
}

TEST_F(StdEdit, FocusLeavingTheBoxRaisesOnExitOnce) {
    form->Show();
    edit->SetFocus();
    log.clear();
    other->SetFocus();
    EXPECT_EQ(log, (TEventLog{"edit:exit", "other:enter"}));
    // Focus going to another form is no exit.
    auto second = MakeForm(100, 50);
    auto* elsewhere = Place(new TEdit(second.get()), second.get(), 5, 5, 80, 21);
    second->Show();
    log.clear();
    elsewhere->SetFocus();
    EXPECT_TRUE(log.empty());
}

TEST_F(StdEdit, AutoSelectOnKeyboardFocusButNotOnAClick) {
    edit->SetText("first");
    other->SetText("second");
    form->Show();
    edit->SetFocus();
    test::SendKey(*edit, Qt::Key_Tab);
    EXPECT_TRUE(other->Focused());
    EXPECT_EQ(other->SelLength(), 6);
    test::Click(*edit, 15, 10);
    EXPECT_TRUE(edit->Focused());
    EXPECT_EQ(edit->SelLength(), 0);
    EXPECT_GT(edit->CaretPos(), 0);
    EXPECT_LT(edit->CaretPos(), 5);
}

TEST_F(StdEdit, DrawsTextInTheFontColourOnItsColour) {
    edit->SetText("WWWW");
    edit->SetColor(clYellow);
    edit->Font()->SetColor(clBlue);
    form->Show();
    other->SetFocus();  // the box shows no selection without the focus
    auto image = form->RenderToImage();
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

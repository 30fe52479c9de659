// Focus: the enter and exit notifications as the focus moves, dialog keys, and focus across
// forms.

#include <gtest/gtest.h>

#include <QEvent>

#include "framework/controls/ControlErrors.h"
#include "framework/controls/KeyMap.h"
#include "tests/framework/controls/ControlTestSupport.h"

namespace dsp {
namespace {

using test::MakeForm;
using test::Place;
using test::TEventLog;
using test::TProbeControl;

void LogFocus(TWinControl& control, TEventLog& log) {
    const std::string name = control.Name();
    control.OnEnter = [&log, name](TObject*) { log.push_back(name + ":enter"); };
    control.OnExit = [&log, name](TObject*) { log.push_back(name + ":exit"); };
}

// Two panels with two edits each, all logging their enter and exit:
//   form ─ p1 ─ e1, e2
//        └ p2 ─ e3, e4
class FocusTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetKeyboardState();
        p1 = Make("p1", form.get(), 0, 0, 100, 100, false);
        p2 = Make("p2", form.get(), 100, 0, 100, 100, false);
        e1 = Make("e1", p1, 5, 5, 80, 20, true);
        e2 = Make("e2", p1, 5, 40, 80, 20, true);
        e3 = Make("e3", p2, 5, 5, 80, 20, true);
        e4 = Make("e4", p2, 5, 40, 80, 20, true);
    }

    TProbeControl* Make(const std::string& name, TWinControl* parent, int l, int t, int w, int h,
                        bool tabStop) {
        auto* control = Place(new TProbeControl(form.get()), parent, l, t, w, h);
        control->SetName(name);
        control->SetTabStop(tabStop);
        LogFocus(*control, log);
        return control;
    }

    std::unique_ptr<TForm> form = MakeForm(200, 100);
    TEventLog log;
    TProbeControl* p1 = nullptr;
    TProbeControl* p2 = nullptr;
    TProbeControl* e1 = nullptr;
    TProbeControl* e2 = nullptr;
    TProbeControl* e3 = nullptr;
    TProbeControl* e4 = nullptr;
};

TEST_F(FocusTest, ShowingAFormFocusesItsFirstTabStop) {
    form->Show();
    EXPECT_EQ(form->ActiveControl(), e1);
    EXPECT_TRUE(e1->Focused());
    EXPECT_EQ(log, (TEventLog{"p1:enter", "e1:enter"}));
}

TEST_F(FocusTest, MovingTheFocusExitsInnermostFirstAndEntersOutermostFirst) {
    form->Show();
    log.clear();
    e4->SetFocus();
    EXPECT_EQ(log, (TEventLog{"e1:exit", "p1:exit", "p2:enter", "e4:enter"}));
    log.clear();
    e3->SetFocus();
    EXPECT_EQ(log, (TEventLog{"e4:exit", "e3:enter"}));
    log.clear();
    e3->SetFocus();
    EXPECT_TRUE(log.empty()) << "focusing the focused control changes nothing";
}

TEST_F(FocusTest, TabAndArrowsMoveTheFocusAsDialogKeys) {
    form->Show();
    int tabKeys = 0;
    e1->OnKeyDown = [&](TObject*, TKeyCode& key, TShiftState) {
        if (key == VK_TAB) ++tabKeys;
    };
    log.clear();
    test::SendKey(*form, Qt::Key_Tab, "\t");
    EXPECT_TRUE(e2->Focused());
    test::SendKey(*form, Qt::Key_Tab, "\t");
    EXPECT_TRUE(e3->Focused());
    test::SendKey(*form, Qt::Key_Backtab, "\t", Qt::ShiftModifier);
    EXPECT_TRUE(e2->Focused());
    test::SendKey(*form, Qt::Key_Up);
    EXPECT_TRUE(e1->Focused()) << "arrows move among siblings";
    EXPECT_EQ(tabKeys, 0) << "a dialog key is no key-down";

    // Tab order, not z-order, decides; the order wraps around.
    e4->SetTabOrder(0);
    e4->SetFocus();
    test::SendKey(*form, Qt::Key_Tab, "\t");
    EXPECT_TRUE(e3->Focused());
    test::SendKey(*form, Qt::Key_Tab, "\t");
    EXPECT_TRUE(e1->Focused());

    // A control that wants Tab keeps it.
    e1->SetWindowProc([original = e1->WindowProc()](TMessage& m) {
        if (m.Msg == WM_GETDLGCODE) {
            m.Result = DLGC_WANTTAB;
            return;
        }
        original(m);
    });
    test::SendKey(*form, Qt::Key_Tab, "\t");
    EXPECT_TRUE(e1->Focused());
    EXPECT_EQ(tabKeys, 1);
}

TEST_F(FocusTest, EnterAndEscapeGoToTheControlsAsDialogKeys) {
    form->Show();
    TEventLog keys;
    // A default button takes Enter from the dialog-key broadcast.
    e4->SetWindowProc([&keys, original = e4->WindowProc()](TMessage& m) {
        if (m.Msg == CM_DIALOGKEY && m.WParam == VK_RETURN) {
            keys.push_back("default button");
            m.Result = 1;
            return;
        }
        original(m);
    });
    e1->OnKeyPress = [&](TObject*, char16_t& ch) { keys.push_back("char " + std::to_string(ch)); };
    test::SendKey(*form, Qt::Key_Return, "\r");
    test::SendKey(*form, Qt::Key_Escape, "\x1b");
    EXPECT_EQ(keys, (TEventLog{"default button", "char 27"}));
}

TEST_F(FocusTest, AHandlerThatTakesTheFocusBackStopsTheMove) {
    form->Show();
    e1->OnExit = [&](TObject*) {
        log.push_back("e1:exit");
        e1->SetFocus();
    };
    log.clear();
    e2->SetFocus();
    EXPECT_TRUE(e1->Focused());
    EXPECT_EQ(form->ActiveControl(), e1);
    EXPECT_EQ(log, (TEventLog{"e1:exit", "e1:enter"}));
}

TEST_F(FocusTest, HidingOrFreeingTheFocusedControlMovesTheFocusToTheForm) {
    form->Show();
    log.clear();
    e1->Hide();
    EXPECT_EQ(log, (TEventLog{"e1:exit", "p1:exit"}));
    EXPECT_EQ(form->ActiveControl(), nullptr);
    EXPECT_TRUE(form->Focused());
    EXPECT_FALSE(e1->CanFocus());
    EXPECT_THROW(e1->SetFocus(), EInvalidOperation);

    e3->SetFocus();
    log.clear();
    delete p2;
    EXPECT_EQ(form->ActiveControl(), nullptr);
    EXPECT_TRUE(form->Focused());
    e2->SetFocus();
    EXPECT_EQ(log, (TEventLog{"p1:enter", "e2:enter"}));
}

TEST_F(FocusTest, FocusGoingToAnotherFormRaisesNoExitButDeactivation) {
    form->Show();
    TEventLog forms;
    form->OnActivate = [&](TObject*) { forms.push_back("main:activate"); };
    form->OnDeactivate = [&](TObject*) { forms.push_back("main:deactivate"); };
    auto other = MakeForm(100, 50);
    auto* edit = Place(new TProbeControl(other.get()), other.get(), 0, 0, 50, 20);
    edit->SetName("other");
    edit->SetTabStop(true);
    LogFocus(*edit, log);
    other->OnActivate = [&](TObject*) { forms.push_back("other:activate"); };
    log.clear();

    other->Show();
    EXPECT_TRUE(edit->Focused());
    EXPECT_EQ(log, (TEventLog{"other:enter"})) << "e1 keeps being main's active control";
    EXPECT_EQ(form->ActiveControl(), e1);
    EXPECT_EQ(ActiveForm(), other.get());

    log.clear();
    other->Hide();
    EXPECT_TRUE(e1->Focused()) << "the form active before gets the focus back";
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(forms, (TEventLog{"main:deactivate", "other:activate", "main:activate"}));
}

TEST_F(FocusTest, ClickingIntoAnInactiveFormActivatesIt) {
    form->Show();
    auto other = MakeForm(100, 50);
    other->Show();
    ASSERT_EQ(ActiveForm(), other.get());
    test::Click(*p2, 50, 80);
    EXPECT_EQ(ActiveForm(), form.get());
    EXPECT_TRUE(e1->Focused()) << "a click activates the form; the control does not take focus";
}

}  // namespace
}  // namespace dsp

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
        p1_ = Make("p1", form_.get(), 0, 0, 100, 100, false);
        p2_ = Make("p2", form_.get(), 100, 0, 100, 100, false);
        e1_ = Make("e1", p1_, 5, 5, 80, 20, true);
        e2_ = Make("e2", p1_, 5, 40, 80, 20, true);
        e3_ = Make("e3", p2_, 5, 5, 80, 20, true);
        e4_ = Make("e4", p2_, 5, 40, 80, 20, true);
    }

    TProbeControl* Make(const std::string& name, TWinControl* parent, int l, int t, int w, int h,
                        bool tabStop) {
        auto* control = Place(new TProbeControl(form_.get()), parent, l, t, w, h);
        control->SetName(name);
        control->SetTabStop(tabStop);
        LogFocus(*control, log_);
        return control;
    }

    std::unique_ptr<TForm> form_ = MakeForm(200, 100);
    TEventLog log_;
    TProbeControl* p1_ = nullptr;
    TProbeControl* p2_ = nullptr;
    TProbeControl* e1_ = nullptr;
    TProbeControl* e2_ = nullptr;
    TProbeControl* e3_ = nullptr;
    TProbeControl* e4_ = nullptr;
};

TEST_F(FocusTest, ShowingAFormFocusesItsFirstTabStop) {
    form_->Show();
    EXPECT_EQ(form_->ActiveControl(), e1_);
    EXPECT_TRUE(e1_->Focused());
    EXPECT_EQ(log_, (TEventLog{"p1:enter", "e1:enter"}));
}

TEST_F(FocusTest, MovingTheFocusExitsInnermostFirstAndEntersOutermostFirst) {
    form_->Show();
    log_.clear();
    e4_->SetFocus();
    EXPECT_EQ(log_, (TEventLog{"e1:exit", "p1:exit", "p2:enter", "e4:enter"}));
    log_.clear();
    e3_->SetFocus();
    EXPECT_EQ(log_, (TEventLog{"e4:exit", "e3:enter"}));
    log_.clear();
    e3_->SetFocus();
    EXPECT_TRUE(log_.empty()) << "focusing the focused control changes nothing";
}

TEST_F(FocusTest, TabAndArrowsMoveTheFocusAsDialogKeys) {
    form_->Show();
    int tabKeys = 0;
    e1_->OnKeyDown = [&](TObject*, TKeyCode& key, TShiftState) {
        if (key == VK_TAB) ++tabKeys;
    };
    log_.clear();
    test::SendKey(*form_, Qt::Key_Tab, "\t");
    EXPECT_TRUE(e2_->Focused());
    test::SendKey(*form_, Qt::Key_Tab, "\t");
    EXPECT_TRUE(e3_->Focused());
    test::SendKey(*form_, Qt::Key_Backtab, "\t", Qt::ShiftModifier);
    EXPECT_TRUE(e2_->Focused());
    test::SendKey(*form_, Qt::Key_Up);
    EXPECT_TRUE(e1_->Focused()) << "arrows move among siblings";
    EXPECT_EQ(tabKeys, 0) << "a dialog key is no key-down";

    // Tab order, not z-order, decides; the order wraps around.
    e4_->SetTabOrder(0);
    e4_->SetFocus();
    test::SendKey(*form_, Qt::Key_Tab, "\t");
    EXPECT_TRUE(e3_->Focused());
    test::SendKey(*form_, Qt::Key_Tab, "\t");
    EXPECT_TRUE(e1_->Focused());

    // A control that wants Tab keeps it.
    e1_->SetWindowProc([original = e1_->WindowProc()](TMessage& m) {
        if (m.Msg == WM_GETDLGCODE) {
            m.Result = DLGC_WANTTAB;
            return;
        }
        original(m);
    });
    test::SendKey(*form_, Qt::Key_Tab, "\t");
    EXPECT_TRUE(e1_->Focused());
    EXPECT_EQ(tabKeys, 1);
}

TEST_F(FocusTest, EnterAndEscapeGoToTheControlsAsDialogKeys) {
    form_->Show();
    TEventLog keys;
    // A default button takes Enter from the dialog-key broadcast.
    e4_->SetWindowProc([&keys, original = e4_->WindowProc()](TMessage& m) {
        if (m.Msg == CM_DIALOGKEY && m.WParam == VK_RETURN) {
            keys.push_back("default button");
            m.Result = 1;
            return;
        }
        original(m);
    });
    e1_->OnKeyPress = [&](TObject*, char16_t& ch) { keys.push_back("char " + std::to_string(ch)); };
    test::SendKey(*form_, Qt::Key_Return, "\r");
    test::SendKey(*form_, Qt::Key_Escape, "\x1b");
    EXPECT_EQ(keys, (TEventLog{"default button", "char 27"}));
}

TEST_F(FocusTest, AHandlerThatTakesTheFocusBackStopsTheMove) {
    form_->Show();
    e1_->OnExit = [&](TObject*) {
        log_.push_back("e1:exit");
        e1_->SetFocus();
    };
    log_.clear();
    e2_->SetFocus();
    EXPECT_TRUE(e1_->Focused());
    EXPECT_EQ(form_->ActiveControl(), e1_);
    EXPECT_EQ(log_, (TEventLog{"e1:exit", "e1:enter"}));
}

TEST_F(FocusTest, HidingOrFreeingTheFocusedControlMovesTheFocusToTheForm) {
    form_->Show();
    log_.clear();
    e1_->Hide();
    EXPECT_EQ(log_, (TEventLog{"e1:exit", "p1:exit"}));
    EXPECT_EQ(form_->ActiveControl(), nullptr);
    EXPECT_TRUE(form_->Focused());
    EXPECT_FALSE(e1_->CanFocus());
    EXPECT_THROW(e1_->SetFocus(), EInvalidOperation);

    e3_->SetFocus();
    log_.clear();
    delete p2_;
    EXPECT_EQ(form_->ActiveControl(), nullptr);
    EXPECT_TRUE(form_->Focused());
    e2_->SetFocus();
    EXPECT_EQ(log_, (TEventLog{"p1:enter", "e2:enter"}));
}

TEST_F(FocusTest, FocusGoingToAnotherFormRaisesNoExitButDeactivation) {
    form_->Show();
    TEventLog forms;
    form_->OnActivate = [&](TObject*) { forms.push_back("main:activate"); };
    form_->OnDeactivate = [&](TObject*) { forms.push_back("main:deactivate"); };
    auto other = MakeForm(100, 50);
    auto* edit = Place(new TProbeControl(other.get()), other.get(), 0, 0, 50, 20);
    edit->SetName("other");
    edit->SetTabStop(true);
    LogFocus(*edit, log_);
    other->OnActivate = [&](TObject*) { forms.push_back("other:activate"); };
    log_.clear();

    other->Show();
    EXPECT_TRUE(edit->Focused());
    EXPECT_EQ(log_, (TEventLog{"other:enter"})) << "e1 keeps being main's active control";
    EXPECT_EQ(form_->ActiveControl(), e1_);
    EXPECT_EQ(ActiveForm(), other.get());

    log_.clear();
    other->Hide();
    EXPECT_TRUE(e1_->Focused()) << "the form active before gets the focus back";
    EXPECT_TRUE(log_.empty());
    EXPECT_EQ(forms, (TEventLog{"main:deactivate", "other:activate", "main:activate"}));
}

TEST_F(FocusTest, ClickingIntoAnInactiveFormActivatesIt) {
    form_->Show();
    auto other = MakeForm(100, 50);
    other->Show();
    ASSERT_EQ(ActiveForm(), other.get());
    test::Click(*p2_, 50, 80);
    EXPECT_EQ(ActiveForm(), form_.get());
    EXPECT_TRUE(e1_->Focused()) << "a click activates the form; the control does not take focus";
}

}  // namespace
}  // namespace dsp

// Push buttons, check boxes and radio buttons: when OnClick runs, and what else a click does.

#include <gtest/gtest.h>

#include <QEvent>

#include "framework/controls/Button.h"
#include "framework/controls/Edit.h"
#include "framework/controls/KeyMap.h"
#include "tests/framework/controls/ControlTestSupport.h"

namespace dsp {
namespace {

using test::MakeForm;
using test::Place;
using test::TEventLog;

template <typename T>
T* Logged(T* control, const std::string& name, TEventLog& log) {
    control->SetName(name);
    control->OnClick = [&log, name](TObject*) { log.push_back(name + ":click"); };
    return control;
}

class StdButtons : public ::testing::Test {
protected:
    void SetUp() override { ResetKeyboardState(); }
    std::unique_ptr<TForm> form_ = MakeForm(300, 200);
    TEventLog log_;
};

TEST_F(StdButtons, ProgramCheckedRaisesOneClickPerChange) {
    auto* box =
        Logged(Place(new TCheckBox(form_.get()), form_.get(), 10, 10, 100, 17), "box", log_);
    box->SetChecked(true);
    box->SetChecked(true);
    EXPECT_EQ(log_, TEventLog{"box:click"});
    box->SetState(cbGrayed);
    box->SetChecked(false);
    EXPECT_EQ(log_.size(), 3u);
    EXPECT_EQ(box->State(), cbUnchecked);
}

TEST_F(StdButtons, UserClickStepsTheStateWithOneClick) {
    auto* box =
        Logged(Place(new TCheckBox(form_.get()), form_.get(), 10, 10, 100, 17), "box", log_);
    box->SetAllowGrayed(true);
    form_->Show();
    std::vector<TCheckBoxState> states;
    for (int i = 0; i < 3; ++i) {
        test::Click(*box, 5, 8);
        states.push_back(box->State());
    }
    EXPECT_EQ(states, (std::vector<TCheckBoxState>{cbGrayed, cbChecked, cbUnchecked}));
    EXPECT_EQ(log_.size(), 3u);
    // Pressed inside, released outside: nothing.
    test::SendMouse(*box, QEvent::MouseButtonPress, 5, 8, Qt::LeftButton, Qt::LeftButton);
    test::SendMouse(*box, QEvent::MouseButtonRelease, 200, 8, Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(log_.size(), 3u);
    // Space on the focused box.
    box->SetFocus();
    test::SendKey(*box, Qt::Key_Space, " ");
    EXPECT_EQ(box->State(), cbGrayed);
    EXPECT_EQ(log_.size(), 4u);
}

TEST_F(StdButtons, CheckingARadioButtonUnchecksItsSiblingsQuietly) {
    auto* analog =
        Logged(Place(new TRadioButton(form_.get()), form_.get(), 10, 10, 100, 17), "analog", log_);
    auto* sine =
        Logged(Place(new TRadioButton(form_.get()), form_.get(), 10, 30, 100, 17), "sine", log_);
    analog->SetChecked(true);
    EXPECT_EQ(log_, TEventLog{"analog:click"});
    sine->SetChecked(true);
    EXPECT_FALSE(analog->Checked());
    EXPECT_EQ(log_, (TEventLog{"analog:click", "sine:click"}));
    sine->SetChecked(false);  // unchecking raises nothing
    EXPECT_EQ(log_.size(), 2u);
    sine->SetChecked(true);
    log_.clear();
    form_->Show();
    test::Click(*sine, 5, 8);  // already checked: no click
    EXPECT_TRUE(log_.empty());
    test::Click(*analog, 5, 8);
    EXPECT_EQ(log_, TEventLog{"analog:click"});
    EXPECT_TRUE(analog->TabStop());
    EXPECT_FALSE(sine->TabStop());
}

TEST_F(StdButtons, ArrowingOntoARadioButtonEntersItBeforeClickingIt) {
    auto* analog =
        Logged(Place(new TRadioButton(form_.get()), form_.get(), 10, 10, 100, 17), "analog", log_);
    auto* sine =
        Logged(Place(new TRadioButton(form_.get()), form_.get(), 10, 30, 100, 17), "sine", log_);
    for (TRadioButton* radio : {analog, sine}) {
        const std::string name = radio->Name();
        radio->OnEnter = [this, name](TObject*) { log_.push_back(name + ":enter"); };
        radio->OnExit = [this, name](TObject*) { log_.push_back(name + ":exit"); };
    }
    analog->SetChecked(true);
    form_->Show();
    analog->SetFocus();
    log_.clear();
    test::SendKey(*analog, Qt::Key_Down);
    EXPECT_EQ(log_, (TEventLog{"analog:exit", "sine:enter", "sine:click"}));
    EXPECT_TRUE(sine->Checked());
    EXPECT_FALSE(analog->Checked());
    // An OnEnter that sends the focus back leaves the button unchecked.
    analog->OnEnter = [sine](TObject*) { sine->SetFocus(); };
    test::SendKey(*sine, Qt::Key_Up);
    EXPECT_TRUE(sine->Focused());
    EXPECT_TRUE(sine->Checked());
    EXPECT_FALSE(analog->Checked());
}

TEST_F(StdButtons, ButtonsSetTheModalResultAndAnswerEnterAndEscape) {
    auto* ok = Logged(Place(new TButton(form_.get()), form_.get(), 10, 100, 75, 25), "ok", log_);
    auto* cancel =
        Logged(Place(new TButton(form_.get()), form_.get(), 100, 100, 75, 25), "cancel", log_);
    auto* edit = Place(new TEdit(form_.get()), form_.get(), 10, 10, 100, 21);
    ok->SetDefault(true);
    ok->SetModalResult(mrOk);
    cancel->SetCancel(true);
    cancel->SetModalResult(mrCancel);
    form_->Show();
    edit->SetFocus();
    EXPECT_TRUE(ok->Active());
    test::SendKey(*edit, Qt::Key_Return, "\r");
    EXPECT_EQ(log_, TEventLog{"ok:click"});
    EXPECT_EQ(form_->ModalResult(), mrOk);
    test::SendKey(*edit, Qt::Key_Escape, "\x1B");
    EXPECT_EQ(form_->ModalResult(), mrCancel);
    // The focused button is the one Enter clicks.
    cancel->SetFocus();
    EXPECT_FALSE(ok->Active());
    log_.clear();
    test::SendKey(*cancel, Qt::Key_Return, "\r");
    EXPECT_EQ(log_, TEventLog{"cancel:click"});
    // The mouse: released outside, no click.
    test::SendMouse(*ok, QEvent::MouseButtonPress, 5, 5, Qt::LeftButton, Qt::LeftButton);
    test::SendMouse(*ok, QEvent::MouseButtonRelease, 500, 5, Qt::LeftButton, Qt::NoButton);
    test::Click(*ok, 5, 5);
    EXPECT_EQ(log_, (TEventLog{"cancel:click", "ok:click"}));
}

}  // namespace
}  // namespace dsp

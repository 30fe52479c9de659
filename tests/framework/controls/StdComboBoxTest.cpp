// The combo box's event rules, its dropped list and its search by prefix.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEvent>
#include <QMouseEvent>

#include "framework/controls/ComboBox.h"
#include "framework/controls/ComboPopup.h"
#include "framework/controls/KeyMap.h"
#include "framework/core/FrameworkAccess.h"
#include "framework/runtime/ManualClock.h"
#include "tests/framework/controls/ControlTestSupport.h"

namespace dsp {
namespace {

using test::MakeForm;
using test::Place;
using test::TEventLog;

class StdComboBox : public ::testing::Test {
protected:
    void SetUp() override {
        ResetKeyboardState();
        combo_ = Place(new TComboBox(form_.get()), form_.get(), 10, 10, 60, 22);
        combo_->Items()->SetCommaText(
            "\"BW -6\",\"BL -6\",\"BW -12\",\"BL -12\",\"LK -12\",\"BW -18\",\"BL -18\","
            "\"BW -24\",\"BL -24\",\"LK -24\"");
        combo_->OnChange = [this](TObject*) { log_.push_back("change"); };
        combo_->OnClick = [this](TObject*) { log_.push_back("click"); };
        combo_->OnDropDown = [this](TObject*) { log_.push_back("dropdown"); };
        combo_->OnCloseUp = [this](TObject*) { log_.push_back("closeup"); };
    }

    void Key(int qtKey, const std::string& text = "", int modifiers = 0) {
        test::SendKey(*combo_, qtKey, text, modifiers);
    }

    std::unique_ptr<TForm> form_ = MakeForm(300, 200);
    TComboBox* combo_ = nullptr;
    TEventLog log_;
};

TEST_F(StdComboBox, ItemIndexSetByTheProgramRaisesNothing) {
    combo_->OnSelect = [this](TObject*) { log_.push_back("select"); };
    combo_->SetItemIndex(9);
    EXPECT_EQ(combo_->Text(), "LK -24");
    combo_->SetStyle(csDropDownList);
    combo_->SetItemIndex(2);
    EXPECT_EQ(combo_->Text(), "BW -12");
    combo_->SetItemIndex(42);  // not a line: no selection
    EXPECT_EQ(combo_->ItemIndex(), -1);
    EXPECT_EQ(combo_->Text(), "");
    combo_->SetText("bl -6");  // names a line: selects it
    EXPECT_EQ(combo_->ItemIndex(), 1);
    EXPECT_EQ(combo_->Text(), "BL -6");
    combo_->Items()->Clear();
    EXPECT_EQ(combo_->ItemIndex(), -1);
    EXPECT_TRUE(log_.empty());
}

TEST_F(StdComboBox, TheUsersChoiceRaisesClickThenSelectOrElseChange) {
    combo_->SetStyle(csDropDownList);
    form_->Show();
    combo_->SetFocus();
    Key(Qt::Key_Down);
    EXPECT_EQ(combo_->ItemIndex(), 0);
    EXPECT_EQ(log_, (TEventLog{"click", "change"}));
    combo_->OnSelect = [this](TObject*) { log_.push_back("select"); };
    log_.clear();
    Key(Qt::Key_Down);
    EXPECT_EQ(log_, (TEventLog{"click", "select"}));
    combo_->SetItemIndex(0);
    log_.clear();
    Key(Qt::Key_Up);  // at the first line already
    EXPECT_TRUE(log_.empty());
}

TEST_F(StdComboBox, TheDroppedListOpensAfterOnDropDownAndClosesBeforeOnCloseUp) {
    combo_->SetStyle(csDropDownList);
    combo_->SetItemIndex(1);
    form_->Show();
    combo_->SetFocus();
    combo_->OnDropDown = [this](TObject*) {
        log_.push_back(std::string("dropdown ") + (combo_->DroppedDown() ? "open" : "closed"));
    };
    combo_->OnCloseUp = [this](TObject*) {
        log_.push_back(std::string("closeup ") + (combo_->DroppedDown() ? "open" : "closed"));
    };
    Key(Qt::Key_F4);
    ASSERT_TRUE(combo_->DroppedDown());
    EXPECT_EQ(combo_->Popup(kFrameworkKey)->Hot(), 1);
    Key(Qt::Key_Down);
    Key(Qt::Key_Down);
    EXPECT_EQ(combo_->ItemIndex(), 1) << "moving in the list chooses nothing yet";
    Key(Qt::Key_Return, "\r");
    EXPECT_FALSE(combo_->DroppedDown());
    EXPECT_EQ(combo_->ItemIndex(), 3);
    EXPECT_EQ(log_, (TEventLog{"dropdown closed", "click", "change", "closeup closed"}));
    log_.clear();
    Key(Qt::Key_Down, "", Qt::AltModifier);
    Key(Qt::Key_Home);
    Key(Qt::Key_Escape, "\x1B");
    EXPECT_EQ(combo_->ItemIndex(), 3) << "Escape closes without a choice";
    EXPECT_EQ(log_, (TEventLog{"dropdown closed", "closeup closed"}));
}

TEST_F(StdComboBox, TheListTakesTheMouseFromThePressThatOpensItAndFromAnyOtherControl) {
    combo_->SetStyle(csDropDownList);
    auto* other = Place(new test::TProbeControl(form_.get()), form_.get(), 100, 10, 50, 50);
    int otherClicks = 0;
    other->OnClick = [&](TObject*) { ++otherClicks; };
    form_->Show();
    // The list takes the pointer as it opens: the release of this press goes to the list, so
    // the combo must not wait for it.
    test::SendMouse(*combo_, QEvent::MouseButtonPress, 50, 10, Qt::LeftButton, Qt::LeftButton);
    ASSERT_TRUE(combo_->DroppedDown());
    EXPECT_FALSE(combo_->MouseCapture());
    combo_->SetDroppedDown(false);
    test::Click(*other, 10, 10);
    EXPECT_EQ(otherClicks, 1);
    // A list that opens while another control holds the mouse ends that press without a click.
    test::SendMouse(*other, QEvent::MouseButtonPress, 10, 10, Qt::LeftButton, Qt::LeftButton);
    ASSERT_TRUE(other->MouseCapture());
    combo_->SetDroppedDown(true);
    EXPECT_FALSE(other->MouseCapture());
    combo_->SetDroppedDown(false);
    test::SendMouse(*other, QEvent::MouseButtonRelease, 10, 10, Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(otherClicks, 1);
}

TEST_F(StdComboBox, TheListIsAsWideAsAskedAndShowsItsTopIndex) {
    combo_->SetStyle(csDropDownList);
    combo_->SetDropDownCount(4);
    combo_->SetItemIndex(8);
    form_->Show();
    combo_->SetDroppedDown(true);
    ASSERT_NE(combo_->Popup(kFrameworkKey), nullptr);
    EXPECT_EQ(combo_->Popup(kFrameworkKey)->width(), 60) << "never narrower than the combo";
    EXPECT_EQ(combo_->Popup(kFrameworkKey)->Rows(), 4);
    EXPECT_EQ(combo_->TopIndex(), 6) << "the selected line shows";
    combo_->SetDroppedDown(false);
    combo_->SetDroppedWidth(150);
    combo_->SetTopIndex(2);
    combo_->SetItemIndex(3);
    combo_->SetDroppedDown(true);
    EXPECT_EQ(combo_->Popup(kFrameworkKey)->width(), 150);
    EXPECT_EQ(combo_->TopIndex(), 2);
    // A click on a line of the list chooses it.
    QWidget* popup = combo_->Popup(kFrameworkKey);
    const int rowHeight = combo_->ListRowHeight(kFrameworkKey, 0);
    const QPointF at(20, 1 + rowHeight + rowHeight / 2);  // the second row: line 3
    QMouseEvent press(QEvent::MouseButtonPress, at, popup->mapToGlobal(at), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(popup, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, at, popup->mapToGlobal(at), Qt::LeftButton,
                        Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(popup, &release);
    EXPECT_FALSE(combo_->DroppedDown());
    EXPECT_EQ(combo_->ItemIndex(), 3);
}

TEST_F(StdComboBox, ListStylesFindLinesByTheirBeginning) {
    TManualClock clock;
    combo_->SetStyle(csDropDownList);
    form_->Show();
    combo_->SetFocus();
    Key(Qt::Key_B, "b");
    EXPECT_EQ(combo_->Text(), "BW -6");
    clock.Advance(std::chrono::milliseconds(200));
    Key(Qt::Key_L, "l");
    EXPECT_EQ(combo_->Text(), "BL -6");
    clock.Advance(std::chrono::milliseconds(600));
    Key(Qt::Key_B, "b");
    EXPECT_EQ(combo_->Text(), "BW -6") << "a pause starts a new prefix";
    Key(Qt::Key_X, "x");
    EXPECT_EQ(combo_->Text(), "BW -6");
    // Without AutoComplete each character finds the next line beginning with it.
    combo_->SetAutoComplete(false);
    Key(Qt::Key_B, "b");
    Key(Qt::Key_B, "b");
    EXPECT_EQ(combo_->Text(), "BW -12");
    EXPECT_EQ(combo_->FindString("lk"), 4);
    EXPECT_EQ(combo_->FindString(""), -1);
}

TEST_F(StdComboBox, AnEditableComboTypesWithItsLimitAndKeepsItsHeight) {
    combo_->SetMaxLength(4);
    form_->Show();
    combo_->SetFocus();
    combo_->SetText("");
    EXPECT_TRUE(log_.empty()) << "text set by the program raises nothing";
    test::Type(*combo_, "bl -6");
    EXPECT_EQ(combo_->Text(), "bl -");
    EXPECT_EQ(log_, (TEventLog{"change", "change", "change", "change"}));
    EXPECT_EQ(combo_->ItemIndex(), -1);
    combo_->SetText("BW -123456");
    EXPECT_EQ(combo_->Text(), "BW -123456");
    const int height = combo_->Height();
    combo_->SetHeight(29);
    EXPECT_EQ(combo_->Height(), height);
}

}  // namespace
}  // namespace dsp

// The combo box's event rules, its dropped list and its search by prefix.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEvent>
#include <QMouseEvent>

#include "framework/controls/ComboBox.h"
#include "framework/controls/ComboPopup.h"
#include "framework/controls/KeyMap.h"
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
        combo = Place(new TComboBox(form.get()), form.get(), 10, 10, 60, 22);
        combo->Items()->SetCommaText(
            "\"BW -6\",\"BL -6\",\"BW -12\",\"BL -12\",\"LK -12\",\"BW -18\",\"BL -18\","
            "\"BW -24\",\"BL -24\",\"LK -24\"");
        combo->OnChange = [this](TObject*) { log.push_back("change"); };
        combo->OnClick = [this](TObject*) { log.push_back("click"); };
        combo->OnDropDown = [this](TObject*) { log.push_back("dropdown"); };
        combo->OnCloseUp = [this](TObject*) { log.push_back("closeup"); };
    }

    void Key(int qtKey, const std::string& text = "", int modifiers = 0) {
        test::SendKey(*combo, qtKey, text, modifiers);
    }

    std::unique_ptr<TForm> form = MakeForm(300, 200);
    TComboBox* combo = nullptr;
    TEventLog log;
};

TEST_F(StdComboBox, ItemIndexSetByTheProgramRaisesNothing) {
    combo->OnSelect = [this](TObject*) { log.push_back("select"); };
    combo->SetItemIndex(9);
    EXPECT_EQ(combo->Text(), "LK -24");
    combo->SetStyle(csDropDownList);
    combo->SetItemIndex(2);
    EXPECT_EQ(combo->Text(), "BW -12");
    combo->SetItemIndex(42);  // not a line: no selection
    EXPECT_EQ(combo->ItemIndex(), -1);
    EXPECT_EQ(combo->Text(), "");
    combo->SetText("bl -6");  // names a line: selects it
    EXPECT_EQ(combo->ItemIndex(), 1);
    EXPECT_EQ(combo->Text(), "BL -6");
    combo->Items()->Clear();
    EXPECT_EQ(combo->ItemIndex(), -1);
    EXPECT_TRUE(log.empty());
}

TEST_F(StdComboBox, TheUsersChoiceRaisesClickThenSelectOrElseChange) {
    combo->SetStyle(csDropDownList);
    form->Show();
    combo->SetFocus();
    Key(Qt::Key_Down);
    EXPECT_EQ(combo->ItemIndex(), 0);
    EXPECT_EQ(log, (TEventLog{"click", "change"}));
    combo->OnSelect = [this](TObject*) { log.push_back("select"); };
    log.clear();
    Key(Qt::Key_Down);
    EXPECT_EQ(log, (TEventLog{"click", "select"}));
    combo->SetItemIndex(0);
    log.clear();
    Key(Qt::Key_Up);  // at the first line already
    EXPECT_TRUE(log.empty());
}

TEST_F(StdComboBox, TheDroppedListOpensAfterOnDropDownAndClosesBeforeOnCloseUp) {
    combo->SetStyle(csDropDownList);
    combo->SetItemIndex(1);
    form->Show();
    combo->SetFocus();
    combo->OnDropDown = [this](TObject*) {
        log.push_back(std::string("dropdown ") + (combo->DroppedDown() ? "open" : "closed"));
    };
    combo->OnCloseUp = [this](TObject*) {
        log.push_back(std::string("closeup ") + (combo->DroppedDown() ? "open" : "closed"));
    };
    Key(Qt::Key_F4);
    ASSERT_TRUE(combo->DroppedDown());
    EXPECT_EQ(combo->Popup()->Hot(), 1);
    Key(Qt::Key_Down);
    Key(Qt::Key_Down);
    EXPECT_EQ(combo->ItemIndex(), 1) << "moving in the list chooses nothing yet";
    Key(Qt::Key_Return, "\r");
    EXPECT_FALSE(combo->DroppedDown());
    EXPECT_EQ(combo->ItemIndex(), 3);
    EXPECT_EQ(log, (TEventLog{"dropdown closed", "click", "change", "closeup closed"}));
    log.clear();
    Key(Qt::Key_Down, "", Qt::AltModifier);
    Key(Qt::Key_Home);
    Key(Qt::Key_Escape, "\x1B");
    EXPECT_EQ(combo->ItemIndex(), 3) << "Escape closes without a choice";
    EXPECT_EQ(log, (TEventLog{"dropdown closed", "closeup closed"}));
}

TEST_F(StdComboBox, TheListTakesTheMouseFromThePressThatOpensItAndFromAnyOtherControl) {
    combo->SetStyle(csDropDownList);
    auto* other = Place(new test::TProbeControl(form.get()), form.get(), 100, 10, 50, 50);
    int otherClicks = 0;
    other->OnClick = [&](TObject*) { ++otherClicks; };
    form->Show();
    // The list takes the pointer as it opens: the release of this press goes to the list, so
    // the combo must not wait for it.
    test::SendMouse(*combo, QEvent::MouseButtonPress, 50, 10, Qt::LeftButton, Qt::LeftButton);
    ASSERT_TRUE(combo->DroppedDown());
    EXPECT_FALSE(combo->MouseCapture());
    combo->SetDroppedDown(false);
    test::Click(*other, 10, 10);
    EXPECT_EQ(otherClicks, 1);
    // A list that opens while another control holds the mouse ends that press without a click.
    test::SendMouse(*other, QEvent::MouseButtonPress, 10, 10, Qt::LeftButton, Qt::LeftButton);
    ASSERT_TRUE(other->MouseCapture());
    combo->SetDroppedDown(true);
    EXPECT_FALSE(other->MouseCapture());
    combo->SetDroppedDown(false);
    test::SendMouse(*other, QEvent::MouseButtonRelease, 10, 10, Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(otherClicks, 1);
}

TEST_F(StdComboBox, TheListIsAsWideAsAskedAndShowsItsTopIndex) {
    combo->SetStyle(csDropDownList);
    combo->SetDropDownCount(4);
    combo->SetItemIndex(8);
    form->Show();
    combo->SetDroppedDown(true);
    ASSERT_NE(combo->Popup(), nullptr);
    EXPECT_EQ(combo->Popup()->width(), 60) << "never narrower than the combo";
    EXPECT_EQ(combo->Popup()->Rows(), 4);
    EXPECT_EQ(combo->TopIndex(), 6) << "the selected line shows";
    combo->SetDroppedDown(false);
    combo->SetDroppedWidth(150);
    combo->SetTopIndex(2);
    combo->SetItemIndex(3);
    combo->SetDroppedDown(true);
    EXPECT_EQ(combo->Popup()->width(), 150);
    EXPECT_EQ(combo->TopIndex(), 2);
    // A click on a line of the list chooses it.
    QWidget* popup = combo->Popup();
    const int rowHeight = combo->ListRowHeight(0);
    const QPointF at(20, 1 + rowHeight + rowHeight / 2);  // the second row: line 3
    QMouseEvent press(QEvent::MouseButtonPress, at, popup->mapToGlobal(at), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(popup, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, at, popup->mapToGlobal(at), Qt::LeftButton,
                        Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(popup, &release);
    EXPECT_FALSE(combo->DroppedDown());
    EXPECT_EQ(combo->ItemIndex(), 3);
}

TEST_F(StdComboBox, ListStylesFindLinesByTheirBeginning) {
    TManualClock clock;
    combo->SetStyle(csDropDownList);
    form->Show();
    combo->SetFocus();
    Key(Qt::Key_B, "b");
    EXPECT_EQ(combo->Text(), "BW -6");
    clock.Advance(std::chrono::milliseconds(200));
    Key(Qt::Key_L, "l");
    EXPECT_EQ(combo->Text(), "BL -6");
    clock.Advance(std::chrono::milliseconds(600));
    Key(Qt::Key_B, "b");
    EXPECT_EQ(combo->Text(), "BW -6") << "a pause starts a new prefix";
    Key(Qt::Key_X, "x");
    EXPECT_EQ(combo->Text(), "BW -6");
    // Without AutoComplete each character finds the next line beginning with it.
    combo->SetAutoComplete(false);
    Key(Qt::Key_B, "b");
    Key(Qt::Key_B, "b");
    EXPECT_EQ(combo->Text(), "BW -12");
    EXPECT_EQ(combo->FindString("lk"), 4);
    EXPECT_EQ(combo->FindString(""), -1);
}

TEST_F(StdComboBox, AnEditableComboTypesWithItsLimitAndKeepsItsHeight) {
    combo->SetMaxLength(4);
    form->Show();
    combo->SetFocus();
    combo->SetText("");
    EXPECT_TRUE(log.empty()) << "text set by the program raises nothing";
    test::Type(*combo, "bl -6");
    EXPECT_EQ(combo->Text(), "bl -");
    EXPECT_EQ(log, (TEventLog{"change", "change", "change", "change"}));
    EXPECT_EQ(combo->ItemIndex(), -1);
    combo->SetText("BW -123456");
    EXPECT_EQ(combo->Text(), "BW -123456");
    const int height = combo->Height();
    combo->SetHeight(29);
    EXPECT_EQ(combo->Height(), height);
}

}  // namespace
}  // namespace dsp

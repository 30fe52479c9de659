// The EQ band table: layout of the main window's tables, band setters and getters, typed
// entries through the boxes, bypass, the current row and its highlight, events, and the type
// lists surviving a window made after the bands were set.

#include <gtest/gtest.h>

#include <QtCore/Qt>
#include <memory>
#include <string>
#include <vector>

#include "components/MyPEQAllpass.h"
#include "components/MyPEQType8.h"
#include "framework/controls/Edit.h"
#include "framework/controls/Form.h"
#include "framework/controls/MessageParams.h"
#include "model/Constants.h"
#include "tests/framework/controls/ControlTestSupport.h"
#include "widgets/panels/RzButton.h"
#include "widgets/panels/RzCmboBx.h"
#include "widgets/panels/RzLabel.h"

namespace dsp {
namespace {

// A table as the main window sets one up: 536 x 270, nine rows, white boxes, silver bypass
// buttons; it counts its changes.
class EqTableTest : public ::testing::Test {
protected:
    void SetUp() override {
        form_ = test::MakeForm(600, 300);
        table_ = test::Place(new TMyPEQAllpass(form_.get()), form_.get(), 0, 0, 536, 270);
        table_->SetUpdownVisable(false);
        table_->SetTopBottomSpace(15);
        table_->SetChannelNumber(9);
        table_->SetLabelColor(clBackground);
        table_->SetEditBackColor(clWhite);
        table_->SetBypassBackColor(clSilver);
        table_->OnChange = [this](TObject* sender) {
            EXPECT_EQ(sender, table_);
            ++changes_;
        };
    }

    void Show() { test::ShowAndPaint(*form_); }

    std::unique_ptr<TForm> form_;
    TMyPEQAllpass* table_ = nullptr;
    int changes_ = 0;
};

TEST_F(EqTableTest, RowsOfTheMainWindowsTableStandInTheirColumns) {
    Show();
    for (int r = 0; r < 9; ++r) {
        SCOPED_TRACE(r);
        const int top = 23 + 26 * r;
        EXPECT_EQ(table_->NumberLabel(r)->Top(), top);
        EXPECT_EQ(table_->NumberLabel(r)->Caption(), std::to_string(r + 1));
        EXPECT_EQ(table_->FrequencyBox(r)->Left(), 40);
        EXPECT_EQ(table_->QBox(r)->Left(), 141);
        EXPECT_EQ(table_->GainBox(r)->Left(), 242);
        EXPECT_EQ(table_->GainBox(r)->Width(), 93);
        EXPECT_EQ(table_->GainBox(r)->Top(), top - 1);
        EXPECT_EQ(table_->TypeList(r)->Left(), 343);
        EXPECT_EQ(table_->TypeList(r)->Width(), 101);
        EXPECT_EQ(table_->BypassButton(r)->Left(), 450);
        EXPECT_EQ(table_->BypassButton(r)->Width(), 79);
        EXPECT_TRUE(table_->GainBox(r)->Visible());
        EXPECT_EQ(table_->TypeList(r)->Items()->Count(), 7);
    }
    EXPECT_FALSE(table_->FrequencyBox(9)->Visible());
    EXPECT_EQ(table_->FrequencyBox(9)->Top(), 10000);
    EXPECT_EQ(table_->TypeList(2)->Items()->Strings(3), " Low Cut    ");
    EXPECT_EQ(table_->BypassButton(0)->Caption(), "   BYPASS   ");
}

TEST_F(EqTableTest, SettingABandWritesItsTextsAndRaisesOneChange) {
    Show();
    changes_ = 0;
    table_->SetEqParamValue(3, 1000.0, 20.0, 0.3, 0, false);
    EXPECT_EQ(changes_, 1);
    EXPECT_EQ(table_->FrequencyBox(3)->Text(), "1.00KHz");
    EXPECT_EQ(table_->QBox(3)->Text(), "1.26");
    EXPECT_EQ(table_->GainBox(3)->Text(), "0.3dB");
    EXPECT_DOUBLE_EQ(table_->GetFreqValue(3), 1000.0);
    EXPECT_EQ(table_->GetQValue(3), QTable[20]);
    EXPECT_DOUBLE_EQ(table_->GetGainValue(3), 0.3);
    EXPECT_EQ(table_->GetTypeValue(3), 0);
    EXPECT_FALSE(table_->GetBypassValue(3));

    // Each single setter raises its own change.
    table_->SetQValue(3, 20.9);
    table_->SetFreqValue(3, 19.6864);
    table_->SetGainValue(3, -3.55);
    table_->SetTypeValue(3, 9);
    table_->SetBypassValue(3, true);
    EXPECT_EQ(changes_, 6);
    EXPECT_EQ(table_->QBox(3)->Text(), "1.26");
    EXPECT_EQ(table_->FrequencyBox(3)->Text(), "19.7Hz");
    EXPECT_EQ(table_->GainBox(3)->Text(), "-3.55dB") << "the caller's own value shows";
    EXPECT_DOUBLE_EQ(table_->GetGainValue(3), -3.5);
    EXPECT_EQ(table_->GetTypeValue(3), -1) << "a type beyond the list selects nothing";
    EXPECT_TRUE(table_->GetBypassValue(3));
    EXPECT_EQ(table_->BypassButton(3)->Color(), TMyPEQAllpass::kBypassedColour);
    EXPECT_EQ(table_->BypassButton(2)->Color(), clSilver);

    // Rows outside the table and Q positions outside the Q table are held off.
    table_->SetFreqValue(50, 1000.0);
    table_->SetEqParamValue(-1, 1000.0, 20.0, 0.0, 0, false);
    EXPECT_EQ(table_->GetTypeValue(77), -1);
    table_->SetQValue(4, 1000.0);
    EXPECT_EQ(table_->QBox(4)->Text(), "128.00");
    table_->SetQValue(4, std::nan(""));
    EXPECT_EQ(table_->QBox(4)->Text(), "0.40");
}

TEST_F(EqTableTest, TypedEntriesAreAcceptedClampedOrRejectedAndEveryOneRaisesAChange) {
    auto* other = test::Place(new TEdit(form_.get()), form_.get(), 540, 10, 50, 21);
    Show();
    table_->SetEqParamValue(1, 1000.0, 20.0, 0.0, 0, false);
    struct TEntry {
        TEdit* box;
        std::string typed, shown;
        bool enter, rejected;
    };
    const TEntry entries[] = {
        {table_->FrequencyBox(1), "2.5kHz", "2.52KHz", false, false},
        {table_->FrequencyBox(1), "12a", "2.52KHz", true, true},
        {table_->QBox(1), "200", "128.00", false, false},
        {table_->QBox(1), "0", "128.00", true, true},
        {table_->GainBox(1), "-3.75dB", "-3.7dB", true, false},
        {table_->GainBox(1), "5.", "-3.7dB", false, true},
    };
    for (const TEntry& e : entries) {
        SCOPED_TRACE(e.typed);
        other->SetFocus();
        changes_ = 0;
        table_->SetNowIndex(4);
        e.box->SetFocus();
        e.box->SetText("");
        test::Type(*form_, e.typed);
        if (e.enter) {
            test::SendKey(*form_, Qt::Key_Return, "\r");
            if (e.rejected) {
                EXPECT_EQ(e.box->SelStart(), static_cast<int>(e.shown.size()))
                    << "the caret goes to the end of the rewritten box";
            }
        } else {
            other->SetFocus();  // leaving the box
        }
        EXPECT_EQ(e.box->Text(), e.shown);
        EXPECT_EQ(changes_, 1);
        EXPECT_EQ(table_->GetNowIndex(), 1);
    }
    EXPECT_NEAR(table_->GetFreqValue(1), 2519.8, 0.1);
    EXPECT_EQ(table_->GetQValue(1), 128.0);
    EXPECT_DOUBLE_EQ(table_->GetGainValue(1), -3.7);
}

TEST_F(EqTableTest, BypassClicksToggleTheBandAndColourItsButton) {
    Show();
    table_->OnChange = nullptr;
    table_->BypassButton(2)->Click();
    EXPECT_TRUE(table_->GetBypassValue(2));
    EXPECT_EQ(table_->BypassButton(2)->Color(), TMyPEQAllpass::kBypassedColour)
        << "coloured even without a change handler";
    EXPECT_EQ(table_->GetNowIndex(), 2);
    table_->BypassButton(2)->Click();
    EXPECT_FALSE(table_->GetBypassValue(2));
    EXPECT_EQ(table_->BypassButton(2)->Color(), clSilver);
}

TEST_F(EqTableTest, TheCurrentRowIsHighlightedOnceAndLosesItWhenAnotherTakesOver) {
    // As the main window does: after every change the current row is highlighted.
    table_->OnChange = [this](TObject*) { table_->SetNowIndex(table_->GetNowIndex()); };
    Show();
    auto colourOf = [&](int row) { return table_->FrequencyBox(row)->Font()->Color(); };
    const TColor normal = colourOf(0);
    const TColor green = TMyPEQAllpass::kHighlightColour;
    table_->SetNowIndex(4);  // the owner's own choice of band
    EXPECT_EQ(colourOf(4), green);
    EXPECT_EQ(table_->GetNowIndex(), 4);
    // The user leaves row 6's box: row 6 becomes current and takes the highlight.
    table_->FrequencyBox(6)->SetFocus();
    table_->GainBox(7)->SetFocus();
    EXPECT_EQ(table_->GetNowIndex(), 6);
    EXPECT_EQ(colourOf(6), green);
    EXPECT_EQ(table_->QBox(6)->Font()->Color(), green);
    EXPECT_EQ(colourOf(4), normal);
    table_->SetColor(6, clRed);
    table_->SetNowIndex(6);  // once only
    EXPECT_EQ(colourOf(6), clRed);
    table_->SetNowIndex(-1);
    EXPECT_EQ(colourOf(6), normal);
    EXPECT_EQ(table_->GetNowIndex(), 6);
    // A row that is not shown becomes current without a highlight.
    table_->SetNowIndex(15);
    EXPECT_EQ(table_->GetNowIndex(), 15);
    table_->SetColor(12, clRed);
    EXPECT_EQ(colourOf(12), normal);
}

TEST_F(EqTableTest, BoxPressesAndWheelsReachTheOwnerWithTheirSenders) {
    Show();
    std::vector<std::string> log;
    table_->OnEditMouseDown = [&](TObject* sender, TMouseButton, TShiftState, int x, int y) {
        EXPECT_EQ(sender, table_);
        log.push_back("press " + std::to_string(x) + "," + std::to_string(y));
    };
    table_->OnPeqTypeMouseWheel = [&](TObject* sender, TShiftState, int delta, TPoint,
                                      bool& handled) {
        EXPECT_EQ(sender, table_->TypeList(5));
        log.push_back("wheel " + std::to_string(delta));
        handled = true;
    };
    table_->SetTypeValue(5, 2);
    table_->QBox(3)->Perform(MakeMouseMessage(WM_LBUTTONDOWN, MK_LBUTTON, {5, 6}));
    table_->QBox(3)->Perform(MakeMouseMessage(WM_LBUTTONUP, 0, {5, 6}));
    EXPECT_EQ(table_->GetNowIndex(), 3);
    table_->TypeList(5)->SetFocus();  // the wheel goes to the focused list
    test::SendWheel(*table_->TypeList(5), 10, 10, -120);
    EXPECT_EQ(table_->GetTypeValue(5), 2) << "the handler kept the list from stepping";
    EXPECT_EQ(table_->GetNowIndex(), 3) << "the wheel makes no row current";
    EXPECT_EQ(log, (std::vector<std::string>{"press 5,6", "wheel -120"}));
}

TEST_F(EqTableTest, RowCountsAreHeldToOneToFiftyAndOnlyAChangeRaisesAnEvent) {
    changes_ = 0;
    table_->SetChannelNumber(9);
    EXPECT_EQ(changes_, 0);
    table_->SetChannelNumber(60);
    EXPECT_EQ(table_->ChannelNumber(), 50);
    table_->SetChannelNumber(0);
    EXPECT_EQ(table_->ChannelNumber(), 1);
    EXPECT_EQ(changes_, 2);
    table_->SetTopBottomSpace(0x1FF);
    EXPECT_EQ(table_->TopBottomSpace(), 0xFF);
}

TEST_F(EqTableTest, BandsSetBeforeTheTableFirstShowsKeepTheirTypes) {
    // The table lies on a page that shows only later: its window is made after the bands
    // were loaded, and after the language texts were set.
    table_->SetEqTypeString(" Glocke     ", 0);
    table_->ChangeLanguage();
    for (int r = 0; r < 9; ++r) table_->SetEqParamValue(r, 1000.0, 20.0, 0.0, r % 7, false);
    Show();
    for (int r = 0; r < 9; ++r) {
        EXPECT_EQ(table_->GetTypeValue(r), r % 7) << r;
        EXPECT_EQ(table_->TypeList(r)->Items()->Count(), 7) << r;
    }
    EXPECT_EQ(table_->TypeList(0)->Items()->Strings(0), " Glocke     ");
    // A new language keeps every row's type.
    table_->SetEqTypeString(" Peak       ", 0);
    table_->SetBypassString("AUS");
    table_->ChangeLanguage();
    EXPECT_EQ(table_->GetTypeValue(4), 4);
    EXPECT_EQ(table_->TypeList(0)->Items()->Strings(0), " Peak       ");
    EXPECT_EQ(table_->BypassButton(8)->Caption(), "AUS");
}

TEST(EqTableNineTypes, ListsHoldNineTypes) {
    auto form = test::MakeForm(600, 300);
    auto* table = test::Place(new TMyPEQType8(form.get()), form.get(), 0, 0, 536, 270);
    table->SetChannelNumber(9);
    test::ShowAndPaint(*form);
    EXPECT_EQ(table->TypeList(0)->Items()->Count(), 9);
    EXPECT_EQ(table->TypeList(0)->Items()->Strings(3), " HPF -6dB   ");
    table->SetTypeValue(0, 8);
    EXPECT_EQ(table->TypeList(0)->Text(), " Allpass 2  ");
    table->SetTypeValue(0, 9);
    EXPECT_EQ(table->GetTypeValue(0), -1);
}

}  // namespace
}  // namespace dsp

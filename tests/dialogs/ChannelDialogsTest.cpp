// The channel dialogs' rules against a recording main window: the test-signal dialog's sends, the
// about dialog's fixed English lines, the link grid's row logic with the order Set writes in and
// Exit's restoring, the copy rows and their pick-only boxes, and the channel names' eight-byte
// form with its cuts.

#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "dialogs/ChannelNames.h"
#include "dialogs/FAbout.h"
#include "dialogs/FChNameList.h"
#include "dialogs/FChannelName.h"
#include "dialogs/FCopy.h"
#include "dialogs/FLinkSel.h"
#include "dialogs/FTest.h"
#include "framework/controls/Button.h"
#include "framework/controls/ComboBox.h"
#include "framework/controls/Edit.h"
#include "framework/controls/KeyMap.h"
#include "framework/controls/Label.h"
#include "framework/text/Gbk.h"
#include "mainwindow/LanguageTexts.h"
#include "tests/dialogs/FakeChannelWindow.h"
#include "tests/framework/controls/ControlTestSupport.h"
#include "widgets/panels/RzBmpBtn.h"

namespace dsp::test {
namespace {

using Calls = std::vector<std::string>;

template <typename T>
std::unique_ptr<T> Make() {
    auto form = std::make_unique<T>(nullptr);
    form->AfterConstruction();
    return form;
}

// --- Test signal -------------------------------------------------------------------------------

TEST(TestSignalDialog, ModesAndSineFrequenciesGoOutAtOnce) {
    TFakeChannelWindow main;
    auto dialog = Make<TfmTest>();
    dialog->Show();
    auto choose = [&](int index) {
        dialog->cbSineFreq->SetItemIndex(index);
        dialog->cbSineFreqSelect(dialog->cbSineFreq);
    };
    dialog->rbWhiteNoise->SetChecked(true);
    EXPECT_EQ(main.calls, (Calls{"send 57 2 0"}));
    // Picking a frequency outside the sine mode checks the sine button, whose click sends the
    // mode first: the processor gets it twice.
    main.calls.clear();
    choose(17);
    EXPECT_TRUE(dialog->rbSineWave->Checked());
    EXPECT_EQ(main.calls, (Calls{"send 57 3 17", "send 57 3 17"}));
    main.calls.clear();
    choose(20);
    EXPECT_EQ(main.calls, (Calls{"send 57 3 20"}));
    // Every mode carries the chosen index.
    main.calls.clear();
    dialog->rbPinkNoise->SetChecked(true);
    EXPECT_EQ(main.calls, (Calls{"send 57 1 20"}));
    dialog->Close();
}

TEST(TestSignalDialog, AnImageSetsTheControlsAndSendsNothing) {
    TFakeChannelWindow main;
    auto dialog = Make<TfmTest>();
    main.applying = true;
    dialog->ShowMode(3, 30);
    EXPECT_TRUE(dialog->rbSineWave->Checked());
    EXPECT_EQ(dialog->cbSineFreq->ItemIndex(), 30);
    dialog->cbSineFreqSelect(dialog->cbSineFreq);
    EXPECT_TRUE(main.calls.empty()) << ::testing::PrintToString(main.calls);
    // A mode the image cannot hold changes nothing.
    dialog->ShowMode(7, 0);
    EXPECT_TRUE(dialog->rbSineWave->Checked());
}

// --- About -------------------------------------------------------------------------------------

TEST(AboutDialog, OnlyTheCaptionFollowsTheLanguage) {
    TFakeChannelWindow main;
    main.language = kLanguageChineseGB;
    auto dialog = Make<TfmAbout>();
    dialog->Show();
    EXPECT_EQ(dialog->Caption(), LookUpText(kLanguageChineseGB, "SID_ABOUT"));
    EXPECT_NE(dialog->Caption(), "About");
    EXPECT_EQ(dialog->ProductName->Caption(), "Product Name : WQJ DSP Processor Editor");
    EXPECT_EQ(dialog->Version->Caption(), "Version : V1.0");
    EXPECT_EQ(dialog->btnOK->Caption(), "OK");
    dialog->btnOK->Click();
    EXPECT_FALSE(dialog->Visible());
}

// --- Link selection ----------------------------------------------------------------------------

class LinkSelection : public ::testing::Test {
protected:
    LinkSelection() : dialog(Make<TfmLinkSel>()) {}

    // The user's click on a grid button: it goes down (one per row), then its row handler runs.
    void Pick(int row, int column) {
        TRzBmpButton* button = dialog->GridButton(row, column);
        ASSERT_NE(button, nullptr) << row << " " << column;
        button->SetDown(true);
        button->Click();
    }
    // The column whose button is down in a row.
    int Followed(int row) const {
        for (int column = row < 3 ? 0 : 3; column <= row; ++column) {
            if (dialog->GridButton(row, column)->Down()) return column;
        }
        return -1;
    }
    // Links as the processor holds them, shown in the grid as an image would show them.
    void Store(std::array<std::uint16_t, ChannelCount> masks) {
        main.masks = masks;
        for (int ch = 0; ch < ChannelCount; ++ch) dialog->ShowLinkMask(ch, masks[ch]);
        main.calls.clear();
    }
    Calls CallsBefore(const std::string& call) const {
        Calls before;
        for (const std::string& c : main.calls) {
            if (c == call) return before;
            before.push_back(c);
        }
        return {};
    }

    TFakeChannelWindow main;
    std::unique_ptr<TfmLinkSel> dialog;
};

TEST_F(LinkSelection, SetWithTheStoredGridChangesNothing) {
    dialog->Show();
    Pick(4, 4);
    dialog->bnSetClick(dialog->bnSet);
    EXPECT_TRUE(main.calls.empty()) << ::testing::PrintToString(main.calls);
    EXPECT_FALSE(dialog->Visible());
}

TEST_F(LinkSelection, ANewFollowerTakesItsLeadersSettingsBeforeTheMasksAreStored) {
    dialog->Show();
    Pick(5, 4);  // Out3 follows Out2
    dialog->bnSetClick(dialog->bnSet);
    EXPECT_EQ(CallsBefore("CommitLinks"), (Calls{"ShowLinkCaption 4 5", "CopyChannel 4 5 0",
                                                 "SetLinkMask 4 6", "SetLinkMask 5 0"}));
    ASSERT_FALSE(main.CallsOf("ShowGainPage").empty());
    EXPECT_EQ(main.calls.back(), "ShowGainPage");
    const Calls overlays = main.CallsOf("ShowOverlayButtons");
    EXPECT_EQ(overlays.size(), 9u);
    EXPECT_EQ(overlays[5], "ShowOverlayButtons 5 0");
    EXPECT_EQ(overlays[4], "ShowOverlayButtons 4 1");
    EXPECT_EQ(main.masks, (std::array<std::uint16_t, ChannelCount>{1, 2, 4, 1, 6, 0, 8, 16, 32}));
}

TEST_F(LinkSelection, AFollowerCannotBeFollowedAndItsFollowersStandAlone) {
    Store({1, 2, 4, 1, 6, 0, 8, 16, 32});  // Out3 follows Out2
    dialog->Show();
    EXPECT_EQ(Followed(5), 4);
    Pick(4, 3);  // Out2 now follows Out1
    for (int row = 5; row <= 8; ++row) {
        EXPECT_FALSE(dialog->GridButton(row, 4)->Enabled()) << row;
    }
    EXPECT_EQ(Followed(5), 5) << "Out3 leads its own group rather than following Out1";
    dialog->bnSetClick(dialog->bnSet);
    EXPECT_EQ(main.masks, (std::array<std::uint16_t, ChannelCount>{1, 2, 4, 3, 0, 4, 8, 16, 32}));
    EXPECT_EQ(main.CallsOf("CopyChannel"), (Calls{"CopyChannel 3 4 0"}));
    // Back on its diagonal, Out2's column opens again below it.
    Pick(4, 4);
    EXPECT_TRUE(dialog->GridButton(6, 4)->Enabled());
}

TEST_F(LinkSelection, ExitAfterAChangePutsEveryRowBackAsStored) {
    Store({7, 0, 0, 1, 2, 4, 8, 16, 32});  // InB and InC follow InA
    dialog->Show();
    Pick(1, 1);
    Pick(7, 6);
    dialog->bnExitClick(dialog->bnExit);
    EXPECT_FALSE(dialog->Visible());
    EXPECT_TRUE(main.CallsOf("SetLinkMask").empty());
    EXPECT_TRUE(main.CallsOf("CopyChannel").empty());
    const int followed[ChannelCount] = {0, 0, 0, 3, 4, 5, 6, 7, 8};
    dialog->Show();
    for (int row = 0; row < ChannelCount; ++row) EXPECT_EQ(Followed(row), followed[row]) << row;
}

TEST_F(LinkSelection, TheFirstRowOfEachSideHoldsOnlyItsDiagonal) {
    for (int first : {0, 3}) {
        EXPECT_NE(dialog->GridButton(first, first), nullptr);
        for (int column = 0; column < ChannelCount; ++column) {
            if (column == first) continue;
            EXPECT_EQ(dialog->GridButton(first, column), nullptr) << first << " " << column;
        }
    }
    // Neither grid names a channel of the other side.
    EXPECT_EQ(dialog->GridButton(3, 2), nullptr);
    EXPECT_EQ(dialog->GridButton(8, 0), nullptr);
}

// --- Copy --------------------------------------------------------------------------------------

TEST(CopyDialog, EachRowCopiesWithinItsSideAndTheDialogStaysOpen) {
    TFakeChannelWindow main;
    auto dialog = Make<TfmCopy>();
    dialog->Show();
    struct TCase {
        TComboBox* source;
        TComboBox* target;
        TRzBmpButton* copy;
        int from, to;
        const char* call;
    };
    const TCase cases[] = {
        {dialog->cbOutSource, dialog->cbOutDestination, dialog->bnOutChCopy, 2, 4,
         "CopyChannel 5 7 1"},
        {dialog->cbInSource, dialog->cbInDestination, dialog->bnInChCopy, 0, 2,
         "CopyChannel 0 2 1"},
        {dialog->cbOutSource, dialog->cbOutDestination, dialog->bnOutChCopy, 5, 0,
         "CopyChannel 8 3 1"},
    };
    Calls expected;
    for (const TCase& c : cases) {
        c.source->SetItemIndex(c.from);
        c.target->SetItemIndex(c.to);
        c.copy->Click();
        expected.push_back(c.call);
    }
    EXPECT_EQ(main.calls, expected);
    EXPECT_TRUE(dialog->Visible());
    dialog->bnExit->Click();
    EXPECT_FALSE(dialog->Visible());
}

TEST(CopyDialog, TypedTextNeverLeavesABoxWithoutAChannel) {
    TFakeChannelWindow main;
    auto dialog = Make<TfmCopy>();
    dialog->Show();
    dialog->cbOutSource->SetItemIndex(2);
    dialog->SetActiveControl(dialog->cbOutSource);
    Type(*dialog->cbOutSource, "x9-");
    EXPECT_EQ(dialog->cbOutSource->ItemIndex(), 2);
    EXPECT_EQ(dialog->cbOutSource->Text(), "Out3");
    dialog->bnOutChCopy->Click();
    EXPECT_EQ(main.calls, (Calls{"CopyChannel 5 4 1"}));
}

// --- Channel names -----------------------------------------------------------------------------

ChannelNameBytes Bytes(std::string_view gbk) {
    ChannelNameBytes name{};
    for (std::size_t i = 0; i < gbk.size() && i < name.size(); ++i) {
        name[i] = static_cast<std::uint8_t>(gbk[i]);
    }
    return name;
}

TEST(ChannelNames, EightBytesOfGbkCutAtACharactersBoundary) {
    struct TCase {
        const char* typed;
        std::string stored;
    };
    const TCase cases[] = {
        {"Sub", "Sub"},
        {"", ""},
        {"Subwoofer1", "Subwoofe"},
        {"低音", "\xB5\xCD\xD2\xF4"},
        // Three letters and three two-byte characters: the third would end at the ninth byte.
        {"Sub低音炮", "Sub\xB5\xCD\xD2\xF4"},
        {"低音炮低音", "\xB5\xCD\xD2\xF4\xC5\xDA\xB5\xCD"},
    };
    for (const TCase& c : cases) {
        EXPECT_EQ(ChannelNameFromText(c.typed), Bytes(c.stored)) << c.typed;
        EXPECT_EQ(ChannelNameGbk(ChannelNameFromText(c.typed)), c.stored) << c.typed;
    }
    // All eight bytes used: no terminator, and the text reads back whole.
    EXPECT_EQ(ChannelNameText(ChannelNameFromText("低音炮低音")), "低音炮低");
}

TEST(ChannelNameDialog, TheShownNameIsCutAfterItsNinthCharacterWithoutTrailingBlanks) {
    TFakeChannelWindow main;
    auto dialog = Make<TfmChannelName>();
    struct TCase {
        const char* shown;
        const char* edited;
    };
    const TCase cases[] = {
        {"Output3", "Output3"},    {"ABCDEFGH ", "ABCDEFGH "},  {"ABCDEFGHIJ", "ABCDEFGHI"},
        {"Output3  X", "Output3"}, {"ABCDE \r \rXYZ", "ABCDE"}, {"ABCD  XYZW", "ABCD  XYZ"},
        {"         X", ""},
    };
    for (const TCase& c : cases) {
        dialog->SetNameText(c.shown);
        EXPECT_EQ(dialog->edName->Text(), c.edited) << ::testing::PrintToString(c.shown);
    }
}

TEST(ChannelNameDialog, EnterStoresTheNameOfTheChannelAndCancelNothing) {
    TFakeChannelWindow main;
    auto dialog = Make<TfmChannelName>();
    dialog->SetChannel(5);
    dialog->SetNameText("Output3");
    dialog->Show();
    EXPECT_EQ(dialog->lbChannel->Caption(), "Out3 :");
    EXPECT_EQ(dialog->edName->Text(), "Output3");
    dialog->edName->SetText("Sub");
    TKeyCode key = VK_RETURN;
    dialog->edNameKeyDown(dialog->edName, key, {});
    EXPECT_EQ(main.calls, (Calls{"SetChannelName 5 83 117 98 0 0 0 0 0"}));
    EXPECT_FALSE(dialog->Visible());

    main.calls.clear();
    dialog->SetChannel(1);
    dialog->Show();
    EXPECT_EQ(dialog->lbChannel->Caption(), "InB :");
    dialog->edName->SetText("Kick");
    key = 'A';
    dialog->edNameKeyDown(dialog->edName, key, {});
    EXPECT_TRUE(dialog->Visible());
    dialog->bnCancel->Click();
    EXPECT_FALSE(dialog->Visible());
    EXPECT_TRUE(main.calls.empty());
}

TEST(ChannelNameList, SetSendsOnlyTheNamesThatChanged) {
    TFakeChannelWindow main;
    main.names[4] = Bytes("Bass");
    main.names[8] = Bytes("\xB5\xCD\xD2\xF4");
    auto dialog = Make<TfmChNameList>();
    dialog->Show();
    EXPECT_EQ(dialog->NameBox(4)->Text(), "Bass");
    EXPECT_EQ(dialog->NameBox(8)->Text(), "低音");
    dialog->btnOK->Click();
    EXPECT_TRUE(main.calls.empty()) << ::testing::PrintToString(main.calls);
    EXPECT_FALSE(dialog->Visible());

    dialog->Show();
    dialog->NameBox(1)->SetText("Kick");
    dialog->btnOK->Click();
    EXPECT_EQ(main.calls, (Calls{"SetChannelName 1 75 105 99 107 0 0 0 0"}));

    // Cancel stores nothing; the next showing brings the stored names back.
    main.calls.clear();
    dialog->Show();
    dialog->NameBox(4)->SetText("Mid");
    dialog->btnCancel->Click();
    EXPECT_TRUE(main.calls.empty());
    dialog->Show();
    EXPECT_EQ(dialog->NameBox(4)->Text(), "Bass");
}

}  // namespace
}  // namespace dsp::test

// The store and recall grids and the preset-name dialog: what a chosen row opens, what OK
// stores or recalls, and how names are cut and padded for the processor.

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "dialogs/FRecallPreset.h"
#include "dialogs/FStoreName.h"
#include "dialogs/FStorePreset.h"
#include "framework/controls/Edit.h"
#include "framework/controls/Label.h"
#include "framework/controls/ValueListEditor.h"
#include "framework/text/Gbk.h"
#include "tests/dialogs/FakeOperations.h"
#include "widgets/panels/RzBmpBtn.h"

namespace dsp {
namespace {

std::string NameText(const PresetNameBytes& name) { return std::string(name.begin(), name.end()); }

class PresetDialogs : public ::testing::Test {
protected:
    PresetDialogs() {
        fmStorePreset = new TfmStorePreset(nullptr);
        fmRecallPreset = new TfmRecallPreset(nullptr);
        fmStoreName = new TfmStoreName(nullptr);
    }
    ~PresetDialogs() override {
        delete fmStoreName;
        delete fmRecallPreset;
        delete fmStorePreset;
    }

    // Chooses a grid's data row r (1 is the first), as a click on it does.
    static void Choose(TPresetGridForm& grid, int r) {
        bool canSelect = true;
        grid.vledPresetName->OnSelectCell(grid.vledPresetName, 1, r, canSelect);
    }

    test::TFakeOperations main_;
};

TEST_F(PresetDialogs, GridsListTheirPresetsWithCodeAndName) {
    ASSERT_EQ(fmStorePreset->PresetRows(), 30);
    ASSERT_EQ(fmRecallPreset->PresetRows(), 31);
    TValueListEditor& store = *fmStorePreset->vledPresetName;
    TValueListEditor& recall = *fmRecallPreset->vledPresetName;
    EXPECT_EQ(store.Cells(0, 1), "     U01");
    EXPECT_EQ(store.Cells(0, 30), "     U30");
    EXPECT_EQ(recall.Cells(0, 1), "     F00");
    EXPECT_EQ(recall.Cells(0, 2), "     U01");
    EXPECT_EQ(recall.Cells(0, 31), "     U30");
    EXPECT_EQ(store.Cells(1, 5), "  Default Preset");
    EXPECT_EQ(store.ColWidths(0), 69);
    EXPECT_EQ(store.ColWidths(1), 126);

    fmStorePreset->SetPresetName(4, "Bass          ");
    EXPECT_EQ(store.Cells(0, 5), "     U05");
    EXPECT_EQ(store.Cells(1, 5), "  Bass          ");
    EXPECT_EQ(fmStorePreset->PresetName(4), "Bass          ");
    // Rows outside the grid are left alone.
    fmStorePreset->SetPresetName(30, "x");
    fmRecallPreset->SetPresetName(-1, "x");
    EXPECT_EQ(recall.Cells(1, 1), "  Default Preset");
}

TEST_F(PresetDialogs, TextsFollowTheMainWindowsLanguageWhenShown) {
    fmRecallPreset->Show();
    EXPECT_EQ(fmRecallPreset->Caption(), "<SID_RECALL_PRESET>");
    EXPECT_EQ(fmRecallPreset->lPresetSelect->Caption(), "<SID_RECALL_PRESET>");
    EXPECT_EQ(fmRecallPreset->bnCancel->Caption(), "<SID_CANCEL>");
    EXPECT_EQ(fmRecallPreset->vledPresetName->Cells(0, 0), "<SID_PST_NUM>");
    EXPECT_EQ(fmRecallPreset->vledPresetName->Cells(1, 0), "<SID_PST_NAME>");
    fmStorePreset->Show();
    EXPECT_EQ(fmStorePreset->Caption(), "<SID_SAVE_PRESET>");
    fmStoreName->Show();
    EXPECT_EQ(fmStoreName->Caption(), "<SID_PST_NAME>");
    EXPECT_EQ(fmStoreName->btnOK->Caption(), "<SID_EXIT_OK>");
    EXPECT_EQ(fmStoreName->bnCancel->Caption(), "<SID_EXIT_CANCEL>");
}

TEST_F(PresetDialogs, ChoosingARowOpensTheNameDialogForThatPreset) {
    struct Case {
        TPresetGridForm* grid;
        int row;
        int slot;
        int storeMode;
        const char* title;
    };
    const Case cases[] = {
        {fmStorePreset, 1, 0, 1, "U01 : "},    {fmStorePreset, 30, 29, 1, "U30 : "},
        {fmRecallPreset, 1, 0, 0, "F00 : "},   {fmRecallPreset, 2, 1, 0, "U01 : "},
        {fmRecallPreset, 31, 30, 0, "U30 : "},
    };
    for (const Case& c : cases) {
        Choose(*c.grid, c.row);
        EXPECT_TRUE(fmStoreName->Visible()) << c.title;
        EXPECT_EQ(fmStoreName->FSlot, c.slot) << c.title;
        EXPECT_EQ(fmStoreName->FStoreMode, c.storeMode) << c.title;
        EXPECT_EQ(fmStoreName->lTitle->Caption(), c.title);
        fmStoreName->Close();
    }
    // The title row opens nothing.
    Choose(*fmStorePreset, 0);
    EXPECT_FALSE(fmStoreName->Visible());
}

TEST_F(PresetDialogs, TheNameShowsWithoutTrailingBlanksAndOnlyStoreModeEditsIt) {
    fmStorePreset->SetPresetName(4, "50% mix  \r   ");
    Choose(*fmStorePreset, 5);
    EXPECT_EQ(fmStoreName->edName->Text(), "50% mix");
    fmStoreName->FormActivate(fmStoreName);
    EXPECT_TRUE(fmStoreName->edName->Enabled());
    EXPECT_EQ(fmStoreName->edName->SelText(), "50% mix");
    fmStoreName->Close();

    Choose(*fmRecallPreset, 6);
    fmStoreName->FormActivate(fmStoreName);
    EXPECT_FALSE(fmStoreName->edName->Enabled());
}

TEST_F(PresetDialogs, StoreSendsThePaddedNameAndRenamesBothGrids) {
    fmStorePreset->Show();
    bool gridShownDuringStore = true;
    main_.onOperation = [&] { gridShownDuringStore = fmStorePreset->Visible(); };
    Choose(*fmStorePreset, 5);
    fmStoreName->edName->SetText("Bass");
    fmStoreName->btnOKClick(fmStoreName->btnOK);

    ASSERT_EQ(main_.stores.size(), 1u);
    EXPECT_EQ(main_.stores[0].slot, 4);
    EXPECT_EQ(NameText(main_.stores[0].name), "Bass          ");
    // Online the grid is out of the way before the operation's progress window shows.
    EXPECT_FALSE(gridShownDuringStore);
    EXPECT_FALSE(fmStoreName->Visible());
    EXPECT_EQ(fmStoreName->edName->Text(), "Bass          ");
    EXPECT_EQ(fmStorePreset->PresetName(4), "Bass          ");
    EXPECT_EQ(fmRecallPreset->PresetName(5), "Bass          ");

    // Opening U05 again shows the four letters, ready to be typed over.
    Choose(*fmStorePreset, 5);
    fmStoreName->FormActivate(fmStoreName);
    EXPECT_EQ(fmStoreName->edName->Text(), "Bass");
    EXPECT_EQ(fmStoreName->edName->SelText(), "Bass");
}

TEST_F(PresetDialogs, OfflineStoreStillRenamesTheRows) {
    main_.online = false;
    fmStorePreset->Show();
    Choose(*fmStorePreset, 30);
    fmStoreName->edName->SetText("Last");
    TKeyCode enter = 13;
    fmStoreName->edNameKeyDown(fmStoreName->edName, enter, {});
    ASSERT_EQ(main_.stores.size(), 1u);
    EXPECT_EQ(main_.stores[0].slot, 29);
    EXPECT_EQ(fmStorePreset->PresetName(29), "Last          ");
    EXPECT_EQ(fmRecallPreset->PresetName(30), "Last          ");
}

TEST_F(PresetDialogs, NamesAreCutToFourteenCodePageBytesWithoutSplittingACharacter) {
    struct Case {
        const char* typed;
        std::string bytes;
    };
    const Case cases[] = {
        {"Bass", "Bass          "},
        {"A name much longer than fourteen", "A name much lo"},
        {"50% {x} \"q\"", "50% {x} \"q\"   "},
        // Two-byte characters: seven fill the field; one ASCII letter first leaves one byte,
        // too small for the eighth character, so a blank takes it.
        {"低音低音低音低音", Utf8ToGbk("低音低音低音低")},
        {"A低音低音低音低音", Utf8ToGbk("A低音低音低音") + " "},
    };
    for (const Case& c : cases) {
        main_.stores.clear();
        Choose(*fmStorePreset, 1);
        fmStoreName->edName->SetText(c.typed);
        fmStoreName->btnOKClick(fmStoreName->btnOK);
        ASSERT_EQ(main_.stores.size(), 1u) << c.typed;
        EXPECT_EQ(NameText(main_.stores[0].name), c.bytes) << c.typed;
    }
}

TEST_F(PresetDialogs, RecallCallsThePresetNumberOfTheRow) {
    for (const auto& [row, number] : {std::pair{1, 0}, {6, 5}, {31, 30}}) {
        fmRecallPreset->Show();
        Choose(*fmRecallPreset, row);
        fmStoreName->btnOKClick(fmStoreName->btnOK);
        EXPECT_FALSE(fmRecallPreset->Visible());
        EXPECT_EQ(main_.recalls.back(), number);
    }
    EXPECT_TRUE(main_.stores.empty());
}

TEST_F(PresetDialogs, CancelOfTheNameDialogKeepsTheGridCancelOfTheGridClosesBoth) {
    fmStorePreset->Show();
    Choose(*fmStorePreset, 3);
    fmStoreName->bnCancelClick(fmStoreName->bnCancel);
    EXPECT_FALSE(fmStoreName->Visible());
    EXPECT_TRUE(fmStorePreset->Visible());

    Choose(*fmStorePreset, 3);
    fmStorePreset->bnCancelClick(fmStorePreset->bnCancel);
    EXPECT_FALSE(fmStorePreset->Visible());
    // No name dialog is left over a grid that is gone.
    EXPECT_FALSE(fmStoreName->Visible());
    EXPECT_TRUE(main_.stores.empty());
}

}  // namespace
}  // namespace dsp

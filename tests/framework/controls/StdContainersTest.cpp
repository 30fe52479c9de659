// Page controls with their sheets, scroll boxes, tree views and value-list grids.

#include <gtest/gtest.h>

#include <QEvent>

#include "framework/controls/Edit.h"
#include "framework/controls/KeyMap.h"
#include "framework/controls/PageControl.h"
#include "framework/controls/ScrollBox.h"
#include "framework/controls/TreeView.h"
#include "framework/controls/ValueListEditor.h"
#include "tests/framework/controls/ControlTestSupport.h"

namespace dsp {
namespace {

using test::MakeForm;
using test::Place;
using test::TEventLog;

class StdPageControl : public ::testing::Test {
protected:
    void SetUp() override {
        ResetKeyboardState();
        pages = Place(new TPageControl(form.get()), form.get(), 10, 10, 280, 180);
        for (const char* caption : {"Axes", "Channels", "Legend"}) {
            auto* sheet = new TTabSheet(form.get());
            sheet->SetCaption(caption);
            sheet->SetPageControl(pages);
            sheets.push_back(sheet);
        }
        pages->OnChanging = [this](TObject*, bool& allow) {
            log.push_back("changing");
            allow = !refuse;
        };
        pages->OnChange = [this](TObject*) { log.push_back("change"); };
    }

    std::unique_ptr<TForm> form = MakeForm(300, 200);
    TPageControl* pages = nullptr;
    std::vector<TTabSheet*> sheets;
    TEventLog log;
    bool refuse = false;
};

TEST_F(StdPageControl, OnlyTheActivePageShowsAndProgramChoicesAreQuiet) {
    EXPECT_EQ(pages->ActivePage(), sheets[0]);
    EXPECT_EQ(pages->PageCount(), 3);
    pages->SetActivePageIndex(2);
    EXPECT_FALSE(sheets[0]->Visible());
    EXPECT_TRUE(sheets[2]->Visible());
    EXPECT_TRUE(log.empty());
    form->Show();
    EXPECT_EQ(sheets[2]->BoundsRect(), pages->DisplayRect());
    sheets[1]->SetTabVisible(false);
    EXPECT_EQ(sheets[2]->TabIndex(), 1);
    sheets[1]->SetTabVisible(true);
    sheets[2]->SetPageIndex(0);
    EXPECT_EQ(pages->Pages(0), sheets[2]);
    delete sheets[2];
    EXPECT_EQ(pages->PageCount(), 2);
    EXPECT_NE(pages->ActivePage(), nullptr) << "another page takes the place of a freed one";
}

TEST_F(StdPageControl, ATabClickAsksFirstAndThenChanges) {
    form->Show();
    const TRect second = pages->TabRect(1);
    test::Click(*pages, second.Left + 5, second.Top + 5);
    EXPECT_EQ(pages->ActivePage(), sheets[1]);
    EXPECT_EQ(log, (TEventLog{"changing", "change"}));
    refuse = true;
    const TRect third = pages->TabRect(2);
    test::Click(*pages, third.Left + 5, third.Top + 5);
    EXPECT_EQ(pages->ActivePage(), sheets[1]);
    refuse = false;
    // Ctrl+Tab from a control on a page turns to the next page.
    auto* edit = Place(new TEdit(form.get()), sheets[1], 5, 5, 80, 21);
    edit->SetFocus();
    log.clear();
    test::SendKey(*edit, Qt::Key_Tab, "", Qt::ControlModifier);
    EXPECT_EQ(pages->ActivePage(), sheets[2]);
    EXPECT_FALSE(edit->Focused()) << "the focus does not stay on a hidden page";
    EXPECT_EQ(log, (TEventLog{"changing", "change"}));
}

TEST(StdScrollBox, ChildrenBeyondTheBoxBringScrollBars) {
    auto form = MakeForm(300, 200);
    auto* box = Place(new TScrollBox(form.get()), form.get(), 10, 10, 150, 100);
    auto* far = Place(new TEdit(form.get()), box, 10, 300, 80, 21);
    form->Show();
    EXPECT_TRUE(box->VertScrollBar()->IsScrollBarVisible());
    EXPECT_FALSE(box->HorzScrollBar()->IsScrollBarVisible());
    box->VertScrollBar()->SetPosition(250);
    EXPECT_LT(far->Top(), 100);
    auto image = form->RenderToImage();
    EXPECT_EQ(image->PixelAt(10, 50), GetSysColor(COLOR_BTNSHADOW)) << "the sunken frame";
}

class StdTreeView : public ::testing::Test {
protected:
    void SetUp() override {
        ResetKeyboardState();
        tree = Place(new TTreeView(form.get()), form.get(), 10, 10, 200, 150);
        TTreeNodes& items = *tree->Items();
        plot = items.Add(nullptr, "Plot");
        axes = items.AddChild(plot, "Axes");
        items.AddChild(axes, "X");
        items.AddChild(axes, "Y");
        channels = items.AddChild(plot, "Channels");
        tree->OnChanging = [this](TObject*, TTreeNode* n, bool& allow) {
            log.push_back("changing " + n->Text());
            allow = n->Text() != "Y";
        };
        tree->OnChange = [this](TObject*, TTreeNode* n) { log.push_back("change " + n->Text()); };
        tree->OnExpanded = [this](TObject*, TTreeNode* n) {
            log.push_back("expanded " + n->Text());
        };
    }

    std::unique_ptr<TForm> form = MakeForm(300, 200);
    TTreeView* tree = nullptr;
    TTreeNode* plot = nullptr;
    TTreeNode* axes = nullptr;
    TTreeNode* channels = nullptr;
    TEventLog log;
};

TEST_F(StdTreeView, KeysAndClicksSelectAndExpand) {
    form->Show();
    tree->SetFocus();
    tree->SetSelected(plot);
    test::SendKey(*tree, Qt::Key_Right);  // expands
    test::SendKey(*tree, Qt::Key_Right);  // goes to the first child
    EXPECT_EQ(tree->Selected(), axes);
    test::SendKey(*tree, Qt::Key_Down);
    EXPECT_EQ(tree->Selected(), channels);
    EXPECT_EQ(log, (TEventLog{"changing Plot", "change Plot", "expanded Plot", "changing Axes",
                              "change Axes", "changing Channels", "change Channels"}));
    // A click on the expand button of Axes, then on Y, which OnChanging refuses.
    const TRect axesRow = tree->NodeRect(axes);
    const int buttonX = 2 + 2 * tree->Indent() - tree->Indent() / 2;
    test::Click(*tree, buttonX, axesRow.Top + axesRow.Height() / 2);
    EXPECT_TRUE(axes->Expanded());
    TTreeNode* y = axes->Item(1);
    const TRect yRow = tree->NodeRect(y);
    test::Click(*tree, 80, yRow.Top + 3);
    EXPECT_EQ(tree->Selected(), channels);
    EXPECT_EQ(tree->GetNodeAt(80, yRow.Top + 3), y);
}

TEST_F(StdTreeView, CollapsingMovesAHiddenSelectionUp) {
    tree->FullExpand();
    tree->SetSelected(axes->Item(0));
    plot->Collapse(false);
    EXPECT_EQ(tree->Selected(), plot);
    axes->Delete();
    EXPECT_EQ(plot->Count(), 1);
}

class StdValueList : public ::testing::Test {
protected:
    void SetUp() override {
        ResetKeyboardState();
        grid = Place(new TValueListEditor(form.get()), form.get(), 10, 10, 220, 150);
        grid->TitleCaptions()->SetCommaText("Number,Name");
        for (int i = 1; i <= 30; ++i) {
            const std::string code = (i < 10 ? "     U0" : "     U") + std::to_string(i);
            grid->Strings()->Add(code + "=  Default Preset");
        }
        grid->SetColWidths(0, 69);
        grid->SetColWidths(1, 126);
        grid->OnSelectCell = [this](TObject*, int col, int row, bool& can) {
            log.push_back(std::to_string(col) + "," + std::to_string(row));
            can = row != 5;
        };
    }

    std::unique_ptr<TForm> form = MakeForm(300, 200);
    TValueListEditor* grid = nullptr;
    TEventLog log;
};

TEST_F(StdValueList, TitlesKeysAndValues) {
    EXPECT_EQ(grid->RowCount(), 31);
    EXPECT_EQ(grid->Cells(0, 0), "Number");
    EXPECT_EQ(grid->Cells(1, 0), "Name");
    EXPECT_EQ(grid->Cells(0, 5), "     U05");
    EXPECT_EQ(grid->Cells(1, 5), "  Default Preset");
    grid->SetCells(1, 5, "  Bass          ");
    EXPECT_EQ(grid->Strings()->Strings(4), "     U05=  Bass          ");
    int row = 0;
    EXPECT_TRUE(grid->FindRow("     U30", row));
    EXPECT_EQ(row, 30);
    grid->SetDisplayOptions({doAutoColResize, doKeyColFixed});
    EXPECT_EQ(grid->Cells(0, 0), "     U01") << "without titles the data starts at row 0";
}

TEST_F(StdValueList, SelectingACellAsksOnSelectCellEvenForTheCurrentOne) {
    form->Show();
    const TRect third = grid->CellRect(1, 3);
    test::Click(*grid, third.Left + 5, third.Top + 5);
    EXPECT_EQ(grid->Row(), 3);
    test::Click(*grid, third.Left + 5, third.Top + 5);
    const TRect key = grid->CellRect(0, 2);
    test::Click(*grid, key.Left + 5, key.Top + 5);  // the fixed key column selects the value
    EXPECT_EQ(log, (TEventLog{"1,3", "1,3", "1,2"}));
    const TRect title = grid->CellRect(1, 0);
    test::Click(*grid, title.Left + 5, title.Top + 5);
    EXPECT_EQ(log.size(), 3u) << "the title row is not selectable";
    grid->SetRow(5);
    EXPECT_EQ(grid->Row(), 2) << "OnSelectCell refused row 5";
    grid->SetRow(2);
    EXPECT_EQ(log.size(), 4u) << "the current row asks nothing when set again";
    grid->SetFocus();
    test::SendKey(*grid, Qt::Key_End);
    EXPECT_EQ(grid->Row(), 30);
    EXPECT_GT(grid->TopRow(), 1) << "the grid scrolled to the last row";
}

}  // namespace
}  // namespace dsp

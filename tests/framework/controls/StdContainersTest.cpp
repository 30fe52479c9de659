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
        pages_ = Place(new TPageControl(form_.get()), form_.get(), 10, 10, 280, 180);
        for (const char* caption : {"Axes", "Channels", "Legend"}) {
            auto* sheet = new TTabSheet(form_.get());
            sheet->SetCaption(caption);
            sheet->SetPageControl(pages_);
            sheets_.push_back(sheet);
        }
        pages_->OnChanging = [this](TObject*, bool& allow) {
            log_.push_back("changing");
            allow = !refuse_;
        };
        pages_->OnChange = [this](TObject*) { log_.push_back("change"); };
    }

    std::unique_ptr<TForm> form_ = MakeForm(300, 200);
    TPageControl* pages_ = nullptr;
    std::vector<TTabSheet*> sheets_;
    TEventLog log_;
    bool refuse_ = false;
};

TEST_F(StdPageControl, OnlyTheActivePageShowsAndProgramChoicesAreQuiet) {
    EXPECT_EQ(pages_->ActivePage(), sheets_[0]);
    EXPECT_EQ(pages_->PageCount(), 3);
    pages_->SetActivePageIndex(2);
    EXPECT_FALSE(sheets_[0]->Visible());
    EXPECT_TRUE(sheets_[2]->Visible());
    EXPECT_TRUE(log_.empty());
    form_->Show();
    EXPECT_EQ(sheets_[2]->BoundsRect(), pages_->DisplayRect());
    sheets_[1]->SetTabVisible(false);
    EXPECT_EQ(sheets_[2]->TabIndex(), 1);
    sheets_[1]->SetTabVisible(true);
    sheets_[2]->SetPageIndex(0);
    EXPECT_EQ(pages_->Pages(0), sheets_[2]);
    delete sheets_[2];
    EXPECT_EQ(pages_->PageCount(), 2);
    EXPECT_NE(pages_->ActivePage(), nullptr) << "another page takes the place of a freed one";
}

TEST_F(StdPageControl, ATabClickAsksFirstAndThenChanges) {
    form_->Show();
    const TRect second = pages_->TabRect(1);
    test::Click(*pages_, second.Left + 5, second.Top + 5);
    EXPECT_EQ(pages_->ActivePage(), sheets_[1]);
    EXPECT_EQ(log_, (TEventLog{"changing", "change"}));
    refuse_ = true;
    const TRect third = pages_->TabRect(2);
    test::Click(*pages_, third.Left + 5, third.Top + 5);
    EXPECT_EQ(pages_->ActivePage(), sheets_[1]);
    refuse_ = false;
    // Ctrl+Tab from a control on a page turns to the next page.
    auto* edit = Place(new TEdit(form_.get()), sheets_[1], 5, 5, 80, 21);
    edit->SetFocus();
    log_.clear();
    test::SendKey(*edit, Qt::Key_Tab, "", Qt::ControlModifier);
    EXPECT_EQ(pages_->ActivePage(), sheets_[2]);
    EXPECT_FALSE(edit->Focused()) << "the focus does not stay on a hidden page";
    EXPECT_EQ(log_, (TEventLog{"changing", "change"}));
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
        tree_ = Place(new TTreeView(form_.get()), form_.get(), 10, 10, 200, 150);
        TTreeNodes& items = *tree_->Items();
        plot_ = items.Add(nullptr, "Plot");
        axes_ = items.AddChild(plot_, "Axes");
        items.AddChild(axes_, "X");
        items.AddChild(axes_, "Y");
        channels_ = items.AddChild(plot_, "Channels");
        tree_->OnChanging = [this](TObject*, TTreeNode* n, bool& allow) {
            log_.push_back("changing " + n->Text());
            allow = n->Text() != "Y";
        };
        tree_->OnChange = [this](TObject*, TTreeNode* n) { log_.push_back("change " + n->Text()); };
        tree_->OnExpanded = [this](TObject*, TTreeNode* n) {
            log_.push_back("expanded " + n->Text());
        };
    }

    std::unique_ptr<TForm> form_ = MakeForm(300, 200);
    TTreeView* tree_ = nullptr;
    TTreeNode* plot_ = nullptr;
    TTreeNode* axes_ = nullptr;
    TTreeNode* channels_ = nullptr;
    TEventLog log_;
};

TEST_F(StdTreeView, KeysAndClicksSelectAndExpand) {
    form_->Show();
    tree_->SetFocus();
    tree_->SetSelected(plot_);
    test::SendKey(*tree_, Qt::Key_Right);  // expands
    test::SendKey(*tree_, Qt::Key_Right);  // goes to the first child
    EXPECT_EQ(tree_->Selected(), axes_);
    test::SendKey(*tree_, Qt::Key_Down);
    EXPECT_EQ(tree_->Selected(), channels_);
    EXPECT_EQ(log_, (TEventLog{"changing Plot", "change Plot", "expanded Plot", "changing Axes",
                               "change Axes", "changing Channels", "change Channels"}));
    // A click on the expand button of Axes, then on Y, which OnChanging refuses.
    const TRect axesRow = tree_->NodeRect(axes_);
    const int buttonX = 2 + 2 * tree_->Indent() - tree_->Indent() / 2;
    test::Click(*tree_, buttonX, axesRow.Top + axesRow.Height() / 2);
    EXPECT_TRUE(axes_->Expanded());
    TTreeNode* y = axes_->Item(1);
    const TRect yRow = tree_->NodeRect(y);
    test::Click(*tree_, 80, yRow.Top + 3);
    EXPECT_EQ(tree_->Selected(), channels_);
    EXPECT_EQ(tree_->GetNodeAt(80, yRow.Top + 3), y);
}

TEST_F(StdTreeView, CollapsingMovesAHiddenSelectionUp) {
    tree_->FullExpand();
    tree_->SetSelected(axes_->Item(0));
    plot_->Collapse(false);
    EXPECT_EQ(tree_->Selected(), plot_);
    axes_->Delete();
    EXPECT_EQ(plot_->Count(), 1);
}

class StdValueList : public ::testing::Test {
protected:
    void SetUp() override {
        ResetKeyboardState();
        grid_ = Place(new TValueListEditor(form_.get()), form_.get(), 10, 10, 220, 150);
        grid_->TitleCaptions()->SetCommaText("Number,Name");
        for (int i = 1; i <= 30; ++i) {
            const std::string code = (i < 10 ? "     U0" : "     U") + std::to_string(i);
            grid_->Strings()->Add(code + "=  Default Preset");
        }
        grid_->SetColWidths(0, 69);
        grid_->SetColWidths(1, 126);
        grid_->OnSelectCell = [this](TObject*, int col, int row, bool& can) {
            log_.push_back(std::to_string(col) + "," + std::to_string(row));
            can = row != 5;
        };
    }

    std::unique_ptr<TForm> form_ = MakeForm(300, 200);
    TValueListEditor* grid_ = nullptr;
    TEventLog log_;
};

TEST_F(StdValueList, TitlesKeysAndValues) {
    EXPECT_EQ(grid_->RowCount(), 31);
    EXPECT_EQ(grid_->Cells(0, 0), "Number");
    EXPECT_EQ(grid_->Cells(1, 0), "Name");
    EXPECT_EQ(grid_->Cells(0, 5), "     U05");
    EXPECT_EQ(grid_->Cells(1, 5), "  Default Preset");
    grid_->SetCells(1, 5, "  Bass          ");
    EXPECT_EQ(grid_->Strings()->Strings(4), "     U05=  Bass          ");
    int row = 0;
    EXPECT_TRUE(grid_->FindRow("     U30", row));
    EXPECT_EQ(row, 30);
    grid_->SetDisplayOptions({doAutoColResize, doKeyColFixed});
    EXPECT_EQ(grid_->Cells(0, 0), "     U01") << "without titles the data starts at row 0";
}

TEST_F(StdValueList, SelectingACellAsksOnSelectCellEvenForTheCurrentOne) {
    form_->Show();
    const TRect third = grid_->CellRect(1, 3);
    test::Click(*grid_, third.Left + 5, third.Top + 5);
    EXPECT_EQ(grid_->Row(), 3);
    test::Click(*grid_, third.Left + 5, third.Top + 5);
    const TRect key = grid_->CellRect(0, 2);
    test::Click(*grid_, key.Left + 5, key.Top + 5);  // the fixed key column selects the value
    EXPECT_EQ(log_, (TEventLog{"1,3", "1,3", "1,2"}));
    const TRect title = grid_->CellRect(1, 0);
    test::Click(*grid_, title.Left + 5, title.Top + 5);
    EXPECT_EQ(log_.size(), 3u) << "the title row is not selectable";
    grid_->SetRow(5);
    EXPECT_EQ(grid_->Row(), 2) << "OnSelectCell refused row 5";
    grid_->SetRow(2);
    EXPECT_EQ(log_.size(), 4u) << "the current row asks nothing when set again";
    grid_->SetFocus();
    test::SendKey(*grid_, Qt::Key_End);
    EXPECT_EQ(grid_->Row(), 30);
    EXPECT_GT(grid_->TopRow(), 1) << "the grid scrolled to the last row";
}

}  // namespace
}  // namespace dsp

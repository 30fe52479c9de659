// The owner-drawn check box and radio group: toggling and selecting by mouse and keys, the
// change events and who caused them, sizing to the caption, and the layout hit tests use.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/controls/KeyMap.h"
#include "plot/decor/iCheckBox.h"
#include "plot/decor/iRadioGroup.h"
#include "tests/framework/controls/ControlTestSupport.h"
#include "tests/plot/decor/DecorTestSupport.h"

namespace dsp {
namespace {

using test::MakeForm;
using test::Place;
using test::ShowAndPaint;

class CheckBoxTest : public ::testing::Test {
protected:
    CheckBoxTest() {
        box_ = Place(new TiCheckBox(form_.get()), form_.get(), 10, 10, 97, 17);
        box_->OnChange = [this](TObject*) { log_.push_back("change"); };
        box_->OnChangeUser = [this](TObject*) { log_.push_back("user"); };
        box_->OnChangeProtected = [this](TObject*, const std::string& name) {
            log_.push_back("protected:" + name);
        };
        ShowAndPaint(*form_);
    }
    std::unique_ptr<TForm> form_ = MakeForm(200, 100);
    TiCheckBox* box_ = nullptr;
    std::vector<std::string> log_;
};

TEST_F(CheckBoxTest, ProgramChangesFireChangeAndTheUsersAlsoChangeUser) {
    box_->SetChecked(true);
    box_->SetChecked(true);
    EXPECT_EQ(log_, (std::vector<std::string>{"protected:Checked", "change"}));
    log_.clear();
    test::ClickAt(*box_, 5, 5);
    EXPECT_FALSE(box_->Checked());
    EXPECT_EQ(log_, (std::vector<std::string>{"protected:Checked", "change", "user"}));
    EXPECT_EQ(form_->ActiveControl(), box_) << "a press takes the focus";

    // Released outside: nothing.
    log_.clear();
    test::MouseDownAt(*box_, 5, 5);
    EXPECT_TRUE(box_->Pressed());
    test::MouseUpAt(*box_, 150, 5);
    EXPECT_FALSE(box_->Pressed());
    EXPECT_FALSE(box_->Checked());
    EXPECT_TRUE(log_.empty());

    // A refused edit changes nothing and tells nobody.
    box_->OnRequestEdit = [](TObject*, const std::string& name, bool& canEdit) {
        canEdit = name != "Checked";
    };
    test::ClickAt(*box_, 5, 5);
    EXPECT_FALSE(box_->Checked());
    EXPECT_TRUE(log_.empty());
}

TEST_F(CheckBoxTest, SpaceTogglesOnReleaseUnlessTheFocusWentAway) {
    box_->SetFocus();
    test::KeyDown(*box_, VK_SPACE);
    EXPECT_TRUE(box_->Pressed());
    EXPECT_FALSE(box_->Checked()) << "not on the press";
    test::KeyUp(*box_, VK_SPACE);
    EXPECT_TRUE(box_->Checked());
    EXPECT_EQ(log_.back(), "user");

    auto* other = Place(new TiCheckBox(form_.get()), form_.get(), 10, 40, 97, 17);
    test::KeyDown(*box_, VK_SPACE);
    other->SetFocus();
    EXPECT_FALSE(box_->Pressed()) << "losing the focus cancels the press";
    test::KeyUp(*box_, VK_SPACE);
    EXPECT_TRUE(box_->Checked());
}

TEST_F(CheckBoxTest, SizesToItsCaptionKeepingTheEdgeItsBoxSitsOn) {
    TBitmap scratch(1, 1);
    scratch.Canvas()->Font()->Assign(box_->Font());
    const std::string caption = "A much longer caption";
    const int w = scratch.Canvas()->TextWidth(caption) + 20;
    const int h = scratch.Canvas()->TextHeight(caption) + 4;

    box_->SetCaption(caption);
    EXPECT_EQ(box_->Left(), 10) << "box_ on the left: the left edge stays";
    EXPECT_EQ(box_->Width(), w);
    EXPECT_EQ(box_->Height(), h);

    auto* right = Place(new TiCheckBox(form_.get()), form_.get(), 100, 40, 97, 17);
    right->SetAlignment(taLeftJustify);
    const int rightEdge = right->Left() + right->Width();
    right->SetCaption(caption);
    EXPECT_EQ(right->Left() + right->Width(), rightEdge) << "box_ on the right: the right edge";
    EXPECT_EQ(right->Width(), w);

    auto* fixed = Place(new TiCheckBox(form_.get()), form_.get(), 10, 70, 50, 17);
    fixed->SetAutoSize(false);
    fixed->SetCaption(caption);
    EXPECT_EQ(fixed->Width(), 50);
}

TEST_F(CheckBoxTest, PaintsAWhiteBoxWithATickWhenChecked) {
    form_->SetColor(clBtnFace);
    box_->SetCaption("");
    box_->SetBounds(10, 10, 40, 17);
    ShowAndPaint(*form_);
    // Box (0, 1)-(13, 14) with h = 8; the tick's middle stroke passes (5, 10) and (5, 8).
    EXPECT_EQ(test::ShownPixel(*box_, 6, 4), ColorToRGB(clWhite));
    EXPECT_EQ(test::ShownPixel(*box_, 5, 9), ColorToRGB(clWhite));
    box_->SetChecked(true);
    ShowAndPaint(*form_);
    EXPECT_EQ(test::ShownPixel(*box_, 5, 9), ColorToRGB(clBlack));
    EXPECT_EQ(test::ShownPixel(*box_, 20, 8), ColorToRGB(clBtnFace)) << "the form_ shows through";
}

class RadioGroupTest : public ::testing::Test {
protected:
    RadioGroupTest() {
        group_ = Place(new TiRadioGroup(form_.get()), form_.get(), 10, 10, 200, 110);
        for (const char* item : {"One", "Two", "Three", "Four", "Five"}) {
            group_->Items()->Add(item);
        }
        group_->SetColumns(2);
        group_->OnChange = [this](TObject*) { log_.push_back("change"); };
        group_->OnChangeUser = [this](TObject*) { log_.push_back("user"); };
        ShowAndPaint(*form_);
    }
    // The centre of item i by the layout rule (the paint's glyph centre).
    TPoint Centre(int i) {
        TBitmap scratch(1, 1);
        scratch.Canvas()->Font()->Assign(group_->Font());
        const int ch = scratch.Canvas()->TextHeight("ABC");
        const int rows = group_->MaxRows();
        const double rowSpacing = (group_->Height() - ch - ch / 4) / rows;
        const double colSpacing = (group_->Width() - 14) / 2;
        const int x = static_cast<int>((i / rows) * colSpacing) + 14;
        const int y = static_cast<int>(ch + rowSpacing / 2 + (i % rows) * rowSpacing);
        return {x, y};
    }
    std::unique_ptr<TForm> form_ = MakeForm(300, 200);
    TiRadioGroup* group_ = nullptr;
    std::vector<std::string> log_;
};

TEST_F(RadioGroupTest, FillsColumnsFirstAndFindsTheItemUnderThePoint) {
    EXPECT_EQ(group_->MaxRows(), 3);
    for (int i = 0; i < 5; ++i) {
        const TPoint p = Centre(i);
        EXPECT_EQ(group_->GetItemAt(p.X, p.Y), i) << i;
    }
    EXPECT_EQ(group_->GetItemAt(Centre(3).X + 30, Centre(3).Y), 3) << "on the text of item 3";
}

TEST_F(RadioGroupTest, ReleaseOnThePressedItemSelectsItElsewhereNothing) {
    test::MouseDownAt(*group_, Centre(2).X, Centre(2).Y);
    EXPECT_EQ(group_->MouseDownIndex(), 2);
    test::MouseMoveTo(*group_, Centre(4).X, Centre(4).Y);
    EXPECT_EQ(group_->MouseDownIndex(), 4) << "the pressed look follows the pointer";
    test::MouseUpAt(*group_, Centre(4).X, Centre(4).Y);
    EXPECT_EQ(group_->ItemIndex(), 4) << "released on the item it now marks";

    log_.clear();
    test::MouseDownAt(*group_, Centre(1).X, Centre(1).Y);
    test::MouseUpAt(*group_, Centre(3).X, Centre(3).Y);
    EXPECT_EQ(group_->ItemIndex(), 4);
    EXPECT_TRUE(log_.empty());

    test::ClickAt(*group_, Centre(1).X, Centre(1).Y);
    EXPECT_EQ(group_->ItemIndex(), 1);
    EXPECT_EQ(log_, (std::vector<std::string>{"change", "user"}));
}

TEST_F(RadioGroupTest, ArrowsStepAndWrapWithoutCountingAsTheUsersSelection) {
    group_->SetFocus();
    log_.clear();
    test::KeyDown(*group_, VK_LEFT);
    EXPECT_EQ(group_->ItemIndex(), 4) << "from the first to the last";
    test::KeyDown(*group_, VK_RIGHT);
    EXPECT_EQ(group_->ItemIndex(), 0) << "from the last to the first";
    test::KeyDown(*group_, VK_DOWN);
    EXPECT_EQ(group_->ItemIndex(), 1);
    EXPECT_EQ(log_, (std::vector<std::string>{"change", "change", "change"}));
}

TEST_F(RadioGroupTest, IndexStaysWithinTheItemsAndShrinkingThemFiresNothing) {
    group_->SetItemIndex(4);
    log_.clear();
    group_->Items()->Delete(4);
    group_->Items()->Delete(3);
    EXPECT_EQ(group_->ItemIndex(), 2);
    EXPECT_TRUE(log_.empty());
    group_->SetItemIndex(10);
    EXPECT_EQ(group_->ItemIndex(), 2) << "clamped to the last, which it already is";
    group_->SetItemIndex(-5);
    EXPECT_EQ(group_->ItemIndex(), -1);
    group_->SetColumns(0);
    EXPECT_EQ(group_->Columns(), 2);
}

}  // namespace
}  // namespace dsp

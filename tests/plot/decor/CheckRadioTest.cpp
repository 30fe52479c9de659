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
        box = Place(new TiCheckBox(form.get()), form.get(), 10, 10, 97, 17);
        box->OnChange = [this](TObject*) { log.push_back("change"); };
        box->OnChangeUser = [this](TObject*) { log.push_back("user"); };
        box->OnChangeProtected = [this](TObject*, const std::string& name) {
            log.push_back("protected:" + name);
        };
        ShowAndPaint(*form);
    }
    std::unique_ptr<TForm> form = MakeForm(200, 100);
    TiCheckBox* box = nullptr;
    std::vector<std::string> log;
};

TEST_F(CheckBoxTest, ProgramChangesFireChangeAndTheUsersAlsoChangeUser) {
    box->SetChecked(true);
    box->SetChecked(true);
    EXPECT_EQ(log, (std::vector<std::string>{"protected:Checked", "change"}));
    log.clear();
    test::ClickAt(*box, 5, 5);
    EXPECT_FALSE(box->Checked());
    EXPECT_EQ(log, (std::vector<std::string>{"protected:Checked", "change", "user"}));
    EXPECT_EQ(form->ActiveControl(), box) << "a press takes the focus";

    // Released outside: nothing.
    log.clear();
    test::MouseDownAt(*box, 5, 5);
    EXPECT_TRUE(box->Pressed());
    test::MouseUpAt(*box, 150, 5);
    EXPECT_FALSE(box->Pressed());
    EXPECT_FALSE(box->Checked());
    EXPECT_TRUE(log.empty());

    // A refused edit changes nothing and tells nobody.
    box->OnRequestEdit = [](TObject*, const std::string& name, bool& canEdit) {
        canEdit = name != "Checked";
    };
    test::ClickAt(*box, 5, 5);
    EXPECT_FALSE(box->Checked());
    EXPECT_TRUE(log.empty());
}

TEST_F(CheckBoxTest, SpaceTogglesOnReleaseUnlessTheFocusWentAway) {
    box->SetFocus();
    test::KeyDown(*box, VK_SPACE);
    EXPECT_TRUE(box->Pressed());
    EXPECT_FALSE(box->Checked()) << "not on the press";
    test::KeyUp(*box, VK_SPACE);
    EXPECT_TRUE(box->Checked());
    EXPECT_EQ(log.back(), "user");

    auto* other = Place(new TiCheckBox(form.get()), form.get(), 10, 40, 97, 17);
    test::KeyDown(*box, VK_SPACE);
    other->SetFocus();
    EXPECT_FALSE(box->Pressed()) << "losing the focus cancels the press";
    test::KeyUp(*box, VK_SPACE);
    EXPECT_TRUE(box->Checked());
}

TEST_F(CheckBoxTest, SizesToItsCaptionKeepingTheEdgeItsBoxSitsOn) {
    TBitmap scratch(1, 1);
    scratch.Canvas()->Font()->Assign(box->Font());
    const std::string caption = "A much longer caption";
    const int w = scratch.Canvas()->TextWidth(caption) + 20;
    const int h = scratch.Canvas()->TextHeight(caption) + 4;

    box->SetCaption(caption);
    EXPECT_EQ(box->Left(), 10) << "box on the left: the left edge stays";
    EXPECT_EQ(box->Width(), w);
    EXPECT_EQ(box->Height(), h);

    auto* right = Place(new TiCheckBox(form.get()), form.get(), 100, 40, 97, 17);
    right->SetAlignment(taLeftJustify);
    const int rightEdge = right->Left() + right->Width();
    right->SetCaption(caption);
    EXPECT_EQ(right->Left() + right->Width(), rightEdge) << "box on the right: the right edge";
    EXPECT_EQ(right->Width(), w);

    auto* fixed = Place(new TiCheckBox(form.get()), form.get(), 10, 70, 50, 17);
    fixed->SetAutoSize(false);
    fixed->SetCaption(caption);
    EXPECT_EQ(fixed->Width(), 50);
}

TEST_F(CheckBoxTest, PaintsAWhiteBoxWithATickWhenChecked) {
    form->SetColor(clBtnFace);
    box->SetCaption("");
    box->SetBounds(10, 10, 40, 17);
    ShowAndPaint(*form);
    // Box (0, 1)-(13, 14) with h = 8; the tick's middle stroke passes (5, 10) and (5, 8).
    EXPECT_EQ(test::ShownPixel(*box, 6, 4), ColorToRGB(clWhite));
    EXPECT_EQ(test::ShownPixel(*box, 5, 9), ColorToRGB(clWhite));
    box->SetChecked(true);
    ShowAndPaint(*form);
    EXPECT_EQ(test::ShownPixel(*box, 5, 9), ColorToRGB(clBlack));
    EXPECT_EQ(test::ShownPixel(*box, 20, 8), ColorToRGB(clBtnFace)) << "the form shows through";
}

class RadioGroupTest : public ::testing::Test {
protected:
    RadioGroupTest() {
        group = Place(new TiRadioGroup(form.get()), form.get(), 10, 10, 200, 110);
        for (const char* item : {"One", "Two", "Three", "Four", "Five"}) {
            group->Items()->Add(item);
        }
        group->SetColumns(2);
        group->OnChange = [this](TObject*) { log.push_back("change"); };
        group->OnChangeUser = [this](TObject*) { log.push_back("user"); };
        ShowAndPaint(*form);
    }
    // The centre of item i by the layout rule (the paint's glyph centre).
    TPoint Centre(int i) {
        TBitmap scratch(1, 1);
        scratch.Canvas()->Font()->Assign(group->Font());
        const int ch = scratch.Canvas()->TextHeight("ABC");
        const int rows = group->MaxRows();
        const double rowSpacing = (group->Height() - ch - ch / 4) / rows;
        const double colSpacing = (group->Width() - 14) / 2;
        const int x = static_cast<int>((i / rows) * colSpacing) + 14;
        const int y = static_cast<int>(ch + rowSpacing / 2 + (i % rows) * rowSpacing);
        return {x, y};
    }
    std::unique_ptr<TForm> form = MakeForm(300, 200);
    TiRadioGroup* group = nullptr;
    std::vector<std::string> log;
};

TEST_F(RadioGroupTest, FillsColumnsFirstAndFindsTheItemUnderThePoint) {
    EXPECT_EQ(group->MaxRows(), 3);
    for (int i = 0; i < 5; ++i) {
        const TPoint p = Centre(i);
        EXPECT_EQ(group->GetItemAt(p.X, p.Y), i) << i;
    }
    EXPECT_EQ(group->GetItemAt(Centre(3).X + 30, Centre(3).Y), 3) << "on the text of item 3";
}

TEST_F(RadioGroupTest, ReleaseOnThePressedItemSelectsItElsewhereNothing) {
    test::MouseDownAt(*group, Centre(2).X, Centre(2).Y);
    EXPECT_EQ(group->MouseDownIndex(), 2);
    test::MouseMoveTo(*group, Centre(4).X, Centre(4).Y);
    EXPECT_EQ(group->MouseDownIndex(), 4) << "the pressed look follows the pointer";
    test::MouseUpAt(*group, Centre(4).X, Centre(4).Y);
    EXPECT_EQ(group->ItemIndex(), 4) << "released on the item it now marks";

    log.clear();
    test::MouseDownAt(*group, Centre(1).X, Centre(1).Y);
    test::MouseUpAt(*group, Centre(3).X, Centre(3).Y);
    EXPECT_EQ(group->ItemIndex(), 4);
    EXPECT_TRUE(log.empty());

    test::ClickAt(*group, Centre(1).X, Centre(1).Y);
    EXPECT_EQ(group->ItemIndex(), 1);
    EXPECT_EQ(log, (std::vector<std::string>{"change", "user"}));
}

TEST_F(RadioGroupTest, ArrowsStepAndWrapWithoutCountingAsTheUsersSelection) {
    group->SetFocus();
    log.clear();
    test::KeyDown(*group, VK_LEFT);
    EXPECT_EQ(group->ItemIndex(), 4) << "from the first to the last";
    test::KeyDown(*group, VK_RIGHT);
    EXPECT_EQ(group->ItemIndex(), 0) << "from the last to the first";
    test::KeyDown(*group, VK_DOWN);
    EXPECT_EQ(group->ItemIndex(), 1);
    EXPECT_EQ(log, (std::vector<std::string>{"change", "change", "change"}));
}

TEST_F(RadioGroupTest, IndexStaysWithinTheItemsAndShrinkingThemFiresNothing) {
    group->SetItemIndex(4);
    log.clear();
    group->Items()->Delete(4);
    group->Items()->Delete(3);
    EXPECT_EQ(group->ItemIndex(), 2);
    EXPECT_TRUE(log.empty());
    group->SetItemIndex(10);
    EXPECT_EQ(group->ItemIndex(), 2) << "clamped to the last, which it already is";
    group->SetItemIndex(-5);
    EXPECT_EQ(group->ItemIndex(), -1);
    group->SetColumns(0);
    EXPECT_EQ(group->Columns(), 2);
}

}  // namespace
}  // namespace dsp

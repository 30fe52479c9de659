// The scroll bar that the row controls draw themselves (list box, memo, tree view, value-list
// grid): its arrows step a row, its thumb follows the mouse only while the button is held, and
// the wheel scrolls three rows a notch.

#include <gtest/gtest.h>

#include <QEvent>

#include <functional>
#include <ostream>
#include <string>

#include "framework/controls/KeyMap.h"
#include "framework/controls/ListBox.h"
#include "framework/controls/Memo.h"
#include "framework/controls/ScrollingWinControl.h"
#include "framework/controls/TreeView.h"
#include "framework/controls/ValueListEditor.h"
#include "tests/framework/controls/ControlTestSupport.h"

namespace dsp {
namespace {

using test::MakeForm;
using test::Place;

constexpr int kRows = 30;

struct RowsCase {
    const char* name;
    // Makes the control, 150 x 100 with kRows rows, on the form.
    std::function<TWinControl*(TForm&)> make;
    // The first row shown.
    std::function<int(TWinControl*)> top;
};

void PrintTo(const RowsCase& c, std::ostream* os) { *os << c.name; }

template <typename T>
T* Placed(TForm& form) {
    return Place(new T(&form), &form, 10, 10, 150, 100);
}

const RowsCase kCases[] = {
    {"ListBox",
     [](TForm& form) -> TWinControl* {
         auto* list = Placed<TListBox>(form);
         for (int i = 0; i < kRows; ++i) list->Items()->Add("line " + std::to_string(i));
         return list;
     },
     [](TWinControl* c) { return static_cast<TListBox*>(c)->TopIndex(); }},
    {"Memo",
     [](TForm& form) -> TWinControl* {
         auto* memo = Placed<TMemo>(form);
         memo->SetScrollBars(ssVertical);
         for (int i = 0; i < kRows; ++i) memo->Lines()->Add("line " + std::to_string(i));
         return memo;
     },
     [](TWinControl* c) { return static_cast<TMemo*>(c)->TopRow(); }},
    {"TreeView",
     [](TForm& form) -> TWinControl* {
         auto* tree = Placed<TTreeView>(form);
         for (int i = 0; i < kRows; ++i) tree->Items()->Add(nullptr, "node " + std::to_string(i));
         return tree;
     },
     [](TWinControl* c) { return static_cast<TTreeView*>(c)->TopItem()->AbsoluteIndex(); }},
    {"ValueList",
     [](TForm& form) -> TWinControl* {
         auto* grid = Placed<TValueListEditor>(form);
         for (int i = 0; i < kRows; ++i) grid->Strings()->Add("k" + std::to_string(i) + "=v");
         return grid;
     },
     [](TWinControl* c) { return static_cast<TValueListEditor*>(c)->TopRow(); }},
};

class StdScrolledRows : public ::testing::TestWithParam<RowsCase> {
protected:
    void SetUp() override {
        ResetKeyboardState();
        control_ = GetParam().make(*form_);
        form_->Show();
        // The bar lies along the right edge, inside the two-pixel sunken frame.
        barX_ = control_->Width() - 2 - kScrollBarSize / 2;
    }

    int Top() const { return GetParam().top(control_); }
    void Press(int y) {
        test::SendMouse(*control_, QEvent::MouseButtonPress, barX_, y, Qt::LeftButton,
                        Qt::LeftButton);
    }
    void MoveHeld(int y) {
        test::SendMouse(*control_, QEvent::MouseMove, barX_, y, Qt::NoButton, Qt::LeftButton);
    }
    void Release(int y) {
        test::SendMouse(*control_, QEvent::MouseButtonRelease, barX_, y, Qt::LeftButton,
                        Qt::NoButton);
    }

    std::unique_ptr<TForm> form_ = MakeForm(300, 200);
    TWinControl* control_ = nullptr;
    int barX_ = 0;
};

TEST_P(StdScrolledRows, ArrowsStepARowAndTheWheelThree) {
    const int first = Top();
    const int downArrow = control_->Height() - 2 - 4;
    const int upArrow = 2 + 4;
    test::Click(*control_, barX_, downArrow);
    EXPECT_EQ(Top(), first + 1);
    test::Click(*control_, barX_, downArrow);
    EXPECT_EQ(Top(), first + 2);
    test::Click(*control_, barX_, upArrow);
    EXPECT_EQ(Top(), first + 1);
    test::SendWheel(*control_, 20, 20, -120);
    EXPECT_EQ(Top(), first + 4) << "the click on the bar gave the control the focus";
    test::SendWheel(*control_, 20, 20, 120);
    EXPECT_EQ(Top(), first + 1);
}

TEST_P(StdScrolledRows, TheThumbFollowsTheMouseOnlyWhileHeld) {
    const int first = Top();
    // The thumb lies at the track's start on the first row and at its end on the last; the
    // track runs between the arrows.
    const int trackStart = 2 + kScrollBarSize + 2;
    const int trackEnd = control_->Height() - 2 - kScrollBarSize - 2;
    Press(trackStart);
    EXPECT_EQ(Top(), first) << "taking the thumb does not scroll";
    MoveHeld(control_->Height() + 50);
    const int last = Top();
    EXPECT_GT(last, first + 5) << "dragged past the track's end: the last rows show";
    Release(control_->Height() + 50);
    test::Click(*control_, barX_, control_->Height() - 2 - 4);
    EXPECT_EQ(Top(), last) << "no row beyond the last";
    test::SendMouse(*control_, QEvent::MouseMove, barX_, trackStart, Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(Top(), last) << "the released thumb no longer follows the mouse";

    Press(trackEnd);
    MoveHeld(0);
    EXPECT_EQ(Top(), first);
    MoveHeld(control_->Height());
    EXPECT_EQ(Top(), last) << "still held: it follows the mouse back";
    Release(control_->Height());
}

INSTANTIATE_TEST_SUITE_P(Controls, StdScrolledRows, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<RowsCase>& row) {
                             return std::string(row.param.name);
                         });

}  // namespace
}  // namespace dsp

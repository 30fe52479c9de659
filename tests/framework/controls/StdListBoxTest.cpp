// The list box: selection by program and by the user, owner drawing, scrolling and dragging
// a line inside the list.

#include <gtest/gtest.h>

#include <QEvent>

#include "framework/controls/KeyMap.h"
#include "framework/controls/ListBox.h"
#include "tests/framework/controls/ControlTestSupport.h"

namespace dsp {
namespace {

using test::MakeForm;
using test::Place;
using test::TEventLog;

class StdListBox : public ::testing::Test {
protected:
    void SetUp() override {
        ResetKeyboardState();
        // Room for 6 lines of 16 pixels inside the border.
        list_ = Place(new TListBox(form_.get()), form_.get(), 10, 10, 150, 100);
        list_->SetStyle(lbOwnerDrawFixed);
        list_->SetItemHeight(16);
        for (int i = 0; i < 20; ++i) list_->Items()->Add("line " + std::to_string(i));
        list_->OnClick = [this](TObject*) {
            log_.push_back("click " + std::to_string(list_->ItemIndex()));
        };
    }

    std::unique_ptr<TForm> form_ = MakeForm(300, 200);
    TListBox* list_ = nullptr;
    TEventLog log_;
};

TEST_F(StdListBox, ProgramSelectionIsQuietTheUsersRaisesOnClick) {
    list_->SetItemIndex(12);
    EXPECT_TRUE(log_.empty());
    EXPECT_EQ(list_->TopIndex(), 7) << "the selected line is brought into view";
    form_->Show();
    test::Click(*list_, 20, 2 + 16 * 2 + 5);
    EXPECT_EQ(list_->ItemIndex(), 9);
    list_->SetFocus();
    test::SendKey(*list_, Qt::Key_Down);
    test::SendKey(*list_, Qt::Key_End);
    test::SendKey(*list_, Qt::Key_L, "l");
    EXPECT_EQ(log_, (TEventLog{"click 9", "click 10", "click 19", "click 0"}));
    list_->Items()->Delete(0);
    EXPECT_EQ(list_->ItemIndex(), -1);
    list_->SetItemIndex(5);
    list_->Items()->Insert(0, "new");
    EXPECT_EQ(list_->ItemIndex(), 6) << "the selection stays on its line";
}

TEST_F(StdListBox, OwnerDrawingSeesOnlyTheShownLines) {
    std::vector<int> drawn;
    list_->OnDrawItem = [&](TWinControl*, int index, TRect rect, TOwnerDrawState state) {
        drawn.push_back(index);
        EXPECT_EQ(rect.Height(), 16);
        EXPECT_EQ(state.Contains(odSelected), index == 3);
        list_->Canvas()->FillRect(rect);
    };
    list_->SetItemIndex(3);
    form_->Show();
    test::PaintPending(*form_);
    EXPECT_EQ(drawn, (std::vector<int>{0, 1, 2, 3, 4, 5}));
    EXPECT_EQ(list_->VisibleCount(), 6);
    drawn.clear();
    test::SendWheel(*list_, 20, 20, -120);
    test::PaintPending(*form_);
    EXPECT_EQ(list_->TopIndex(), 3);
    EXPECT_EQ(drawn.front(), 3);
    EXPECT_EQ(list_->ItemAtPos({20, 2}, true), 3);
    EXPECT_EQ(list_->ItemAtPos({200, 2}, true), -1);
    list_->SetTopIndex(100);
    EXPECT_EQ(list_->TopIndex(), 14) << "the last line stays at the bottom";
}

TEST_F(StdListBox, ALineDraggedInsideTheListIsDroppedThere) {
    list_->SetDragMode(dmAutomatic);
    std::vector<std::string> over;
    list_->OnDragOver = [&](TObject*, TObject* source, int, int y, TDragState, bool& accept) {
        accept = source == list_;
        over.push_back(std::to_string(y));
    };
    list_->OnDragDrop = [&](TObject*, TObject* source, int, int y) {
        EXPECT_EQ(source, list_);
        // Move the selected line to the line under the drop, as an editor list does.
        const int target = std::min(y / 16 + list_->TopIndex(), list_->Count() - 1);
        list_->Items()->Move(list_->ItemIndex(), target);
        list_->SetItemIndex(target);
    };
    form_->Show();
    test::SendMouse(*list_, QEvent::MouseButtonPress, 20, 5, Qt::LeftButton, Qt::LeftButton);
    test::SendMouse(*list_, QEvent::MouseMove, 20, 30, Qt::NoButton, Qt::LeftButton);
    EXPECT_TRUE(list_->Dragging());
    test::SendMouse(*list_, QEvent::MouseMove, 20, 50, Qt::NoButton, Qt::LeftButton);
    test::SendMouse(*list_, QEvent::MouseButtonRelease, 20, 50, Qt::LeftButton, Qt::NoButton);
    EXPECT_FALSE(list_->Dragging());
    EXPECT_FALSE(over.empty());
    EXPECT_EQ(list_->Items()->Strings(3), "line 0");
    EXPECT_EQ(list_->ItemIndex(), 3);
}

}  // namespace
}  // namespace dsp

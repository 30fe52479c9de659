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
        list = Place(new TListBox(form.get()), form.get(), 10, 10, 150, 100);
        list->SetStyle(lbOwnerDrawFixed);
        list->SetItemHeight(16);
        for (int i = 0; i < 20; ++i) list->Items()->Add("line " + std::to_string(i));
        list->OnClick = [this](TObject*) {
            log.push_back("click " + std::to_string(list->ItemIndex()));
        };
    }

    std::unique_ptr<TForm> form = MakeForm(300, 200);
    TListBox* list = nullptr;
    TEventLog log;
};

TEST_F(StdListBox, ProgramSelectionIsQuietTheUsersRaisesOnClick) {
    list->SetItemIndex(12);
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(list->TopIndex(), 7) << "the selected line is brought into view";
    form->Show();
    test::Click(*list, 20, 2 + 16 * 2 + 5);
    EXPECT_EQ(list->ItemIndex(), 9);
    list->SetFocus();
    test::SendKey(*list, Qt::Key_Down);
    test::SendKey(*list, Qt::Key_End);
    test::SendKey(*list, Qt::Key_L, "l");
    EXPECT_EQ(log, (TEventLog{"click 9", "click 10", "click 19", "click 0"}));
    list->Items()->Delete(0);
    EXPECT_EQ(list->ItemIndex(), -1);
    list->SetItemIndex(5);
    list->Items()->Insert(0, "new");
    EXPECT_EQ(list->ItemIndex(), 6) << "the selection stays on its line";
}

TEST_F(StdListBox, OwnerDrawingSeesOnlyTheShownLines) {
    std::vector<int> drawn;
    list->OnDrawItem = [&](TWinControl*, int index, TRect rect, TOwnerDrawState state) {
        drawn.push_back(index);
        EXPECT_EQ(rect.Height(), 16);
        EXPECT_EQ(state.Contains(odSelected), index == 3);
        list->Canvas()->FillRect(rect);
    };
    list->SetItemIndex(3);
    form->Show();
    test::PaintPending(*form);
    EXPECT_EQ(drawn, (std::vector<int>{0, 1, 2, 3, 4, 5}));
    EXPECT_EQ(list->VisibleCount(), 6);
    drawn.clear();
    test::SendWheel(*list, 20, 20, -120);
    test::PaintPending(*form);
    EXPECT_EQ(list->TopIndex(), 3);
    EXPECT_EQ(drawn.front(), 3);
    EXPECT_EQ(list->ItemAtPos({20, 2}, true), 3);
    EXPECT_EQ(list->ItemAtPos({200, 2}, true), -1);
    list->SetTopIndex(100);
    EXPECT_EQ(list->TopIndex(), 14) << "the last line stays at the bottom";
}

TEST_F(StdListBox, ALineDraggedInsideTheListIsDroppedThere) {
    list->SetDragMode(dmAutomatic);
    std::vector<std::string> over;
    list->OnDragOver = [&](TObject*, TObject* source, int, int y, TDragState, bool& accept) {
        accept = source == list;
        over.push_back(std::to_string(y));
    };
    list->OnDragDrop = [&](TObject*, TObject* source, int, int y) {
        EXPECT_EQ(source, list);
        // Move the selected line to the line under the drop, as an editor list does.
        const int target = std::min(y / 16 + list->TopIndex(), list->Count() - 1);
        list->Items()->Move(list->ItemIndex(), target);
        list->SetItemIndex(target);
    };
    form->Show();
    test::SendMouse(*list, QEvent::MouseButtonPress, 20, 5, Qt::LeftButton, Qt::LeftButton);
    test::SendMouse(*list, QEvent::MouseMove, 20, 30, Qt::NoButton, Qt::LeftButton);
    EXPECT_TRUE(list->Dragging());
    test::SendMouse(*list, QEvent::MouseMove, 20, 50, Qt::NoButton, Qt::LeftButton);
    test::SendMouse(*list, QEvent::MouseButtonRelease, 20, 50, Qt::LeftButton, Qt::NoButton);
    EXPECT_FALSE(list->Dragging());
    EXPECT_FALSE(over.empty());
    EXPECT_EQ(list->Items()->Strings(3), "line 0");
    EXPECT_EQ(list->ItemIndex(), 3);
}

}  // namespace
}  // namespace dsp

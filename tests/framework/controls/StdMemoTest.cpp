// The memo's lines, its typing rules and its wrapped rows.

#include <gtest/gtest.h>

#include <QEvent>

#include "framework/controls/KeyMap.h"
#include "framework/controls/Memo.h"
#include "tests/framework/controls/ControlTestSupport.h"

namespace dsp {
namespace {

using test::MakeForm;
using test::Place;

class StdMemo : public ::testing::Test {
protected:
    void SetUp() override {
        ResetKeyboardState();
        memo = Place(new TMemo(form.get()), form.get(), 10, 10, 200, 100);
        memo->OnChange = [this](TObject*) { ++changes; };
    }
    std::unique_ptr<TForm> form = MakeForm(300, 200);
    TMemo* memo = nullptr;
    int changes = 0;
};

TEST_F(StdMemo, LinesAndTextWithLineBreaks) {
    TStrings& lines = *memo->Lines();
    lines.Add("//---- Menu ----");
    lines.Add("SID_FILE");
    lines.Add("File");
    EXPECT_EQ(memo->Text(), "//---- Menu ----\r\nSID_FILE\r\nFile");
    EXPECT_EQ(changes, 3);
    memo->SetText("a\r\nb\r\n");
    EXPECT_EQ(lines.Count(), 2) << "a final line break makes no empty line";
    lines.Add("c");
    EXPECT_EQ(memo->Text(), "a\r\nb\r\nc");
    lines.Insert(1, "x");
    lines.SetStrings(0, "A");
    lines.Delete(3);
    EXPECT_EQ(lines.CommaText(), "A,x,b");
    EXPECT_EQ(lines.IndexOf("X"), 1);
    lines.Clear();
    EXPECT_EQ(lines.Count(), 0);
    EXPECT_EQ(memo->Text(), "");
    EXPECT_THROW(lines.Delete(0), EListError);
}

TEST_F(StdMemo, TypingKeepsTheEditRules) {
    memo->SetMaxLength(5);
    memo->SetText("abcdefgh");
    EXPECT_EQ(memo->SelStart(), 0);
    form->Show();
    memo->SetFocus();
    memo->SetText("ab");
    memo->SetSelStart(2);
    changes = 0;
    test::SendKey(*memo, Qt::Key_Return, "\r");
    test::Type(*memo, "cdef");
    EXPECT_EQ(memo->Text(), "ab\r\ncd");
    EXPECT_EQ(memo->CaretPos(), (TPoint{2, 1}));
    EXPECT_EQ(changes, 3);
    memo->SetWantReturns(false);
    memo->SetMaxLength(0);
    test::SendKey(*memo, Qt::Key_Return, "\r");
    EXPECT_EQ(memo->Lines()->Count(), 2) << "Enter types nothing without WantReturns";
}

TEST_F(StdMemo, LongLinesWrapIntoRowsAndTheCaretMovesByRows) {
    memo->SetBounds(10, 10, 80, 100);
    memo->SetText("one two three four five six seven eight\r\nnine");
    form->Show();
    memo->SetFocus();
    EXPECT_GT(memo->RowCount(), 3);
    const int rows = memo->RowCount();
    memo->SetWordWrap(false);
    EXPECT_EQ(memo->RowCount(), 2);
    memo->SetWordWrap(true);
    EXPECT_EQ(memo->RowCount(), rows);
    memo->SetSelStart(0);
    test::SendKey(*memo, Qt::Key_Down);
    EXPECT_EQ(memo->CaretPos().Y, 0) << "the second row is still the first line";
    EXPECT_GT(memo->CaretPos().X, 0);
    test::SendKey(*memo, Qt::Key_End, "", Qt::ControlModifier);
    EXPECT_EQ(memo->CaretPos(), (TPoint{4, 1}));
}

}  // namespace
}  // namespace dsp

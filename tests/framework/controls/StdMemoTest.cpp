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
        memo_ = Place(new TMemo(form_.get()), form_.get(), 10, 10, 200, 100);
        memo_->OnChange = [this](TObject*) { ++changes_; };
    }
    std::unique_ptr<TForm> form_ = MakeForm(300, 200);
    TMemo* memo_ = nullptr;
    int changes_ = 0;
};

TEST_F(StdMemo, LinesAndTextWithLineBreaks) {
    TStrings& lines = *memo_->Lines();
    lines.Add("//---- Menu ----");
    lines.Add("SID_FILE");
    lines.Add("File");
    EXPECT_EQ(memo_->Text(), "//---- Menu ----\r\nSID_FILE\r\nFile");
    EXPECT_EQ(changes_, 3);
    memo_->SetText("a\r\nb\r\n");
    EXPECT_EQ(lines.Count(), 2) << "a final line break makes no empty line";
    lines.Add("c");
    EXPECT_EQ(memo_->Text(), "a\r\nb\r\nc");
    lines.Insert(1, "x");
    lines.SetStrings(0, "A");
    lines.Delete(3);
    EXPECT_EQ(lines.CommaText(), "A,x,b");
    EXPECT_EQ(lines.IndexOf("X"), 1);
    lines.Clear();
    EXPECT_EQ(lines.Count(), 0);
    EXPECT_EQ(memo_->Text(), "");
    EXPECT_THROW(lines.Delete(0), EListError);
}

TEST_F(StdMemo, TypingKeepsTheEditRules) {
    memo_->SetMaxLength(5);
    memo_->SetText("abcdefgh");
    EXPECT_EQ(memo_->SelStart(), 0);
    form_->Show();
    memo_->SetFocus();
    memo_->SetText("ab");
    memo_->SetSelStart(2);
    changes_ = 0;
    test::SendKey(*memo_, Qt::Key_Return, "\r");
    test::Type(*memo_, "cdef");
    EXPECT_EQ(memo_->Text(), "ab\r\ncd");
    EXPECT_EQ(memo_->CaretPos(), (TPoint{2, 1}));
    EXPECT_EQ(changes_, 3);
    memo_->SetWantReturns(false);
    memo_->SetMaxLength(0);
    test::SendKey(*memo_, Qt::Key_Return, "\r");
    EXPECT_EQ(memo_->Lines()->Count(), 2) << "Enter types nothing without WantReturns";
}

TEST_F(StdMemo, LongLinesWrapIntoRowsAndTheCaretMovesByRows) {
    memo_->SetBounds(10, 10, 80, 100);
    memo_->SetText("one two three four five six seven eight\r\nnine");
    form_->Show();
    memo_->SetFocus();
    EXPECT_GT(memo_->RowCount(), 3);
    const int rows = memo_->RowCount();
    memo_->SetWordWrap(false);
    EXPECT_EQ(memo_->RowCount(), 2);
    memo_->SetWordWrap(true);
    EXPECT_EQ(memo_->RowCount(), rows);
    memo_->SetSelStart(0);
    test::SendKey(*memo_, Qt::Key_Down);
    EXPECT_EQ(memo_->CaretPos().Y, 0) << "the second row is still the first line";
    EXPECT_GT(memo_->CaretPos().X, 0);
    test::SendKey(*memo_, Qt::Key_End, "", Qt::ControlModifier);
    EXPECT_EQ(memo_->CaretPos(), (TPoint{4, 1}));
}

}  // namespace
}  // namespace dsp

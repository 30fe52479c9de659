// The mouse in the text field that edit boxes and editable combo boxes share: a press places
// the caret, dragging with the button held selects, Shift and a press extends, a double click
// selects a word.

#include <gtest/gtest.h>

#include <QEvent>

#include <functional>
#include <ostream>
#include <string>

#include "framework/controls/ComboBox.h"
#include "framework/controls/Edit.h"
#include "framework/controls/KeyMap.h"
#include "tests/framework/controls/ControlTestSupport.h"

namespace dsp {
namespace {

using test::MakeForm;
using test::Place;

struct FieldCase {
    const char* name;
    // Makes the control, 150 x 22, on the form.
    std::function<TWinControl*(TForm&)> make;
    std::function<int(TWinControl*)> selStart;
    std::function<int(TWinControl*)> selLength;
};

void PrintTo(const FieldCase& c, std::ostream* os) { *os << c.name; }

const FieldCase kCases[] = {
    {"Edit",
     [](TForm& form) -> TWinControl* { return Place(new TEdit(&form), &form, 10, 10, 150, 22); },
     [](TWinControl* c) { return static_cast<TEdit*>(c)->SelStart(); },
     [](TWinControl* c) { return static_cast<TEdit*>(c)->SelLength(); }},
    {"DropDownCombo",
     [](TForm& form) -> TWinControl* {
         return Place(new TComboBox(&form), &form, 10, 10, 150, 22);
     },
     [](TWinControl* c) { return static_cast<TComboBox*>(c)->SelStart(); },
     [](TWinControl* c) { return static_cast<TComboBox*>(c)->SelLength(); }},
};

class StdEditFieldMouse : public ::testing::TestWithParam<FieldCase> {
protected:
    void SetUp() override {
        ResetKeyboardState();
        field_ = GetParam().make(*form_);
        field_->SetText(kText);
        form_->Show();
    }

    void Send(int type, int x, int button, int buttons, int modifiers = 0) {
        test::SendMouse(*field_, type, x, 10, button, buttons, modifiers);
    }
    int SelStart() const { return GetParam().selStart(field_); }
    int SelLength() const { return GetParam().selLength(field_); }

    static constexpr const char* kText = "alpha beta";
    static constexpr int kLength = 10;
    static constexpr int kFirstChar = 5;  // over the "a" that begins the text
    static constexpr int kBeyond = 120;   // right of the text, left of a combo's button

    std::unique_ptr<TForm> form_ = MakeForm(300, 100);
    TWinControl* field_ = nullptr;
};

TEST_P(StdEditFieldMouse, DraggingWithTheButtonHeldSelects) {
    Send(QEvent::MouseButtonPress, kFirstChar, Qt::LeftButton, Qt::LeftButton);
    EXPECT_TRUE(field_->Focused());
    EXPECT_EQ(SelLength(), 0);
    Send(QEvent::MouseMove, kBeyond, Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(SelStart(), 0);
    EXPECT_EQ(SelLength(), kLength);
    Send(QEvent::MouseButtonRelease, kBeyond, Qt::LeftButton, Qt::NoButton);
    Send(QEvent::MouseMove, kFirstChar, Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(SelLength(), kLength) << "after the release the mouse selects no more";
}

TEST_P(StdEditFieldMouse, ShiftAndAPressExtendsTheSelection) {
    test::Click(*field_, kFirstChar, 10);
    EXPECT_EQ(SelLength(), 0);
    Send(QEvent::MouseButtonPress, kBeyond, Qt::LeftButton, Qt::LeftButton, Qt::ShiftModifier);
    Send(QEvent::MouseButtonRelease, kBeyond, Qt::LeftButton, Qt::NoButton, Qt::ShiftModifier);
    EXPECT_EQ(SelStart(), 0);
    EXPECT_EQ(SelLength(), kLength);
}

TEST_P(StdEditFieldMouse, ADoubleClickSelectsTheWord) {
    test::Click(*field_, kFirstChar, 10);
    Send(QEvent::MouseButtonDblClick, kFirstChar, Qt::LeftButton, Qt::LeftButton);
    Send(QEvent::MouseButtonRelease, kFirstChar, Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(SelStart(), 0);
    EXPECT_EQ(SelLength(), 5) << "\"alpha\"";
}

INSTANTIATE_TEST_SUITE_P(Fields, StdEditFieldMouse, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<FieldCase>& row) {
                             return std::string(row.param.name);
                         });

}  // namespace
}  // namespace dsp

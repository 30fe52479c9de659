// The editor widgets: committing and restoring edit boxes, spin buttons with their clamps and
// repeat, values set without events, the owning form told of the user's changes, list boxes
// that reorder and delete, the colour picker, the picker buttons and the value converter.

#include <gtest/gtest.h>

#include <QtCore/Qt>
#include <chrono>
#include <cstdint>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "framework/controls/KeyMap.h"
#include "framework/core/Exceptions.h"
#include "framework/desktop/ScriptedDialogs.h"
#include "framework/runtime/MainThread.h"
#include "framework/runtime/ManualClock.h"
#include "framework/runtime/Timer.h"
#include "framework/text/Numbers.h"
#include "plot/decor/iEditorBasicComponents.h"
#include "plot/decor/iValueConverterEdit.h"
#include "tests/framework/controls/ControlTestSupport.h"
#include "tests/plot/decor/DecorTestSupport.h"
#include "tests/support/RunLoop.h"
#include "tests/support/TempFolder.h"

namespace dsp {
namespace {

using std::chrono::milliseconds;
using test::Place;

// An editor form that counts what its widgets tell it.
class TCountingForm : public TiCustomEditorForm {
public:
    using TiCustomEditorForm::TiCustomEditorForm;
    void UserChange() override { ++changes; }
    int changes = 0;
};

class EditorWidgetsTest : public ::testing::Test {
protected:
    EditorWidgetsTest() {
        form_->SetBounds(0, 0, 400, 300);
        form_->AfterConstruction();
    }
    template <typename T>
    T* Make(int left, int top, int width, int height) {
        return Place(new T(form_.get()), form_.get(), left, top, width, height);
    }
    void Show() { test::ShowAndPaint(*form_); }

    std::unique_ptr<TCountingForm> form_ = std::make_unique<TCountingForm>(nullptr);
    TScriptedDialogs dialogs_;
};

// ---- edit box

TEST_F(EditorWidgetsTest, EditReadsNumbersAndTakesUnreadableTextAsZero) {
    auto* edit = Make<TiComponentEditorEdit>(10, 10, 80, 21);
    struct Case {
        const char* text;
        int asInteger;
        double asFloat;
    };
    const Case cases[] = {{" 7 ", 7, 7}, {"7a", 0, 0},    {"", 0, 0},
                          {"abc", 0, 0}, {"2.5", 0, 2.5}, {"-3", -3, -3}};
    for (const Case& c : cases) {
        edit->SetText(c.text);
        EXPECT_EQ(std::make_pair(edit->AsInteger(), edit->AsFloat()),
                  std::make_pair(c.asInteger, c.asFloat))
            << c.text;
    }
    edit->SetAsFloat(0.1);
    EXPECT_EQ(edit->Text(), "0.1");
    edit->SetText("tomorrow");
    EXPECT_THROW(edit->AsDateTime(), EConvertError);
    edit->SetAsDateTime(EncodeDate(2024, 3, 5) + 0.5);
    EXPECT_DOUBLE_EQ(edit->AsDateTime(), EncodeDate(2024, 3, 5) + 0.5);
}

TEST_F(EditorWidgetsTest, EditCommitsOnEnterAndFocusLossAndRestoresOnEscape) {
    auto* edit = Make<TiComponentEditorEdit>(10, 10, 80, 21);
    auto* other = Make<TiComponentEditorEdit>(10, 40, 80, 21);
    edit->SetTabStop(true);
    other->SetTabStop(true);
    int updates = 0;
    int changes = 0;
    edit->OnUpdate = [&](TObject*) { ++updates; };
    edit->OnChange = [&](TObject*) { ++changes; };
    Show();
    edit->SetFocus();

    // A value set by program is already committed: neither it nor a later Enter fires.
    test::Type(*form_, "5");
    edit->SetAsInteger(5);
    test::SendKey(*form_, Qt::Key_Return);
    EXPECT_EQ(updates, 0);
    EXPECT_EQ(form_->changes, 0);

    edit->SelectAll();
    test::Type(*form_, "12");
    test::SendKey(*form_, Qt::Key_Escape, "\x1b");
    EXPECT_EQ(edit->Text(), "5") << "Escape puts the committed text back";
    EXPECT_EQ(updates, 0);

    edit->SelectAll();
    test::Type(*form_, "12");
    test::SendKey(*form_, Qt::Key_Tab);
    EXPECT_EQ(form_->ActiveControl(), other) << "Tab moves on";
    EXPECT_EQ(updates, 1) << "leaving the box commits once";
    EXPECT_EQ(form_->changes, 1);
    EXPECT_EQ(edit->OriginalText(), "12");

    // Silent setters do not raise OnChange; the WithEvent ones act as typed.
    changes = 0;
    edit->SetAsString("x");
    EXPECT_EQ(changes, 0);
    edit->SetDoubleWithEvent(2.5);
    EXPECT_EQ(updates, 2);
    EXPECT_EQ(form_->changes, 3) << "told as typed, then by the commit";
}

TEST_F(EditorWidgetsTest, DisabledEditIsEmptyAndGrey) {
    auto* edit = Make<TiComponentEditorEdit>(10, 10, 80, 21);
    edit->SetAsString("keep");
    int changes = 0;
    edit->OnChange = [&](TObject*) { ++changes; };
    edit->DisableNoClear();
    EXPECT_EQ(edit->Text(), "keep");
    edit->Disable();
    EXPECT_EQ(edit->Text(), "");
    EXPECT_EQ(edit->OriginalText(), "");
    EXPECT_FALSE(edit->Enabled());
    EXPECT_EQ(edit->Color(), clBtnFace);
    EXPECT_EQ(changes, 0);
    edit->Enable();
    EXPECT_EQ(edit->Color(), clWindow);
}

// ---- spin buttons

TEST_F(EditorWidgetsTest, SpinButtonsClampOnlyWithALimitSet) {
    auto* edit = Make<TiComponentEditorEdit>(10, 10, 40, 21);
    auto* spin = Make<TiUpDown>(0, 0, 15, 21);
    spin->SetAssociate(edit);
    EXPECT_EQ(spin->Left(), 50) << "at the edit's right edge";
    EXPECT_EQ(spin->Height(), edit->Height());
    struct Case {
        int min, max, start, step, expected;
    };
    const Case cases[] = {
        {0, 0, 200, 1, 201},   // no limits
        {0, 0, -3, -1, -4},    //
        {0, 23, 23, 1, 23},    // stays at Max
        {-5, 0, 0, 1, 0},      // Min set: the clamp applies, Max 0 included
        {-5, 0, -5, -1, -5},   //
        {0, 100, 500, 1, 100}  // a typed value beyond the range is clamped by a step
    };
    for (const Case& c : cases) {
        spin->SetMin(c.min);
        spin->SetMax(c.max);
        edit->SetAsInteger(c.start);
        spin->SetAsInteger(spin->AsInteger() + c.step);
        EXPECT_EQ(edit->AsInteger(), c.expected) << c.min << ".." << c.max << " from " << c.start;
    }
    edit->SetAsInteger(250);
    EXPECT_EQ(edit->AsInteger(), 250) << "typed values are not clamped";

    TiUpDown lonely(nullptr);
    lonely.SetAsInteger(5);
    EXPECT_EQ(lonely.AsInteger(), 0);
    delete edit;
    EXPECT_EQ(spin->Associate(), nullptr) << "a removed edit is forgotten";
}

TEST_F(EditorWidgetsTest, HeldSpinButtonRepeatsAndFollowsThePointer) {
    TManualClock clock;
    auto* edit = Make<TiComponentEditorEdit>(10, 10, 40, 21);
    auto* spin = Make<TiUpDown>(0, 0, 15, 21);
    spin->SetAssociate(edit);
    spin->SetMax(0);
    edit->SetAsInteger(0);
    int updates = 0;
    edit->OnUpdate = [&](TObject*) { ++updates; };
    Show();

    spin->CalcButtonRects();
    EXPECT_EQ(spin->UpButtonRect(), (TRect{0, 0, 15, 10}));
    EXPECT_EQ(spin->DownButtonRect(), (TRect{0, 11, 15, 21}));

    test::MouseDownAt(*spin, 7, 3);
    EXPECT_EQ(edit->AsInteger(), 1) << "one step at once";
    EXPECT_EQ(updates, 1) << "steps commit as typed";
    clock.Advance(milliseconds(499));
    EXPECT_EQ(edit->AsInteger(), 1);
    clock.Advance(milliseconds(1));
    EXPECT_EQ(edit->AsInteger(), 2) << "the next after 500 ms";
    clock.Advance(milliseconds(100));
    EXPECT_EQ(edit->AsInteger(), 4) << "then every 50 ms";
    test::MouseMoveTo(*spin, 7, 15);
    clock.Advance(milliseconds(50));
    EXPECT_EQ(edit->AsInteger(), 3) << "off the up button it steps down";
    test::MouseUpAt(*spin, 7, 15);
    clock.Advance(milliseconds(500));
    EXPECT_EQ(edit->AsInteger(), 3);

    // Row 10 of 21 belongs to neither button: a press there steps down.
    test::MouseDownAt(*spin, 7, 10);
    test::MouseUpAt(*spin, 7, 10);
    EXPECT_EQ(edit->AsInteger(), 2);
}

// ---- values set without events

TEST_F(EditorWidgetsTest, CheckBoxRadioAndComboSetSilentlyAndTellTheFormOfTheUser) {
    auto* check = Make<TiComponentEditorCheckBox>(10, 10, 100, 17);
    int clicks = 0;
    int checkChanges = 0;
    check->OnClick = [&](TObject*) { ++clicks; };
    check->OnChange = [&](TObject*) { ++checkChanges; };
    check->SetAsBoolean(true);
    EXPECT_TRUE(check->AsBoolean());
    EXPECT_EQ(checkChanges, 1) << "the check box's own change still fires";
    EXPECT_EQ(clicks, 0);
    EXPECT_EQ(form_->changes, 0);
    Show();
    test::ClickAt(*check, 5, 5);
    EXPECT_FALSE(check->AsBoolean());
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(form_->changes, 1);
    check->SetAsBoolean(true);
    check->Disable();
    EXPECT_FALSE(check->AsBoolean());
    EXPECT_EQ(clicks, 1) << "Disable clicks nothing";

    auto* radio = Make<TiComponentEditorRadioGroup>(10, 40, 150, 60);
    radio->Items()->Add("a");
    radio->Items()->Add("b");
    int radioChanges = 0;
    radio->OnChange = [&](TObject*) { ++radioChanges; };
    radio->OnClick = [&](TObject*) { ++clicks; };
    radio->SetAsInteger(1);
    EXPECT_EQ(radio->AsInteger(), 1);
    EXPECT_EQ(radioChanges, 0);
    radio->Disable();
    EXPECT_EQ(radio->AsInteger(), -1);
    EXPECT_EQ(radioChanges, 1) << "Disable detaches only OnClick";

    auto* combo = Make<TiComponentEditorComboBox>(10, 110, 100, 21);
    combo->SetStyle(csDropDownList);
    combo->Items()->Add("x");
    combo->Items()->Add("y");
    int comboChanges = 0;
    combo->OnChange = [&](TObject*) { ++comboChanges; };
    combo->SetAsInteger(1);
    EXPECT_EQ(combo->AsString(), "y");
    combo->Disable();
    EXPECT_EQ(combo->AsInteger(), -1);
    EXPECT_EQ(combo->AsString(), "");
    EXPECT_EQ(combo->Color(), clBtnFace);
    EXPECT_EQ(comboChanges, 0);
    const int before = form_->changes;
    combo->Enable();
    combo->Click();  // what the user's choice raises
    EXPECT_EQ(form_->changes, before + 1);
}

// ---- list box

TEST_F(EditorWidgetsTest, ListDragsItemsAndDeletesWithAndWithoutTheirObjects) {
    auto* list = Make<TiComponentEditorListBox>(10, 10, 120, 100);
    std::vector<TObject*> freed;
    list->OnFreeObject = [&](TObject* o) {
        freed.push_back(o);
        delete o;
    };
    TObject* objects[3] = {new TObject, new TObject, new TObject};
    for (TObject* o : objects) list->AddItem("", o);
    int moves = 0;
    list->OnItemMove = [&](TObject*) { ++moves; };

    bool accept = false;
    list->DragOver(list, 0, 0, dsDragMove, accept);
    EXPECT_TRUE(accept);
    list->DragOver(form_.get(), 0, 0, dsDragMove, accept);
    EXPECT_FALSE(accept) << "only its own items";

    list->SetItemIndex(0);
    list->DragDrop(list, 5, 90);  // below the last item
    EXPECT_EQ(list->Items()->Objects(2), objects[0]);
    EXPECT_EQ(list->ItemIndex(), 2);
    EXPECT_EQ(moves, 1);
    list->DragDrop(list, 5, 40);  // onto itself
    EXPECT_EQ(moves, 1);

    list->SelectLast();
    list->DeleteSelectedObject();
    EXPECT_EQ(freed, (std::vector<TObject*>{objects[0]}));
    EXPECT_EQ(list->ItemIndex(), 1) << "the new last item";

    list->SetItemIndex(0);
    list->DeleteObjectIndex(objects[2]);
    EXPECT_EQ(list->Count(), 1);
    EXPECT_EQ(list->ItemIndex(), 0) << "the selection stays where it can";
    EXPECT_EQ(freed.size(), 1u) << "not freed";
    delete objects[2];

    list->SetItemIndex(-1);
    EXPECT_THROW(list->DeleteSelectedObject(), Exception) << "items but no selection";
    EXPECT_EQ(list->Count(), 1);
    list->SetItemIndex(0);
    list->DeleteSelectedObject();
    EXPECT_EQ(list->Count(), 0);
    EXPECT_NO_THROW(list->DeleteSelectedObject());
}

TEST_F(EditorWidgetsTest, ListDrawsEachItemWithTheColourBoxItsDataAsksFor) {
    auto* list = Make<TiComponentEditorListBox>(10, 10, 120, 60);
    list->AddItem("", nullptr);
    list->AddItem("", nullptr);
    list->OnGetData = [](int index, bool& box, TColor& color, std::string& text) {
        box = index == 0;
        color = clBlue;
        text = index == 0 ? "Channel 1" : "Title";
    };
    list->SetItemIndex(1);
    Show();
    EXPECT_EQ(test::ShownPixel(*list, 10, 8), ColorToRGB(clBlue)) << "the first item's box";
    EXPECT_EQ(test::ShownPixel(*list, 100, 24), ColorToRGB(clTeal)) << "the selected item";
}

// ---- colour picker and picker buttons

TEST_F(EditorWidgetsTest, ColourPickerKeepsAConfirmedColourAndTellsTheForm) {
    auto* picker = Make<TiComponentEditorColorPicker>(10, 10, 60, 21);
    EXPECT_EQ(picker->Button()->Left(), 39);
    int changes = 0;
    picker->OnChange = [&](TObject*) { ++changes; };
    dialogs_.Cancel();
    picker->PickColor();
    EXPECT_EQ(picker->Color(), clRed);
    EXPECT_EQ(changes, 0);
    dialogs_.AnswerColor(0x00FF00);
    picker->Button()->Click();
    EXPECT_EQ(picker->Color(), static_cast<TColor>(0x00FF00));
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(form_->changes, 1);
    Show();
    EXPECT_EQ(test::ShownPixel(*picker, 5, 5), 0x00FF00u);
    picker->Disable();
    Show();
    EXPECT_EQ(test::ShownPixel(*picker, 5, 5), ColorToRGB(clBtnFace));
    EXPECT_FALSE(picker->Button()->Enabled());
}

TEST_F(EditorWidgetsTest, OpenAndSavePickersStartWhereTheirRulesSay) {
    test::TTempFolder folder;
    auto* open = Make<TiComponentEditorOpenPicker>(10, 10, 75, 25);
    open->SetFileName(folder.Path() + "/");
    open->SetDefaultDir("/data");
    int changes = 0;
    open->OnChange = [&](TObject*) { ++changes; };
    dialogs_.Cancel();
    open->Click();
    EXPECT_EQ(dialogs_.FileDialogs().back().fileName, folder.Path() + "/Untitled");
    EXPECT_EQ(dialogs_.FileDialogs().back().initialDir, "/data");
    dialogs_.AnswerFile(folder.File("a.cfg"));
    open->Click();
    EXPECT_EQ(dialogs_.FileDialogs().back().initialDir, "/data") << "every time";
    EXPECT_EQ(open->FileName(), folder.File("a.cfg"));
    EXPECT_EQ(changes, 1) << "a cancel changes nothing";

    auto* save = Make<TiComponentEditorSavePicker>(10, 40, 75, 25);
    save->SetDefaultDir(folder.Path());
    save->SetFilter("Config (*.cfg)|*.cfg|All Files (*.*)|*.*");
    dialogs_.AnswerFile(folder.File("b"), 2);
    EXPECT_TRUE(save->Execute());
    EXPECT_EQ(dialogs_.FileDialogs().back().initialDir, folder.Path());
    EXPECT_EQ(save->FileName(), folder.File("b"));
    dialogs_.AnswerFile(folder.File("c"));
    EXPECT_TRUE(save->Execute());
    EXPECT_EQ(dialogs_.FileDialogs().back().initialDir, ".") << "only the first time";
    EXPECT_EQ(save->FileName(), folder.File("c.cfg")) << "the filter chosen before is not kept";
    dialogs_.Cancel();
    EXPECT_FALSE(save->Execute());
    EXPECT_EQ(save->FileName(), folder.File("c.cfg"));
}

TEST_F(EditorWidgetsTest, FontPickerKeepsTheConfirmedFont) {
    auto* picker = Make<TiComponentEditorFontPicker>(10, 10, 75, 25);
    TLogFont chosen = picker->Font()->LogFont();
    chosen.lfFaceName = "Arial";
    chosen.lfHeight = -20;
    dialogs_.AnswerFont(chosen, 0x0000FF);
    picker->Click();
    EXPECT_EQ(picker->Font()->Name(), "Arial");
    EXPECT_EQ(picker->Font()->Height(), -20);
    EXPECT_EQ(form_->changes, 1);
}

// ---- value converter

// A number and how the value converter shows it.
struct ReadingCase {
    const char* name;
    double value;
    int weeks, days, hours, minutes, price, p32, p256;
};
void PrintTo(const ReadingCase& c, std::ostream* os) { *os << c.name; }

class ValueReadingTest : public ::testing::TestWithParam<ReadingCase> {};

TEST_P(ValueReadingTest, ValueConverterShowsANumberInThreeReadings) {
    const ReadingCase& c = GetParam();
    TiValueConverterEditForm converter(nullptr);
    converter.AfterConstruction();
    converter.SetValue(c.value);
    // The value box shows the whole number as the framework writes it (15 digits).
    EXPECT_EQ(converter.ValueEdit->Text(), FloatToStr(c.value));
    EXPECT_EQ(converter.WeeksEdit->AsInteger(), c.weeks);
    EXPECT_EQ(converter.DaysEdit->AsInteger(), c.days);
    EXPECT_EQ(converter.HoursEdit->AsInteger(), c.hours);
    EXPECT_EQ(converter.MinutesEdit->AsInteger(), c.minutes);
    EXPECT_EQ(converter.PriceIntegerEdit->AsInteger(), c.price);
    EXPECT_EQ(converter.Price32ndsEdit->AsInteger(), c.p32);
    EXPECT_EQ(converter.Price256thsEdit->AsInteger(), c.p256);
}

INSTANTIATE_TEST_SUITE_P(
    Readings, ValueReadingTest,
    ::testing::Values(
        ReadingCase{"DayAndAHalf", 1.5, 0, 1, 12, 0, 1, 16, 0},
        ReadingCase{"ThreePointTwo", 3.2, 0, 3, 4, 48, 3, 6, 3},
        ReadingCase{"DaysAreAllDaysNotThoseBeyondWeeks", 10.25, 1, 10, 6, 0, 10, 8, 0},
        // Above 1e14 only the fraction is an interval; the price takes the
        // whole number as a 32-bit field does.
        ReadingCase{"HugeKeepsOnlyItsFraction", 2e14 + 0.25, 0, 0, 6, 0,
                    static_cast<std::int32_t>(static_cast<std::int64_t>(2e14)), 8, 0}),
    [](const auto& row) { return std::string(row.param.name); });

TEST_F(EditorWidgetsTest, ValueConverterEditsThroughEveryReading) {
    TiValueConverterEditForm converter(nullptr);
    converter.AfterConstruction();
    converter.SetValue(10.25);
    converter.WeeksEdit->SetIntegerWithEvent(2);
    EXPECT_DOUBLE_EQ(converter.Value(), 14.25) << "the days beyond whole weeks are dropped";
    EXPECT_EQ(converter.DaysEdit->AsInteger(), 14);

    converter.HoursEdit->SetText("25");
    EXPECT_THROW(converter.HoursEdit->DoUpdate(), EConvertError);
    EXPECT_DOUBLE_EQ(converter.Value(), 14.25);
    EXPECT_EQ(converter.HoursEdit->Text(), "25");

    converter.Price32ndsEdit->SetIntegerWithEvent(31);
    EXPECT_DOUBLE_EQ(converter.Value(), 14 + 31 / 32.0);
    EXPECT_EQ(converter.DaysEdit->AsInteger(), 14) << "a price change refreshes nothing else";

    converter.FDatePicker->SetStringWithEvent("3/5/2024");
    EXPECT_DOUBLE_EQ(converter.Value(), EncodeDate(2024, 3, 5) + converter.FTimePicker->DateTime());
    converter.FTimePicker->SetStringWithEvent("6:00 PM");
    EXPECT_DOUBLE_EQ(converter.Value(), EncodeDate(2024, 3, 5) + 0.75);
    converter.FTimePicker->SetStringWithEvent("late");
    EXPECT_EQ(converter.FTimePicker->Text(), "6:00:00 PM") << "an unreadable time is put back";
    converter.iComponentEditorButton1Click(nullptr);
    EXPECT_DOUBLE_EQ(converter.Value(), 0);
}

TEST_F(EditorWidgetsTest, ValueConverterPickerOpensOnItsNumberAndCommitsTheResult) {
    auto* picker = Make<TiComponentEditorValueConverterPicker>(0, 0, 21, 21);
    picker->SetDateTime(1.5);
    picker->SetDefaultPage(ivcptDateTime);
    int changes = 0;
    picker->OnChange = [&](TObject*) { ++changes; };
    double shown = 0;
    std::string page;
    const auto answer = [&](double value, TModalResult result) {
        PostToMainThread([&, value, result] {
            shown = iValueConverterEditForm->Value();
            page = iValueConverterEditForm->PageControl->ActivePage()->Caption();
            iValueConverterEditForm->ValueEdit->SetAsFloat(value);
            iValueConverterEditForm->SetModalResult(result);
        });
    };
    answer(9, mrCancel);
    picker->Click();
    EXPECT_DOUBLE_EQ(shown, 1.5);
    EXPECT_EQ(page, "Date/Time");
    EXPECT_DOUBLE_EQ(picker->DateTime(), 1.5) << "cancel changes nothing";
    EXPECT_EQ(changes, 0);
    answer(7.5, mrOk);
    picker->Click();
    EXPECT_DOUBLE_EQ(picker->DateTime(), 7.5);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(iValueConverterEditForm, nullptr);

    auto* edit = Make<TiComponentEditorEdit>(40, 40, 60, 21);
    edit->SetAsFloat(2.25);
    int updates = 0;
    edit->OnUpdate = [&](TObject*) { ++updates; };
    picker->SetAssociate(edit);
    EXPECT_EQ(picker->Left(), 100);
    answer(3.75, mrOk);
    picker->Click();
    EXPECT_DOUBLE_EQ(shown, 2.25) << "opens on the box's number";
    EXPECT_EQ(edit->Text(), "3.75");
    EXPECT_EQ(updates, 1) << "the box commits the new number";
}

}  // namespace
}  // namespace dsp

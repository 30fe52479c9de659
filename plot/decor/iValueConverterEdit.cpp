#include "plot/decor/iValueConverterEdit.h"

#include <cmath>
#include <cstdint>

#include "framework/controls/Label.h"
#include "framework/controls/Panel.h"
#include "framework/core/Exceptions.h"
#include "framework/text/Numbers.h"
#include "framework/text/StrUtils.h"

namespace dsp {

TiValueConverterEditForm* iValueConverterEditForm = nullptr;

namespace {

// The range of days the framework's calendar can show: 1 January 1 to 31 December 9999.
constexpr double kFirstDay = -693593;
constexpr double kLastDay = 2958465;
constexpr double kWholeValueLimit = 1e14;

// A 32-bit integer of a whole number, as a 32-bit field takes it.
int ToInt32(double value) {
    return static_cast<std::int32_t>(static_cast<std::int64_t>(Trunc(value)));
}

TLabel* MakeLabel(TComponent* owner, TWinControl* parent, const std::string& caption, int left,
                  int top) {
    auto* label = new TLabel(owner);
    label->SetParent(parent);
    label->SetCaption(caption);
    label->SetBounds(left, top, label->Width(), label->Height());
    return label;
}

// A label whose right edge sits 4 pixels left of the control, centred on its height.
void LabelLeftOf(TComponent* owner, TWinControl* parent, const std::string& caption,
                 TControl* control) {
    TLabel* label = MakeLabel(owner, parent, caption, 0, 0);
    label->SetBounds(control->Left() - 4 - label->Width(),
                     control->Top() + (control->Height() - label->Height()) / 2, label->Width(),
                     label->Height());
}

}  // namespace

// ---- date and time boxes

TiDateTimeEdit::TiDateTimeEdit(TComponent* owner, TiDateTimeEditKind kind)
    : TiComponentEditorEdit(owner), kind_(kind) {
    OnUpdate = [this](TObject*) { Committed(); };
    SetDateTime(0);
}

void TiDateTimeEdit::SetDateTime(TDateTime value) {
    dateTime_ = value;
    if (kind_ == idtkTime) {
        SetAsString(TimeToStr(value));
    } else if (value < kFirstDay || value >= kLastDay + 1 || std::isnan(value)) {
        SetAsString("");
    } else {
        SetAsString(DateToStr(value));
    }
}

void TiDateTimeEdit::Committed() {
    const std::string text = Trim(Text());
    TDateTime value = 0;
    try {
        value = kind_ == idtkDate ? StrToDate(text) : StrToTime(text);
    } catch (const EConvertError&) {
        SetDateTime(dateTime_);
        return;
    }
    dateTime_ = value;
    if (OnDateTimeChange) OnDateTimeChange(this);
}

// ---- the form

TiValueConverterEditForm::TiValueConverterEditForm(TComponent* owner) : TiCustomEditorForm(owner) {
    SetCaption("Value Converter");
    SetBorderStyle(bsDialog);
    SetPosition(poScreenCenter);
    SetBounds(0, 0, 269, 264);

    Panel2 = new TPanel(this);
    Panel2->SetName("Panel2");
    Panel2->SetParent(this);
    Panel2->SetBevelOuter(bvNone);
    Panel2->SetCaption("");
    Panel2->SetBounds(0, ClientHeight() - 39, ClientWidth(), 39);
    Panel2->SetAlign(alBottom);
    OkButton = new TiComponentEditorButton(this);
    OkButton->SetName("OkButton");
    OkButton->SetParent(Panel2);
    OkButton->SetCaption("OK");
    OkButton->SetBounds(31, 8, 80, 25);
    OkButton->SetModalResult(mrOk);
    CancelButton = new TiComponentEditorButton(this);
    CancelButton->SetName("CancelButton");
    CancelButton->SetParent(Panel2);
    CancelButton->SetCaption("Cancel");
    CancelButton->SetBounds(152, 8, 80, 25);
    CancelButton->SetModalResult(mrCancel);

    PageControl = new TiComponentEditorPageControl(this);
    PageControl->SetName("PageControl");
    PageControl->SetParent(this);
    PageControl->SetBounds(4, 2, 253, 167);
    const auto sheet = [this](const char* name, const char* caption) {
        auto* page = new TTabSheet(this);
        page->SetName(name);
        page->SetCaption(caption);
        page->SetPageControl(PageControl);
        // The size of the page control's display area from the start, shown or not.
        const TRect area = PageControl->DisplayRect();
        page->SetBounds(area.Left, area.Top, area.Width(), area.Height());
        return page;
    };
    IntervalTabSheet = sheet("IntervalTabSheet", "Interval");
    DateTimeTabSheet = sheet("DateTimeTabSheet", "Date/Time");
    Price32TabSheet = sheet("Price32TabSheet", "Price 32nds");

    const auto edit = [this](TTabSheet* parent, const char* name, int left, int top) {
        auto* e = new TiComponentEditorEdit(this);
        e->SetName(name);
        e->SetParent(parent);
        e->SetText("");
        e->SetBounds(left, top, 41, 21);
        e->SetTabStop(true);
        return e;
    };
    const auto upDown = [this](const char* name, TiComponentEditorEdit* associate, int max,
                               int increment) {
        auto* u = new TiUpDown(this);
        u->SetName(name);
        u->SetParent(associate->Parent());
        u->SetBounds(u->Left(), u->Top(), 16, u->Height());
        u->SetMin(0);
        u->SetMax(max);
        u->SetIncrement(increment);
        u->SetAssociate(associate);
        return u;
    };

    // Interval: the tab order runs hours, minutes, seconds, milliseconds, days, weeks.
    HoursEdit = edit(IntervalTabSheet, "HoursEdit", 180, 36);
    MinutesEdit = edit(IntervalTabSheet, "MinutesEdit", 180, 60);
    SecondsEdit = edit(IntervalTabSheet, "SecondsEdit", 180, 84);
    MilliSecondsEdit = edit(IntervalTabSheet, "MilliSecondsEdit", 180, 108);
    DaysEdit = edit(IntervalTabSheet, "DaysEdit", 180, 12);
    WeeksEdit = edit(IntervalTabSheet, "WeeksEdit", 60, 12);
    iUpDown4 = upDown("iUpDown4", WeeksEdit, 0, 1);
    DaysUpDown = upDown("DaysUpDown", DaysEdit, 0, 1);
    HoursUpDown = upDown("HoursUpDown", HoursEdit, 23, 1);
    MinutesUpDown = upDown("MinutesUpDown", MinutesEdit, 59, 1);
    SecondsUpDown = upDown("SecondsUpDown", SecondsEdit, 59, 1);
    MilliSecondsUpDown = upDown("MilliSecondsUpDown", MilliSecondsEdit, 999, 100);
    LabelLeftOf(this, IntervalTabSheet, "Weeks", WeeksEdit);
    LabelLeftOf(this, IntervalTabSheet, "Days", DaysEdit);
    LabelLeftOf(this, IntervalTabSheet, "Hours", HoursEdit);
    LabelLeftOf(this, IntervalTabSheet, "Minutes", MinutesEdit);
    LabelLeftOf(this, IntervalTabSheet, "Seconds", SecondsEdit);
    LabelLeftOf(this, IntervalTabSheet, "mSec", MilliSecondsEdit);
    iComponentEditorButton1 = new TiComponentEditorButton(this);
    iComponentEditorButton1->SetName("iComponentEditorButton1");
    iComponentEditorButton1->SetParent(IntervalTabSheet);
    iComponentEditorButton1->SetCaption("Set All To 0");
    iComponentEditorButton1->SetBounds(8, 104, 97, 25);
    iComponentEditorButton1->SetTabStop(true);
    for (TiComponentEditorEdit* e :
         {DaysEdit, HoursEdit, MinutesEdit, SecondsEdit, MilliSecondsEdit}) {
        e->OnUpdate = [this](TObject* s) { TimeChange(s); };
    }
    WeeksEdit->OnUpdate = [this](TObject* s) { WeeksChange(s); };
    iComponentEditorButton1->OnClick = [this](TObject* s) { iComponentEditorButton1Click(s); };

    // Date/Time: the two boxes come with FormCreate.
    DatePickerLabel = MakeLabel(this, DateTimeTabSheet, "Date", 36, 35);
    DatePickerLabel->SetName("DatePickerLabel");
    TimePickerLabel = MakeLabel(this, DateTimeTabSheet, "Time", 36, 67);
    TimePickerLabel->SetName("TimePickerLabel");
    SetNowButton = new TiComponentEditorButton(this);
    SetNowButton->SetName("SetNowButton");
    SetNowButton->SetParent(DateTimeTabSheet);
    SetNowButton->SetCaption("Now");
    SetNowButton->SetBounds(64, 96, 65, 25);
    SetNowButton->OnClick = [this](TObject* s) { SetNowButtonClick(s); };

    // Price 32nds.
    PriceIntegerEdit = edit(Price32TabSheet, "PriceIntegerEdit", 100, 36);
    Price32ndsEdit = edit(Price32TabSheet, "Price32ndsEdit", 100, 60);
    Price256thsEdit = edit(Price32TabSheet, "Price256thsEdit", 100, 84);
    iUpDown3 = upDown("iUpDown3", PriceIntegerEdit, 10000, 1);
    iUpDown1 = upDown("iUpDown1", Price32ndsEdit, 31, 1);
    iUpDown2 = upDown("iUpDown2", Price256thsEdit, 7, 1);
    LabelLeftOf(this, Price32TabSheet, "Integer", PriceIntegerEdit);
    LabelLeftOf(this, Price32TabSheet, "32nds", Price32ndsEdit);
    LabelLeftOf(this, Price32TabSheet, "256ths", Price256thsEdit);
    for (TiComponentEditorEdit* e : {PriceIntegerEdit, Price32ndsEdit, Price256thsEdit}) {
        e->OnUpdate = [this](TObject* s) { Price32Change(s); };
    }

    ValueEdit = new TiComponentEditorEdit(this);
    ValueEdit->SetName("ValueEdit");
    ValueEdit->SetParent(this);
    ValueEdit->SetText("");
    ValueEdit->SetBounds(4, 176, 253, 21);
    ValueEdit->SetTabStop(true);

    PageControl->SetActivePage(DateTimeTabSheet);
    OnCreate = [this](TObject* s) { FormCreate(s); };
}

void TiValueConverterEditForm::FormCreate(TObject*) {
    const auto picker = [this](TiDateTimeEditKind kind, TLabel* label, const char* name) {
        auto* p = new TiDateTimeEdit(this, kind);
        p->SetName(name);
        p->SetParent(DateTimeTabSheet);
        p->SetBounds(label->Left() + label->Width() + 5, label->Top() - 3, 137, 21);
        p->SetTabStop(true);
        p->OnDateTimeChange = [this](TObject* s) { DateTimePickerChange(s); };
        return p;
    };
    FDatePicker = picker(idtkDate, DatePickerLabel, "FDatePicker");
    FTimePicker = picker(idtkTime, TimePickerLabel, "FTimePicker");
}

void TiValueConverterEditForm::ShowPage(TiValueConverterPageType page) {
    switch (page) {
        case ivcptInterval: PageControl->SetActivePage(IntervalTabSheet); break;
        case ivcptDateTime: PageControl->SetActivePage(DateTimeTabSheet); break;
        case ivcptPrice32nd: PageControl->SetActivePage(Price32TabSheet); break;
    }
}

double TiValueConverterEditForm::GetValue() const { return ValueEdit->AsFloat(); }

void TiValueConverterEditForm::SetValue(double value) {
    // Beyond 1e14 days the whole part is no interval or date worth showing: only the fraction.
    const double p = value <= kWholeValueLimit ? value : value - std::trunc(value);
    ValueEdit->SetAsFloat(value);
    const double days = std::trunc(p);
    if (FDatePicker != nullptr) FDatePicker->SetDateTime(days);
    if (FTimePicker != nullptr) FTimePicker->SetDateTime(p - days);
    DaysEdit->SetAsInteger(ToInt32(p));
    WeeksEdit->SetAsInteger(ToInt32(p) / 7);
    int hour = 0;
    int minute = 0;
    int second = 0;
    int millisecond = 0;
    DecodeTime(p, hour, minute, second, millisecond);
    HoursEdit->SetAsInteger(hour);
    MinutesEdit->SetAsInteger(minute);
    SecondsEdit->SetAsInteger(second);
    MilliSecondsEdit->SetAsInteger(millisecond);

    const double fraction = value - std::trunc(value);
    PriceIntegerEdit->SetAsInteger(ToInt32(value));
    Price32ndsEdit->SetAsInteger(ToInt32(fraction / 0.03125));
    const int n = Price32ndsEdit->AsInteger();
    Price256thsEdit->SetAsInteger(ToInt32((fraction - n / 32.0) / 0.00390625));
}

TDateTime TiValueConverterEditForm::EncodedTime() const {
    return EncodeTime(HoursEdit->AsInteger(), MinutesEdit->AsInteger(), SecondsEdit->AsInteger(),
                      MilliSecondsEdit->AsInteger());
}

void TiValueConverterEditForm::Commit(double value) {
    ValueEdit->SetAsFloat(value);
    SetValue(ValueEdit->AsFloat());
}

void TiValueConverterEditForm::TimeChange(TObject*) {
    Commit(DaysEdit->AsInteger() + EncodedTime());
}

void TiValueConverterEditForm::WeeksChange(TObject*) {
    Commit(WeeksEdit->AsInteger() * 7.0 + EncodedTime());
}

void TiValueConverterEditForm::Price32Change(TObject*) {
    ValueEdit->SetAsFloat(PriceIntegerEdit->AsInteger() + Price32ndsEdit->AsInteger() / 32.0 +
                          Price256thsEdit->AsInteger() / 256.0);
}

void TiValueConverterEditForm::DateTimePickerChange(TObject*) {
    const double time = FTimePicker->DateTime();
    Commit(std::trunc(FDatePicker->DateTime()) + time - std::trunc(time));
}

void TiValueConverterEditForm::SetNowButtonClick(TObject*) { Commit(Now()); }

void TiValueConverterEditForm::iComponentEditorButton1Click(TObject*) { Commit(0); }

}  // namespace dsp

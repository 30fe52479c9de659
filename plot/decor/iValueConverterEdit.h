#pragma once
// TiValueConverterEditForm: a small modal dialog that shows one number in three readings and
// lets the user edit it in any of them: a time interval (weeks, days, hours, minutes, seconds,
// milliseconds, one day being 1.0), a date and a time of the framework's day count, and a price
// in whole units, 32nds and 256ths. Above 1e14 only the fraction is read as interval and date.
//
// The date and the time are two edit boxes that take the framework's date and time texts
// (TiDateTimeEdit); a text they cannot read puts the last good one back.

#include "plot/decor/iEditorBasicComponents.h"

namespace dsp {

class TLabel;
class TPanel;
class TTabSheet;

enum TiDateTimeEditKind { idtkDate, idtkTime };

// An edit box holding a date or a time of day in the framework's texts. A committed text that
// reads as one becomes its value and fires OnDateTimeChange; another is replaced by the value's
// text.
class TiDateTimeEdit : public TiComponentEditorEdit {
public:
    TiDateTimeEdit(TComponent* owner, TiDateTimeEditKind kind);
    TiDateTimeEditKind Kind() const { return kind_; }
    // The date (whole days) or the time of day (the fraction).
    TDateTime DateTime() const { return dateTime_; }
    // Shows the value silently; a date outside years 1 to 9999 shows an empty box.
    void SetDateTime(TDateTime value);
    TNotifyEvent OnDateTimeChange;

private:
    void Committed();
    TiDateTimeEditKind kind_;
    TDateTime dateTime_ = 0;
};

class TiValueConverterEditForm : public TiCustomEditorForm {
public:
    explicit TiValueConverterEditForm(TComponent* owner);

    double Value() const { return GetValue(); }
    // Fills every field from the number, silently.
    void SetValue(double value);
    double GetValue() const;
    void ShowPage(TiValueConverterPageType page);

    // ---- the form's controls
    TPanel* Panel2;
    TiComponentEditorButton* OkButton;
    TiComponentEditorButton* CancelButton;
    TiComponentEditorPageControl* PageControl;
    TTabSheet* IntervalTabSheet;
    TTabSheet* DateTimeTabSheet;
    TTabSheet* Price32TabSheet;
    TiComponentEditorEdit* WeeksEdit;
    TiComponentEditorEdit* DaysEdit;
    TiComponentEditorEdit* HoursEdit;
    TiComponentEditorEdit* MinutesEdit;
    TiComponentEditorEdit* SecondsEdit;
    TiComponentEditorEdit* MilliSecondsEdit;
    TiUpDown* iUpDown4;
    TiUpDown* DaysUpDown;
    TiUpDown* HoursUpDown;
    TiUpDown* MinutesUpDown;
    TiUpDown* SecondsUpDown;
    TiUpDown* MilliSecondsUpDown;
    TiComponentEditorButton* iComponentEditorButton1;
    TLabel* DatePickerLabel;
    TLabel* TimePickerLabel;
    TiComponentEditorButton* SetNowButton;
    TiDateTimeEdit* FDatePicker = nullptr;
    TiDateTimeEdit* FTimePicker = nullptr;
    TiComponentEditorEdit* PriceIntegerEdit;
    TiComponentEditorEdit* Price32ndsEdit;
    TiComponentEditorEdit* Price256thsEdit;
    TiUpDown* iUpDown3;
    TiUpDown* iUpDown1;
    TiUpDown* iUpDown2;
    TiComponentEditorEdit* ValueEdit;

    // ---- handlers
    void FormCreate(TObject* sender);
    void TimeChange(TObject* sender);
    void WeeksChange(TObject* sender);
    void Price32Change(TObject* sender);
    void DateTimePickerChange(TObject* sender);
    void SetNowButtonClick(TObject* sender);
    void iComponentEditorButton1Click(TObject* sender);

private:
    // The time of day encoded from the four interval boxes; EConvertError when out of range.
    TDateTime EncodedTime() const;
    void Commit(double value);
};

// The value converter while one is open (the picker that opened it sets it).
extern TiValueConverterEditForm* iValueConverterEditForm;

}  // namespace dsp

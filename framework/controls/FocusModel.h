#pragma once
// Framework-internal: which form is active and which window has the keyboard focus, and the
// moves between them. The focus moves by WM_KILLFOCUS to the window that loses it and
// WM_SETFOCUS to the one that gains it; the form of the new window then runs its exit and
// enter notifications (TCustomForm::SetFocusedControl). UI thread only.

#include <vector>

namespace dsp {

class TCustomForm;
class TWinControl;

class TFocusModel {
public:
    // Counts focus moves, so that a notification can tell that a handler moved the focus.
    int FocusCount() const { return focusCount_; }
    // The form whose control last received the focus.
    TCustomForm* FocusedForm() const { return focusedForm_; }
    void SetFocusedForm(TCustomForm* form) { focusedForm_ = form; }

    void FocusWindow(TWinControl* window);
    // Makes a shown form the active one: its active control (the first tab stop when it has
    // none) takes the focus.
    void ActivateForm(TCustomForm* form);
    // A form stopped showing: the focus goes to the form active before it, if any.
    void FormHidden(TCustomForm* form);
    void FormGone(TCustomForm* form);

private:
    int focusCount_ = 0;
    TCustomForm* focusedForm_ = nullptr;
    std::vector<TCustomForm*> history_;  // activation order, the latest last
};

TFocusModel& FocusModel();

}  // namespace dsp

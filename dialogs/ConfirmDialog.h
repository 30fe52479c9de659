#pragma once
// The confirmation dialogs' common form: a fixed-size dialog without border icons, centred on
// the screen, with a background picture, a framed message (with a sign beside it, where the
// dialog has one) and an OK and a Cancel button. Its texts are looked up by their keys each
// time it is shown.

#include <string>

#include "framework/controls/Form.h"

namespace dsp {

class TLabel;
class TImage;
class TRzBmpButton;

// The names and texts of one confirmation dialog.
struct TConfirmDialogParts {
    const char* formName;     // "fmExit"
    const char* messageName;  // the message label, "lbExit"
    const char* cancelName;   // "btnCancel" (the factory dialog's is "bnCancel")
    const char* sign;         // the sign's picture, or null for none
    const char* captionKey;
    const char* messageKey;
    const char* okKey;
    const char* cancelKey;
};

class TConfirmDialog : public TForm {
public:
    TConfirmDialog(TComponent* owner, const TConfirmDialogParts& parts);
    ~TConfirmDialog() override;

    TLabel* Message() const { return message_; }
    TRzBmpButton* OkButton() const { return ok_; }
    TRzBmpButton* CancelButton() const { return cancel_; }

    // Writes the caption and the texts in the main window's language.
    void FormShow(TObject* sender);

protected:
    virtual void btnOKClick(TObject* sender) = 0;
    virtual void btnCancelClick(TObject* sender) = 0;

private:
    TConfirmDialogParts parts_;
    TLabel* message_ = nullptr;
    TRzBmpButton* ok_ = nullptr;
    TRzBmpButton* cancel_ = nullptr;
};

}  // namespace dsp

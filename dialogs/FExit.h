#pragma once
// The quit dialog (fmExit): "Are you sure to quit ?". The main window shows it every time it is
// asked to close and closes only after OK here.

#include "dialogs/ConfirmDialog.h"

namespace dsp {

class TfmExit : public TConfirmDialog {
public:
    explicit TfmExit(TComponent* owner);

protected:
    // Confirms quitting and asks the main window to close again.
    void btnOKClick(TObject* sender) override;
    // Closes the dialog; the next close request asks again.
    void btnCancelClick(TObject* sender) override;
};

extern TfmExit* fmExit;

}  // namespace dsp

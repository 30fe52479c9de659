#pragma once
// The EQ reset dialog (fmPeqRst): "Are you sure to RESET EQ ?". The EQ reset button of a channel
// page writes its channel into FResetChannel and shows it modally.

#include "dialogs/ConfirmDialog.h"

namespace dsp {

class TfmPeqRst : public TConfirmDialog {
public:
    explicit TfmPeqRst(TComponent* owner);

    // The channel (0 to 8) whose bands OK resets.
    int FResetChannel = 0;

protected:
    // Hides the dialog, resets the channel's bands, then closes.
    void btnOKClick(TObject* sender) override;
    void btnCancelClick(TObject* sender) override;
};

extern TfmPeqRst* fmPeqRst;

}  // namespace dsp

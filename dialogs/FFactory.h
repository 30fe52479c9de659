#pragma once
// The factory-default dialog (fmFactory): "Are you Sure to Return Factory Default?". The File
// menu's Factory Default shows it modally while the editor is online.

#include "dialogs/ConfirmDialog.h"

namespace dsp {

class TfmFactory : public TConfirmDialog {
public:
    explicit TfmFactory(TComponent* owner);

protected:
    // Asks the processor for its factory settings (the read-back follows), then closes.
    void btnOKClick(TObject* sender) override;
    void btnCancelClick(TObject* sender) override;
};

extern TfmFactory* fmFactory;

}  // namespace dsp

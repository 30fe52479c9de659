#pragma once
// The print dialog: shows the printer list with the printer, orientation and copies of the
// program's printer, and when the user confirms, sets them on the printer (and, for the PDF
// printer, the file it writes).

#include "framework/desktop/CommonDialog.h"

namespace dsp {

class TPrintDialog : public TCommonDialog {
public:
    using TCommonDialog::TCommonDialog;

    int Copies() const { return copies_; }
    void SetCopies(int value) { copies_ = value < 1 ? 1 : value; }

    bool Execute(HWND owner = HWND{}) override;

private:
    int copies_ = 1;
};

}  // namespace dsp

#include "dialogs/FPeqRst.h"

#include "dialogs/MainWindowServices.h"

namespace dsp {

TfmPeqRst* fmPeqRst = nullptr;

namespace {
constexpr TConfirmDialogParts kPeqRst{"fmPeqRst",      "lbReset",          "btnCancel",
                                      nullptr,         "SID_PEQRST",       "SID_PEQRST_RESET",
                                      "SID_PEQRST_OK", "SID_PEQRST_CANCEL"};
}  // namespace

TfmPeqRst::TfmPeqRst(TComponent* owner) : TConfirmDialog(owner, kPeqRst) {}

void TfmPeqRst::btnOKClick(TObject*) {
    Hide();
    if (IMainWindowServices* main = MainWindowServices()) main->ResetChannelEq(FResetChannel);
    Close();
}

void TfmPeqRst::btnCancelClick(TObject*) { Close(); }

}  // namespace dsp

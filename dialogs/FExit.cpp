#include "dialogs/FExit.h"

#include "dialogs/MainWindowServices.h"

namespace dsp {

TfmExit* fmExit = nullptr;

namespace {
constexpr TConfirmDialogParts kExit{"fmExit",        "lbExit",         "btnCancel",
                                    "SIGN_QUESTION", "SID_INFO_TITLE", "SID_EXIT_QUIT",
                                    "SID_EXIT_OK",   "SID_EXIT_CANCEL"};
}  // namespace

TfmExit::TfmExit(TComponent* owner) : TConfirmDialog(owner, kExit) {}

void TfmExit::btnOKClick(TObject*) {
    Close();
    if (IMainWindowServices* main = MainWindowServices()) main->ConfirmExitAndClose();
}

void TfmExit::btnCancelClick(TObject*) {
    Close();
    if (IMainWindowServices* main = MainWindowServices()) main->CancelExit();
}

}  // namespace dsp

#include "dialogs/FFactory.h"

#include "dialogs/MainWindowServices.h"

namespace dsp {

TfmFactory* fmFactory = nullptr;

namespace {
constexpr TConfirmDialogParts kFactory{"fmFactory",    "lbMessage",      "bnCancel",
                                       "SIGN_WARNING", "SID_INFO_TITLE", "SID_FACTORY_DEFAULT",
                                       "SID_EXIT_OK",  "SID_EXIT_CANCEL"};
}  // namespace

TfmFactory::TfmFactory(TComponent* owner) : TConfirmDialog(owner, kFactory) {}

void TfmFactory::btnOKClick(TObject*) {
    if (IMainWindowServices* main = MainWindowServices()) main->ConfirmFactoryReset();
    Close();
}

void TfmFactory::btnCancelClick(TObject*) { Close(); }

}  // namespace dsp

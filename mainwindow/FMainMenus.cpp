// The menu commands that only show a diagnostic window or do nothing.

#include "link/forms/FHidData.h"
#include "link/forms/FMemo.h"
#include "mainwindow/FMainSession.h"

namespace dsp {

void TfmMainSession::MemoShowClick(TObject*) {
    if (fmMemo) fmMemo->Show();
}

void TfmMainSession::HidDataClick(TObject*) {
    if (fmHidData) fmHidData->Show();
}

void TfmMainSession::ConnectHelpClick(TObject*) {}

void TfmMainSession::SettingIDClick(TObject*) {}

}  // namespace dsp

// The main window's side of its dialogs: the menu commands that show the test-signal, about and
// RS232 code dialogs, and the parts of showing an image that reach the test-signal and
// link-selection dialogs. Each global is tested for null: the window exists, and shows its
// first image, before any dialog is created.

#include "dialogs/FAbout.h"
#include "dialogs/FLinkSel.h"
#include "dialogs/FRs232Code.h"
#include "dialogs/FTest.h"
#include "mainwindow/FMain.h"
#include "mainwindow/LanguageTexts.h"
#include "model/Lunitcontrol.h"

namespace dsp {

void TfmMain::AboutClick(TObject*) {
    if (fmAbout) fmAbout->ShowModal();
}

void TfmMain::Rs232CodeClick(TObject*) {
    TRs232CodeViewer* viewer = FLanguage == kLanguageEnglish
                                   ? static_cast<TRs232CodeViewer*>(fmRs232CodeEnglish)
                                   : static_cast<TRs232CodeViewer*>(fmRs232Code);
    if (viewer) viewer->ShowModal();
}

void TfmMain::TestToneClick(TObject*) {
    if (fmTest) fmTest->ShowModal();
}

void TfmMain::ShowTestSignalInDialog() {
    if (fmTest == nullptr) return;
    fmTest->ShowMode(FUnitControl->GetTestSignalMode(), FUnitControl->GetSineIndex());
}

void TfmMain::ShowLinksInDialog() {
    if (fmLinkSel == nullptr) return;
    fmLinkSel->ShowLeaders();
    fmLinkSel->ShowLinkCaptions();
}

void TfmMain::ShowLinkMaskInDialog(int channel, std::uint16_t mask) {
    if (fmLinkSel) fmLinkSel->ShowLinkMask(channel, mask);
}

// The dialogs are made in one go after the window; the link-selection dialog stands for them.
bool TfmMain::DialogsExist() const { return fmLinkSel != nullptr; }

}  // namespace dsp

// The main window's side of its dialogs that come with later Parts: the test-signal dialog
// (fmTest) and the link-selection dialog (fmLinkSel). Each global is tested for null: the
// window exists, and shows its first image, before any dialog is created.

#include "dialogs/FExit.h"
#include "mainwindow/FMain.h"

namespace dsp {

void TfmMain::ShowTestSignalInDialog() {}
void TfmMain::ShowLinksInDialog() {}
void TfmMain::ShowLinkMaskInDialog(int, std::uint16_t) {}

// The dialogs are made in one go after the window; the quit dialog stands for them until the
// link-selection dialog (whose global the layout's Part names) exists.
bool TfmMain::DialogsExist() const { return fmExit != nullptr; }

}  // namespace dsp

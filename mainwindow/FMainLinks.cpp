// Link groups, channel copies and channel names, with the menu items and labels that open their
// dialogs. The form wires them; their bodies come with the link and name dialogs.

#include "mainwindow/FMain.h"
#include "model/Lunitcontrol.h"

namespace dsp {

void TfmMain::SetLinkMask(int, std::uint16_t) {}
void TfmMain::CopyChannel(int, int, std::uint8_t) {}
void TfmMain::CommitLinks() {}
void TfmMain::ShowOverlayButtons(int, bool) {}
void TfmMain::ShowLinkCaption(int, int) {}
const ChannelNameBytes& TfmMain::GetChannelName(int channel) const {
    return FUnitControl->GetChannelName(channel);
}
void TfmMain::SetChannelName(int, const ChannelNameBytes&) {}
void TfmMain::LinkClick(TObject*) {}
void TfmMain::CopyClick(TObject*) {}
void TfmMain::ChNameListClick(TObject*) {}
void TfmMain::lbMatrixChNameInAClick(TObject*) {}

}  // namespace dsp

// The scan dialog's side in the main window: the link button, the one-shot timers that open,
// close and reopen the dialog, and what the dialog asks of the window.

#include "framework/controls/Menus.h"
#include "framework/controls/ProgressBar.h"
#include "framework/runtime/Timer.h"
#include "framework/text/Format.h"
#include "link/Lcomm.h"
#include "link/Lnet.h"
#include "link/Lusb.h"
#include "link/forms/FNetWorkScan.h"
#include "mainwindow/FMainSession.h"
#include "widgets/panels/RzBmpBtn.h"

namespace dsp {

void TfmMainSession::ShowScanDialog() {
    if (fmNetwork == nullptr) return;
    if (fmNetwork->Visible()) {
        fmNetwork->SetModalResult(mrNone);
        return;
    }
    fmNetwork->ShowModal();
}

void TfmMainSession::tmStartConnectTimer(TObject*) {
    tmStartConnect->SetEnabled(false);
    if (rzbMenuLink) rzbMenuLink->Click();
}

void TfmMainSession::rzbMenuLinkClick(TObject*) {
    rzbMenuLink->SetEnabled(false);
    if (Connect) Connect->SetEnabled(false);
    rzbMenuLink->SetDown(false);
    if (FSessionOpen) {
        if (Connect) Connect->SetCaption(GetText("SID_CONNECT"));
        tmDisconnect->SetEnabled(true);
        return;
    }
    if (fmNetwork) fmNetwork->btnOK->Click();
    if (Connect) Connect->SetCaption(GetText("SID_DISCONNECT"));
    ShowScanDialog();
}

void TfmMainSession::ConnectedClick(TObject*) {
    if (rzbMenuLink) rzbMenuLink->Click();
}

void TfmMainSession::tmDisconnectTimer(TObject*) {
    tmDisconnect->SetEnabled(false);
    if (!HasTransport()) return;
    Disconnect();
    if (fmNetwork) fmNetwork->ReportLinkBroken();
}

void TfmMainSession::tmLinkBrokenTimer(TObject*) {
    tmLinkBroken->SetEnabled(false);
    if (!HasTransport()) return;
    Disconnect();
    if (fmNetwork) {
        fmNetwork->pbScan->SetPosition(0);
        fmNetwork->ReportLinkBroken();
    }
    ShowScanDialog();
}

void TfmMainSession::tmComScanTimer(TObject*) {
    tmComScan->SetEnabled(false);
    if (fmNetwork == nullptr || !fmNetwork->Visible()) return;
    // Every open transport: the candidate answered with another device ID.
    if (FCommLink) {
        CloseCommLink();
        fmNetwork->ReportConnectResult(0);
    }
    if (FUsbLink) {
        CloseUsbLink();
        fmNetwork->ReportConnectResult(0);
    }
    if (FNetLink) {
        CloseNetLink();
        fmNetwork->ReportConnectResult(0);
    }
}

void TfmMainSession::EnableLinkButton() {
    if (rzbMenuLink) rzbMenuLink->SetEnabled(true);
    if (Connect) Connect->SetEnabled(true);
}

void TfmMainSession::ShowNetworkSetup() {
    if (NetworkSetup) NetworkSetup->Click();
}

std::string TfmMainSession::DeviceIpText() const {
    const auto octet = [this](int shift) { return static_cast<int>((FDeviceIp >> shift) & 0xFF); };
    return Format("%d.%d.%d.%d", octet(24), octet(16), octet(8), octet(0));
}

}  // namespace dsp

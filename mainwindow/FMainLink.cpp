// The send dispatch, the message dispatch, link states and the session's device ID.

#include "framework/controls/Label.h"
#include "framework/controls/ProgressBar.h"
#include "framework/text/Gbk.h"
#include "link/Lcomm.h"
#include "link/LinkMessages.h"
#include "link/LinkWindow.h"
#include "link/Lnet.h"
#include "link/Lusb.h"
#include "link/forms/FNetWorkScan.h"
#include "mainwindow/FMainSession.h"
#include "model/Lcmd.h"

namespace dsp {

namespace {

// The generation rides above the ID byte in a link-state message's lParam.
constexpr int kGenerationShift = 8;

// The window's owner for one transport: its link-state messages carry the transport's
// generation, so that a code posted by a transport that has since been closed (a time-out
// racing a disconnect, a stop time-out reported late) is told from one of the open transport.
class TGenerationLinkOwner : public LLinkWindow {
public:
    TGenerationLinkOwner(HWND window, TComponent* timerOwner, std::uint32_t generation)
        : LLinkWindow(window, timerOwner), generation_(generation) {}

    void PostLinkMessage(unsigned msg, std::uintptr_t wParam, std::intptr_t lParam) override {
        if (msg == WM_LINK_STATE) lParam = LinkStateParam(generation_, lParam);
        LLinkWindow::PostLinkMessage(msg, wParam, lParam);
    }

    static std::intptr_t LinkStateParam(std::uint32_t generation, std::intptr_t idByte) {
        return static_cast<std::intptr_t>(
            (static_cast<std::uint64_t>(generation) << kGenerationShift) |
            (static_cast<std::uint64_t>(idByte) & 0xFF));
    }

private:
    std::uint32_t generation_;
};

// Acts on the open transport: the serial one when set, else the USB one, else the network one;
// on none when none is open.
template <typename Act>
void ForFirstOpen(LCommProc* comm, LUsbProc* usb, LNetProc* net, Act act) {
    if (comm) {
        act(*comm);
    } else if (usb) {
        act(*usb);
    } else if (net) {
        act(*net);
    }
}

}  // namespace

// ---- sending

void TfmMainSession::SendCommand(const LCmd& record, bool noCoalesce, bool framed) {
    ForFirstOpen(FCommLink.get(), FUsbLink.get(), FNetLink.get(), [&](auto& link) {
        link.QueueFrame(LCmd::EncodeFrame(record, framed ? FrameMode::Frame : FrameMode::Payload),
                        noCoalesce);
    });
}

void TfmMainSession::SendCmd(std::uint8_t code) {
    SendCommand(CM_MCS_CMD(static_cast<std::uint8_t>(FDeviceId), code), true, true);
}

void TfmMainSession::SendCmd(std::uint8_t code, std::uint8_t p1) {
    SendCommand(CM_MCS_CMD(static_cast<std::uint8_t>(FDeviceId), code, p1), true, true);
}

void TfmMainSession::SendCmd(std::uint8_t code, std::uint8_t p1, std::uint8_t p2) {
    SendCommand(CM_MCS_CMD(static_cast<std::uint8_t>(FDeviceId), code, p1, p2), true, true);
}

void TfmMainSession::SendCoalescable(std::uint8_t code) {
    SendCommand(CM_MCS_CMD(static_cast<std::uint8_t>(FDeviceId), code), false, true);
}

// ---- device ID and link settings

void TfmMainSession::SetDeviceId(int id) {
    if (id <= 0 || id >= 255) return;
    FDeviceId = id;
    if (lbShowIdNumber) lbShowIdNumber->SetCaption("ID : " + std::to_string(id));
    ForFirstOpen(FCommLink.get(), FUsbLink.get(), FNetLink.get(),
                 [&](auto& link) { link.SetDeviceId(id); });
}

void TfmMainSession::SetLinkTimeout(unsigned ms) {
    ForFirstOpen(FCommLink.get(), FUsbLink.get(), FNetLink.get(),
                 [&](auto& link) { link.SetWaitTimeout(ms); });
}

void TfmMainSession::SetLinkRetries(int count) {
    ForFirstOpen(FCommLink.get(), FUsbLink.get(), FNetLink.get(),
                 [&](auto& link) { link.SetMaxResends(count); });
}

void TfmMainSession::SetLinkPaused(bool paused) {
    ForFirstOpen(FCommLink.get(), FUsbLink.get(), FNetLink.get(),
                 [&](auto& link) { link.SetPaused(paused); });
}

std::string TfmMainSession::WideToAnsi(const std::string& text) { return Utf8ToGbk(text); }

// ---- generations

ILinkOwner* TfmMainSession::NewLinkOwner(TLinkSlot& slot) {
    const std::uint32_t generation = ++FLinkGeneration;
    slot.owner = std::make_unique<TGenerationLinkOwner>(Handle(), this, generation);
    slot.generation = generation;
    return slot.owner.get();
}

std::uint32_t TfmMainSession::OpenGeneration() const {
    if (FCommLink) return commSlot_.generation;
    if (FUsbLink) return usbSlot_.generation;
    if (FNetLink) return netSlot_.generation;
    return 0;
}

bool TfmMainSession::IsCurrentLink(std::intptr_t lParam) const {
    const auto generation =
        static_cast<std::uint32_t>(static_cast<std::uint64_t>(lParam) >> kGenerationShift);
    return generation != 0 && generation == OpenGeneration();
}

void TfmMainSession::PostNetLinkLost() {
    const std::uint32_t generation = netSlot_.generation;
    if (generation == 0) return;
    PostMessage(Handle(), WM_LINK_STATE, lsConnectionLost,
                TGenerationLinkOwner::LinkStateParam(generation, 0));
}

// ---- message dispatch

void TfmMainSession::Dispatch(TMessage& message) {
    if (message.Msg == WM_LINK_REPLY) {
        OnDeviceReply(message);
    } else if (message.Msg == WM_LINK_STATE) {
        OnLinkState(message);
    } else {
        TForm::Dispatch(message);
    }
}

void TfmMainSession::OnLinkState(TMessage& message) {
    // A code from a transport that is no longer the open one belongs to a link already closed.
    if (!IsCurrentLink(message.LParam)) return;
    const auto code = static_cast<int>(message.WParam);
    if ((code == lsReplyTimeout || code == lsConnectionLost) && FConnectPending) {
        // The candidate did not answer its connect command.
        CloseOpenTransport();
        if (fmNetwork) fmNetwork->ReportConnectResult(0);
    }
    if (FOnline) {
        Disconnect();
        if (fmNetwork) {
            fmNetwork->pbScan->SetPosition(0);
            fmNetwork->ReportLinkBroken();
            ShowScanDialog();
        }
    }
}

}  // namespace dsp

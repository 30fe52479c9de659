// Opening and closing the transports, and the device input and output of the USB and network
// links: the HID controller's and the client socket's handlers.

#include <algorithm>
#include <mutex>
#include <system_error>

#include "framework/controls/Label.h"
#include "framework/controls/Menus.h"
#include "framework/desktop/MessageBox.h"
#include "framework/os/ClientSocket.h"
#include "framework/runtime/Application.h"
#include "framework/runtime/Timer.h"
#include "framework/text/FileNames.h"
#include "link/Lcomm.h"
#include "link/Lnet.h"
#include "link/Lusb.h"
#include "link/forms/FNetWorkScan.h"
#include "link/hid/JvHidControllerClass.h"
#include "mainwindow/FMainSession.h"
#include "mainwindow/SessionRules.h"
#include "model/Constants.h"
#include "model/Lcmd.h"
#include "widgets/panels/RzBmpBtn.h"

namespace dsp {

namespace {

constexpr std::uint16_t kProcessorVendorId = 0x0168;
constexpr std::uint16_t kProcessorProductId = 0x0821;
constexpr std::size_t kSocketReadLimit = 100;

bool IsProcessor(TJvHidDevice* hidDev) {
    return hidDev != nullptr && hidDev->Attributes().VendorID == kProcessorVendorId &&
           hidDev->Attributes().ProductID == kProcessorProductId;
}

}  // namespace

// ---- closing

void TfmMainSession::CloseUsbLink() {
    if (!FUsbLink) return;
    FUsbLink->CloseLink();
    FUsbLink.reset();
    usbSlot_.generation = 0;
}

void TfmMainSession::CloseCommLink() {
    if (!FCommLink) return;
    FCommLink->CloseLink();
    FCommLink.reset();
    commSlot_.generation = 0;
}

void TfmMainSession::CloseNetLink() {
    if (!FNetLink) return;
    FNetLink->CloseLink();
    FNetLink.reset();
    netSlot_.generation = 0;
    netConnectDeferred_ = false;
}

void TfmMainSession::CloseTransportsForExit() {
    CloseCommLink();
    CloseUsbLink();
    CloseNetLink();
}

bool TfmMainSession::CloseOpenTransport() {
    if (FCommLink) {
        CloseCommLink();
    } else if (FUsbLink) {
        CloseUsbLink();
    } else if (FNetLink) {
        CloseNetLink();
    } else {
        return false;
    }
    return true;
}

// ---- connect routines

void TfmMainSession::BeginConnect(unsigned timeoutMs, int resends, bool sendNow) {
    SetLinkTimeout(timeoutMs);
    SetLinkRetries(resends);
    BeginPhase(TSessionPhase::Connecting);
    FConnectPending = true;
    if (sendNow) SendCmd(CommandCode::MCS_CONNECT);
}

void TfmMainSession::ConnectComm() {
    FOnline = false;
    ClearChainState();
    CloseCommLink();
    FCommLink = std::make_unique<LCommProc>(NewLinkOwner(commSlot_), FDeviceId);
    FCommLink->SetWriteLog([this](const std::uint8_t* b, std::size_t n) { LogCommWrite(b, n); });
    FCommLink->SetReadLog([this](const std::uint8_t* b, std::size_t n) { LogCommRead(b, n); });
    const int port = SerialPortNumber(FCommPortName);
    if (port > 0 && FCommLink->OpenLink(port, 115200, 8, 0, 0)) {
        BeginConnect(1000, 0, true);
        return;
    }
    // A port that cannot be opened (or named) is a candidate that failed: the scan goes on.
    CloseCommLink();
    if (fmNetwork) fmNetwork->ReportConnectResult(0);
}

void TfmMainSession::ConnectUsb() {
    FOnline = false;
    ClearChainState();
    CloseUsbLink();
    FUsbLink = std::make_unique<LUsbProc>(NewLinkOwner(usbSlot_), FDeviceId);
    FUsbLink->SetWriteRoutine(
        [this](const std::uint8_t* b, std::size_t n) { WriteHidReport(b, n); });
    if (FUsbLink->OpenLink()) {
        BeginConnect(100, 3, true);
        return;
    }
    CloseUsbLink();
    if (fmNetwork) fmNetwork->ReportConnectResult(0);
}

void TfmMainSession::ConnectNet() {
    FOnline = false;
    ClearChainState();
    CloseNetLink();
    netPartial_.clear();
    FNetLink = std::make_unique<LNetProc>(NewLinkOwner(netSlot_), FDeviceId);
    FNetLink->SetWriteRoutine([this](const std::uint8_t* b, std::size_t n) { WriteSocket(b, n); });
    // A socket that is neither connected nor connecting (refused, unreachable) cannot carry the
    // connect command: the candidate fails at once instead of at its watchdog.
    if (ClientSocket->Active() && FNetLink->OpenLink()) {
        // A frame written before the socket connects would be lost: the connect command then
        // waits for the socket's connect event.
        const bool connected = ClientSocket->Socket()->Connected();
        netConnectDeferred_ = !connected;
        BeginConnect(4000, 0, connected);
        return;
    }
    CloseNetLink();
    if (fmNetwork) fmNetwork->ReportConnectResult(0);
}

void TfmMainSession::Disconnect() {
    const bool connected = fmNetwork != nullptr && fmNetwork->IsConnected();
    if (connected) SendCmd(CommandCode::MCS_DISCONNECT);
    if (FCommLink) {
        CloseCommLink();
    } else if (FUsbLink) {
        CloseUsbLink();
    } else if (FNetLink) {
        CloseNetLink();
        ClientSocket->SetActive(false);
    }
    // No chain of the closed link may go on in the next one.
    ClearChainState();
    EndPhase();
    if (!connected) return;

    if (Application) SetCurrentDir(ExtractFilePath(Application->ExeName()));
    FOnline = false;
    HidCtl->DeviceChange();
    if (Connect) Connect->SetCaption(GetText("SID_CONNECT"));
    if (rzbMenuLink) rzbMenuLink->SetCaption(GetText("SID_OFFLINE"));
    SetCaption(std::string(TitleText) + " " + std::string(VersionText));
    if (lbShowIp) lbShowIp->SetCaption("Disconnected");
    if (rzbMenuLink) {
        rzbMenuLink->SetEnabled(true);
        rzbMenuLink->SetDown(false);
    }
    if (Connect) Connect->SetEnabled(true);
    FSessionOpen = false;
    SetEnabled(true);
    tmInLevelDet->SetEnabled(false);
    ResetLevels();
}

void TfmMainSession::DiscoverDevice() {
    if (FManualIp == 0) {
        ClientSocket->SetActive(true);
    } else {
        FDeviceIp = 0;
    }
}

// ---- USB

void TfmMainSession::WriteHidReport(const std::uint8_t* bytes, std::size_t count) {
    // Worker thread, under the USB link's lock (which the unplug handler takes to let go of the
    // device).
    TJvHidDevice* hidDev = FHidDevice.load();
    if (usbSlot_.generation == 0 || hidDev == nullptr || count == 0) return;
    const std::size_t length = hidDev->GetCaps().OutputReportByteLength;
    // A frame that does not fit one report is not written; the link's time-out notices.
    if (count + 1 > length) return;
    std::vector<std::uint8_t> report(length, 0);
    std::copy_n(bytes, count, report.begin() + 1);
    std::uint32_t written = 0;
    hidDev->WriteFile(report.data(), static_cast<std::uint32_t>(length), written);
    if (TrafficMonitorVisible()) {
        PostTrafficLine("USB W 00  " + HexBytes(bytes, FrameLengthIn(bytes, count)));
    }
}

void TfmMainSession::HidCtlDeviceChange(TObject*) { HidCtl->Enumerate(); }

bool TfmMainSession::HidCtlEnumerate(TJvHidDevice* hidDev, std::int32_t idx) {
    if (IsProcessor(hidDev) && HidCtl->CheckOutByIndex(hidDev, idx)) {
        FHidDevice = hidDev;
        if (lbStatus) lbStatus->SetCaption("Detect HID");
    }
    return true;
}

void TfmMainSession::HidCtlDeviceData(TJvHidDevice*, std::uint8_t reportId,
                                      const std::uint8_t* data, std::uint16_t size) {
    std::string line = "USB R " + HexByte(reportId) + "  ";
    // A report too short to hold a frame's length byte carries no frame.
    if (size > Frame::LengthIndex) {
        const std::size_t n = FrameLengthIn(data, size);
        line += HexBytes(data, n);
        if (FUsbLink) FUsbLink->PutReceived(data, n);
    } else {
        line += HexBytes(data, size);
    }
    if (FUsbLink && TrafficMonitorVisible()) PostTrafficLine(std::move(line));
}

void TfmMainSession::HidCtlDeviceDataError(TJvHidDevice*, std::uint32_t error) {
    MessageDlg("READ ERROR: " + std::system_category().message(static_cast<int>(error)),
               mtInformation, {mbOK}, 0);
}

void TfmMainSession::HidCtlDeviceUnplug(TJvHidDevice* hidDev) {
    if (!IsProcessor(hidDev)) return;
    if (hidDev == FHidDevice.load()) {
        if (FUsbLink) {
            // The USB worker writes through the device under this lock.
            std::lock_guard<TCriticalSection> guard(FUsbLink->Lock());
            FHidDevice = nullptr;
        } else {
            FHidDevice = nullptr;
        }
    }
    TJvHidDevice* device = hidDev;
    HidCtl->CheckIn(device);
    if (Visible() && lbStatus && lbStatus->Caption() == "Detect HID")
        lbStatus->SetCaption("OffLine");
    if (FUsbLink) tmLinkBroken->SetEnabled(true);
}

// ---- network

void TfmMainSession::WriteSocket(const std::uint8_t* bytes, std::size_t count) {
    // Worker thread, under the network link's lock (which the read handler takes to copy the
    // last frame).
    const std::size_t kept = std::min(count, FLastNetFrame.size());
    std::copy_n(bytes, kept, FLastNetFrame.begin());
    FLastNetFrameLength = static_cast<std::int8_t>(kept);
    ClientSocket->Socket()->SendBuf(bytes, static_cast<int>(count));
    if (TrafficMonitorVisible()) PostTrafficLine("NET W " + HexBytes(bytes, count));
}

void TfmMainSession::ClientSocketConnecting(TObject*, TCustomWinSocket*) {
    if (fmNetwork) fmNetwork->lblScan->SetCaption("Network Connecting");
}

void TfmMainSession::ClientSocketConnect(TObject*, TCustomWinSocket* socket) {
    if (fmNetwork) fmNetwork->lblScan->SetCaption("Connecting IP:" + socket->RemoteAddress());
    if (FNetLink && netConnectDeferred_) {
        netConnectDeferred_ = false;
        SendCmd(CommandCode::MCS_CONNECT);
    }
}

void TfmMainSession::ClientSocketDisconnect(TObject*, TCustomWinSocket*) { PostNetLinkLost(); }

void TfmMainSession::ClientSocketError(TObject*, TCustomWinSocket*, int, int& errorCode) {
    // No message: the link reports the loss instead (any thread).
    errorCode = 0;
    PostNetLinkLost();
}

void TfmMainSession::ClientSocketRead(TObject*, TCustomWinSocket* socket) {
    std::uint8_t buffer[kSocketReadLimit];
    const int r = socket->ReceiveBuf(buffer, static_cast<int>(sizeof buffer));
    if (r <= 0) return;
    const auto count = static_cast<std::size_t>(r);
    if (FNetLink && TrafficMonitorVisible()) {
        PostTrafficLine("NET R " + HexBytes(buffer, FrameLengthIn(buffer, count)));
    }
    if (!FNetLink) return;
    // A few bytes between frames are the processor's sign that it lost the last frame; a short
    // read inside a frame is only the frame's tail or head.
    const bool betweenFrames = netPartial_.empty();
    const bool startsFrame = count >= 2 && buffer[0] == Frame::DLE && buffer[1] == Frame::STX;
    TrackNetFrames(netPartial_, buffer, count);
    FNetLink->PutReceived(buffer, count);
    if (count > 5 || !betweenFrames || startsFrame) return;
    std::vector<std::uint8_t> last;
    {
        std::lock_guard<TCriticalSection> guard(FNetLink->Lock());
        last.assign(FLastNetFrame.begin(),
                    FLastNetFrame.begin() + std::max<int>(0, FLastNetFrameLength));
    }
    if (last.empty()) return;
    socket->SendBuf(last.data(), static_cast<int>(last.size()));
    if (TrafficMonitorVisible()) PostTrafficLine("NET RW " + HexBytes(last.data(), last.size()));
}

}  // namespace dsp

// Bodies still to come.
#include "framework/runtime/Timer.h"
#include "link/Lcomm.h"
#include "link/LinkOwner.h"
#include "link/Lnet.h"
#include "link/Lusb.h"
#include "mainwindow/FMainSession.h"

namespace dsp {

void TfmMainSession::SendCommand(const LCmd&, bool, bool) {}
void TfmMainSession::SetDeviceId(int) {}
void TfmMainSession::SetLinkTimeout(unsigned) {}
void TfmMainSession::SetLinkRetries(int) {}
void TfmMainSession::SetLinkPaused(bool) {}
std::string TfmMainSession::WideToAnsi(const std::u16string&) { return {}; }
void TfmMainSession::ConnectComm() {}
void TfmMainSession::ConnectUsb() {}
void TfmMainSession::ConnectNet() {}
void TfmMainSession::Disconnect() {}
void TfmMainSession::DiscoverDevice() {}
void TfmMainSession::WriteHidReport(const std::uint8_t*, std::size_t) {}
void TfmMainSession::WriteSocket(const std::uint8_t*, std::size_t) {}
void TfmMainSession::HidCtlDeviceChange(TObject*) {}
bool TfmMainSession::HidCtlEnumerate(TJvHidDevice*, std::int32_t) { return true; }
void TfmMainSession::HidCtlDeviceData(TJvHidDevice*, std::uint8_t, const std::uint8_t*,
                                      std::uint16_t) {}
void TfmMainSession::HidCtlDeviceDataError(TJvHidDevice*, std::uint32_t) {}
void TfmMainSession::HidCtlDeviceUnplug(TJvHidDevice*) {}
void TfmMainSession::ClientSocketConnecting(TObject*, TCustomWinSocket*) {}
void TfmMainSession::ClientSocketConnect(TObject*, TCustomWinSocket*) {}
void TfmMainSession::ClientSocketDisconnect(TObject*, TCustomWinSocket*) {}
void TfmMainSession::ClientSocketRead(TObject*, TCustomWinSocket*) {}
void TfmMainSession::ClientSocketError(TObject*, TCustomWinSocket*, int, int& errorCode) {
    errorCode = 0;
}
void TfmMainSession::LogCommWrite(const std::uint8_t*, std::size_t) {}
void TfmMainSession::LogCommRead(const std::uint8_t*, std::size_t) {}
void TfmMainSession::OnDeviceReply(TMessage&) {}
void TfmMainSession::OnLinkState(TMessage&) {}
void TfmMainSession::OnConnectReply() {}
void TfmMainSession::OnIdentityReply(std::span<const std::uint8_t>) {}
void TfmMainSession::OnStatusReply(std::span<const std::uint8_t>) {}
void TfmMainSession::OnPresetMapReply(std::span<const std::uint8_t>) {}
void TfmMainSession::OnCurrentPresetReply(std::uint8_t) {}
void TfmMainSession::OnPresetNameReply(std::span<const std::uint8_t>) {}
void TfmMainSession::ReadDeviceBlocks(std::span<const std::uint8_t>) {}
void TfmMainSession::ShowLevels(std::span<const std::uint8_t>) {}
void TfmMainSession::ResetLevels() {}
void TfmMainSession::EnableLinkButton() {}
void TfmMainSession::ShowNetworkSetup() {}
void TfmMainSession::rzbMenuLinkClick(TObject*) {}
void TfmMainSession::ConnectedClick(TObject*) {}
void TfmMainSession::MemoShowClick(TObject*) {}
void TfmMainSession::HidDataClick(TObject*) {}
void TfmMainSession::ConnectHelpClick(TObject*) {}
void TfmMainSession::SettingIDClick(TObject*) {}
void TfmMainSession::Dispatch(TMessage& message) { TForm::Dispatch(message); }
void TfmMainSession::tmStartConnectTimer(TObject*) {}
void TfmMainSession::tmDisconnectTimer(TObject*) {}
void TfmMainSession::tmLinkBrokenTimer(TObject*) {}
void TfmMainSession::tmComScanTimer(TObject*) {}
void TfmMainSession::tmProcessShowTimer(TObject*) {}
void TfmMainSession::tmInLevelDetTimer(TObject*) {}
void TfmMainSession::tmUnlockShowTimer(TObject*) {}
void TfmMainSession::SendCmd(std::uint8_t, bool) {}
void TfmMainSession::SendCmd(std::uint8_t, std::uint8_t, bool) {}
void TfmMainSession::SendCmd(std::uint8_t, std::uint8_t, std::uint8_t, bool) {}
void TfmMainSession::BeginPhase(TSessionPhase) {}
void TfmMainSession::EndPhase() {}
void TfmMainSession::ClearChainState() {}
void TfmMainSession::StartProgress(const std::string&, int) {}
void TfmMainSession::SetProgressPosition(int) {}
void TfmMainSession::EndProgress() {}
void TfmMainSession::PostTrafficLine(std::string) {}
bool TfmMainSession::TrafficMonitorVisible() const { return false; }
bool TfmMainSession::IsCurrentLink(std::intptr_t) const { return false; }
std::unique_ptr<ILinkOwner> TfmMainSession::NewLinkOwner() { return nullptr; }
void TfmMainSession::CloseOpenTransport() {}
void TfmMainSession::DropTransports() {}
void TfmMainSession::BindLevelMeters() {}

}  // namespace dsp

#include "mainwindow/FMainSession.h"

#include <string>
#include <type_traits>

#include "framework/controls/FormBuilder.h"
#include "framework/controls/Label.h"
#include "framework/controls/Menus.h"
#include "framework/core/Exceptions.h"
#include "framework/desktop/FileDialogs.h"
#include "framework/os/ClientSocket.h"
#include "framework/runtime/Timer.h"
#include "link/Lcomm.h"
#include "link/LinkOwner.h"
#include "link/Lnet.h"
#include "link/Lusb.h"
#include "link/hid/JvHidControllerClass.h"
#include "mainwindow/LanguageTexts.h"
#include "model/Constants.h"
#include "model/Lunitcontrol.h"
#include "widgets/panels/RzBmpBtn.h"

namespace dsp {

namespace {

TTimer* NewTimer(TFormBuilder& build, const std::string& name, unsigned interval) {
    auto* timer = build.Create<TTimer>(name);
    timer->SetEnabled(false);
    timer->SetInterval(interval);
    return timer;
}

// A file dialog of the session; the save dialogs ask before they overwrite.
template <typename Dialog>
Dialog* FileDialog(TFormBuilder& build, const std::string& name, const std::string& filter,
                   const std::string& extension) {
    auto* dialog = build.Create<Dialog>(name);
    dialog->SetFilter(filter);
    dialog->SetDefaultExt(extension);
    if (std::is_same_v<Dialog, TSaveDialog>)
        dialog->SetOptions(dialog->Options().Include(ofOverwritePrompt));
    return dialog;
}

}  // namespace

TfmMainSession::TfmMainSession(TComponent* owner) : TForm(owner) {
    FUnitControl = std::make_unique<LUnitControl>(*this);
    CreateSessionComponents();
    SetSessionWindow(this);
}

TfmMainSession::~TfmMainSession() {
    if (SessionWindow() == this) SetSessionWindow(nullptr);
    // Nothing is sent: the transports close in the main window's order, then the components
    // whose handlers reach this object go before the rest of it.
    CloseTransportsForExit();
    delete ClientSocket;
    ClientSocket = nullptr;
    delete HidCtl;
    HidCtl = nullptr;
    FHidDevice = nullptr;
}

void TfmMainSession::CreateSessionComponents() {
    TFormBuilder build(*this);
    tmStartConnect = NewTimer(build, "tmStartConnect", 300);
    tmDisconnect = NewTimer(build, "tmDisconnect", 300);
    tmUpload = NewTimer(build, "tmUpload", 300);
    tmInLevelDet = NewTimer(build, "tmInLevelDet", 300);
    tmLinkBroken = NewTimer(build, "tmLinkBroken", 300);
    tmProcessShow = NewTimer(build, "tmProcessShow", 100);
    tmComScan = NewTimer(build, "tmComScan", 1);
    tmUnlockShow = NewTimer(build, "tmUnlockShow", 1000);

    HidCtl = build.Create<TJvHidDeviceController>("HidCtl");
    ClientSocket = build.Create<TClientSocket>("ClientSocket");
    ClientSocket->SetPort(9761);
    ClientSocket->SetAddress(std::string(DefaultAddressText));

    odOpenPreset =
        FileDialog<TOpenDialog>(build, "odOpenPreset", "Preset files (*.prs)|*.prs", "prs");
    sdSavePreset =
        FileDialog<TSaveDialog>(build, "sdSavePreset", "Preset files (*.prs)|*.prs", "prs");
    odOpenUnit = FileDialog<TOpenDialog>(build, "odOpenUnit", "Unit files (*.unt)|*.unt", "unt");
    sdSaveUnit = FileDialog<TSaveDialog>(build, "sdSaveUnit", "Unit files (*.unt)|*.unt", "unt");

    // Handlers, as the form resource wires them (the components are still loading, so the HID
    // controller does not enumerate yet: its first enumeration comes once the loop runs).
    auto on = [this](void (TfmMainSession::*method)(TObject*)) {
        return [this, method](TObject* sender) { (this->*method)(sender); };
    };
    tmStartConnect->SetOnTimer(on(&TfmMainSession::tmStartConnectTimer));
    tmDisconnect->SetOnTimer(on(&TfmMainSession::tmDisconnectTimer));
    tmUpload->SetOnTimer(on(&TfmMainSession::tmUploadTimer));
    tmInLevelDet->SetOnTimer(on(&TfmMainSession::tmInLevelDetTimer));
    tmLinkBroken->SetOnTimer(on(&TfmMainSession::tmLinkBrokenTimer));
    tmProcessShow->SetOnTimer(on(&TfmMainSession::tmProcessShowTimer));
    tmComScan->SetOnTimer(on(&TfmMainSession::tmComScanTimer));
    tmUnlockShow->SetOnTimer(on(&TfmMainSession::tmUnlockShowTimer));

    HidCtl->SetOnEnumerate(TJvHidEnumerateEvent(this, &TfmMainSession::HidCtlEnumerate));
    HidCtl->SetDevData(TJvHidDataEvent(this, &TfmMainSession::HidCtlDeviceData));
    HidCtl->SetDevDataError(TJvHidDataErrorEvent(this, &TfmMainSession::HidCtlDeviceDataError));
    HidCtl->SetDevUnplug(TJvHidPlugEvent(this, &TfmMainSession::HidCtlDeviceUnplug));
    HidCtl->SetDeviceChangeEvent(TJvHidNotifyEvent(this, &TfmMainSession::HidCtlDeviceChange));

    ClientSocket->SetOnConnecting(
        [this](TObject* s, TCustomWinSocket* k) { ClientSocketConnecting(s, k); });
    ClientSocket->SetOnConnect(
        [this](TObject* s, TCustomWinSocket* k) { ClientSocketConnect(s, k); });
    ClientSocket->SetOnDisconnect(
        [this](TObject* s, TCustomWinSocket* k) { ClientSocketDisconnect(s, k); });
    ClientSocket->SetOnRead([this](TObject* s, TCustomWinSocket* k) { ClientSocketRead(s, k); });
    ClientSocket->SetOnError([this](TObject* s, TCustomWinSocket* k, TErrorEvent e, int& code) {
        ClientSocketError(s, k, static_cast<int>(e), code);
    });
    build.Finish();
}

void TfmMainSession::BindSessionComponents() {
    lbStatus = RequiredComponent<TLabel>("lbStatus");
    lbShowIdNumber = RequiredComponent<TLabel>("lbShowIdNumber");
    lbShowIp = RequiredComponent<TLabel>("lbShowIp");
    lbPstNum = RequiredComponent<TLabel>("lbPstNum");
    lbPstName = RequiredComponent<TLabel>("lbPstName");
    rzbMenuLink = RequiredComponent<TRzBmpButton>("rzbMenuLink");
    bStore = RequiredComponent<TRzBmpButton>("bStore");
    bRecall = RequiredComponent<TRzBmpButton>("bRecall");

    Open = RequiredComponent<TMenuItem>("Open");
    Save = RequiredComponent<TMenuItem>("Save");
    Upload = RequiredComponent<TMenuItem>("Upload");
    Download = RequiredComponent<TMenuItem>("Download");
    FactoryDefault = RequiredComponent<TMenuItem>("FactoryDefault");
    Exit = RequiredComponent<TMenuItem>("Exit");
    Connect = RequiredComponent<TMenuItem>("Connect");
    Connected = RequiredComponent<TMenuItem>("Connected");
    ConnectHelp = RequiredComponent<TMenuItem>("ConnectHelp");
    Lock = RequiredComponent<TMenuItem>("Lock");
    LockSetup = RequiredComponent<TMenuItem>("LockSetup");
    SettingID = RequiredComponent<TMenuItem>("SettingID");
    NetworkSetup = RequiredComponent<TMenuItem>("NetworkSetup");
    TestTone = RequiredComponent<TMenuItem>("TestTone");
    ChNameList = RequiredComponent<TMenuItem>("ChNameList");
    Rs232Code = RequiredComponent<TMenuItem>("Rs232Code");
    About = RequiredComponent<TMenuItem>("About");
    MemoShow = RequiredComponent<TMenuItem>("MemoShow");
    HidData = RequiredComponent<TMenuItem>("HidData");

    BindLevelMeters();

    auto on = [this](void (TfmMainSession::*method)(TObject*)) {
        return [this, method](TObject* sender) { (this->*method)(sender); };
    };
    rzbMenuLink->OnClick = on(&TfmMainSession::rzbMenuLinkClick);
    Connected->OnClick = on(&TfmMainSession::ConnectedClick);
    ConnectHelp->OnClick = on(&TfmMainSession::ConnectHelpClick);
    SettingID->OnClick = on(&TfmMainSession::SettingIDClick);
    MemoShow->OnClick = on(&TfmMainSession::MemoShowClick);
    HidData->OnClick = on(&TfmMainSession::HidDataClick);
    About->OnClick = on(&TfmMainSession::AboutClick);
    Rs232Code->OnClick = on(&TfmMainSession::Rs232CodeClick);
    TestTone->OnClick = on(&TfmMainSession::TestToneClick);
    Exit->OnClick = on(&TfmMainSession::ExitClick);
    LockSetup->OnClick = on(&TfmMainSession::LockSetupClick);
    bound_ = true;
}

// ---- language texts

std::string TfmMainSession::GetText(const std::string& key) const {
    return LookUpText(FLanguage, key);
}

// ---- model host

void TfmMainSession::MarkCurveDirty(int) {}
void TfmMainSession::SetRecallPresetName(int, const std::string&) {}
void TfmMainSession::SetStorePresetName(int, const std::string&) {}

std::optional<std::string> TfmMainSession::ExecuteSaveUnitDialog() {
    if (!sdSaveUnit->Execute(Handle())) return std::nullopt;
    return sdSaveUnit->FileName();
}

// ---- hooks

void TfmMainSession::ApplyUnitImage() {}
void TfmMainSession::ClearBandSelection() {}
void TfmMainSession::RepaintChannelViews() {}
void TfmMainSession::ShowUnlockDialog() {}
void TfmMainSession::SetLockCheckResult(int) {}
void TfmMainSession::OnPresetBlockReply(std::span<const std::uint8_t>) {}
void TfmMainSession::RequestPresetSlot(int) {}
void TfmMainSession::OnDownloadAck(std::span<const std::uint8_t>) {}
void TfmMainSession::DownloadNextSlot(int) {}
void TfmMainSession::tmUploadTimer(TObject*) { tmUpload->SetEnabled(false); }
void TfmMainSession::AboutClick(TObject*) {}
void TfmMainSession::Rs232CodeClick(TObject*) {}
void TfmMainSession::TestToneClick(TObject*) {}
void TfmMainSession::ExitClick(TObject*) {}
void TfmMainSession::LockSetupClick(TObject*) {}

}  // namespace dsp

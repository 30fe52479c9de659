#include "link/forms/FNetWorkScan.h"

#include <algorithm>

#include "framework/controls/ComboBox.h"
#include "framework/controls/FormBuilder.h"
#include "framework/controls/Image.h"
#include "framework/controls/Label.h"
#include "framework/controls/ProgressBar.h"
#include "framework/controls/TopLevelWindow.h"
#include "framework/os/SerialPortList.h"
#include "framework/runtime/Timer.h"
#include "link/forms/FProcess.h"
#include "link/forms/SessionForms.h"
#include "link/forms/SessionWindow.h"
#include "widgets/panels/RzBmpBtn.h"

namespace dsp {

TfmNetwork* fmNetwork = nullptr;

namespace {

constexpr unsigned kUsbWatchDogMs = 6000;
constexpr unsigned kNetWatchDogMs = 2000;
constexpr unsigned kComWatchDogMs = 10000;
constexpr int kNoPortNumber = 1000;  // sorts after every COM port (1 to 98)

}  // namespace

TfmNetwork::TfmNetwork(TComponent* owner) : TForm(owner) {
    SetBorderStyle(bsDialog);
    SetBorderIcons({});
    SetPosition(poScreenCenter);
    SetClientSize(359, 150);

    TFormBuilder build(*this);
    imBase = build.Add<TImage>("imBase", this, 0, 0, 359, 150);
    LoadPicture(*imBase, "SCAN_BACKGROUND");
    lblScan = build.Add<TLabel>("lblScan", this, 18, 30, 240, 16);
    StyleDialogText(*lblScan, true);
    lblDeviceID = build.Add<TLabel>("lblDeviceID", this, 261, 30, 80, 16);
    StyleDialogText(*lblDeviceID, false);
    lblDeviceID->SetAutoSize(false);
    lblDeviceID->SetAlignment(taRightJustify);
    cbCOM = build.Add<TComboBox>("cbCOM", this, 18, 80, 100, 21);
    cbCOM->SetVisible(false);
    pbScan = build.Add<TProgressBar>("pbScan", this, 18, 52, 323, 14);
    pbScan->SetSmooth(true);
    pbScan->SetBarColor(static_cast<TColor>(RGB(92, 170, 240)));
    pbScan->SetBackgroundColor(static_cast<TColor>(RGB(14, 28, 64)));
    btnOK = build.Add<TRzBmpButton>("btnOK", this, 18, 106, 96, 28);
    btnId = build.Add<TRzBmpButton>("btnId", this, 131, 106, 96, 28);
    btnExit = build.Add<TRzBmpButton>("btnExit", this, 245, 106, 96, 28);
    for (TRzBmpButton* b : {btnOK, btnId, btnExit}) StyleDialogButton(*b);

    auto timer = [&](const std::string& name, unsigned interval) {
        auto* t = build.Create<TTimer>(name);
        t->SetEnabled(false);
        t->SetInterval(interval);
        return t;
    };
    tmConnect = timer("tmConnect", 100);
    tmLinkBroken = timer("tmLinkBroken", 100);
    tmRunUsbConnect = timer("tmRunUsbConnect", 100);
    tmRunNetConnect = timer("tmRunNetConnect", 100);
    tmRunComConnect = timer("tmRunComConnect", 100);
    tmWatchDog = timer("tmWatchDog", kComWatchDogMs);

    auto on = [this](void (TfmNetwork::*method)(TObject*)) {
        return [this, method](TObject* sender) { (this->*method)(sender); };
    };
    build.Handle(OnShow, on(&TfmNetwork::FormShow));
    build.Handle(btnOK->OnClick, on(&TfmNetwork::btnOKClick));
    build.Handle(btnId->OnClick, on(&TfmNetwork::btnIdClick));
    build.Handle(btnExit->OnClick, on(&TfmNetwork::btnExitClick));
    build.Finish();
    tmConnect->SetOnTimer(on(&TfmNetwork::tmConnectTimer));
    tmLinkBroken->SetOnTimer(on(&TfmNetwork::tmLinkBrokenTimer));
    tmRunUsbConnect->SetOnTimer(on(&TfmNetwork::tmRunUsbConnectTimer));
    tmRunNetConnect->SetOnTimer(on(&TfmNetwork::tmRunNetConnectTimer));
    tmRunComConnect->SetOnTimer(on(&TfmNetwork::tmRunComConnectTimer));
    tmWatchDog->SetOnTimer(on(&TfmNetwork::tmWatchDogTimer));
    SetStayOnTop(*this, true);
}

TfmNetwork::~TfmNetwork() {
    if (fmNetwork == this) fmNetwork = nullptr;
}

std::string TfmNetwork::Text(const std::string& key) const {
    ISessionWindow* window = SessionWindow();
    return window ? window->GetText(key) : std::string();
}

int TfmNetwork::CandidateTotal() const { return cbCOM->Items()->Count() + FUsbNetCandidates; }

// ---- operations

void TfmNetwork::ReportConnectResult(int v) {
    FConnected = v;
    // The candidate is over: its watchdog must not end the next one early.
    tmWatchDog->SetEnabled(false);
    tmConnect->SetEnabled(true);
}

void TfmNetwork::ReportLinkBroken() {
    FConnected = 0;
    // The scan ends here: nothing of it may go on behind the buttons.
    for (TTimer* t : {tmWatchDog, tmConnect, tmRunUsbConnect, tmRunNetConnect, tmRunComConnect})
        t->SetEnabled(false);
    tmLinkBroken->SetEnabled(true);
    if (fmProcess) fmProcess->CloseProgress();
}

void TfmNetwork::StartScan() {
    FUsbNetCandidates = 0;
    SetButtonsEnabled(false);
    ScanLinks();
}

// ---- scanning

int TfmNetwork::PortNumber(const std::string& name) {
    // Characters 4 and 5: one or two digits after the three letters.
    if (name.size() < 4) return kNoPortNumber;
    int number = 0;
    std::size_t i = 3;
    for (; i < name.size() && i < 5; ++i) {
        if (name[i] < '0' || name[i] > '9') break;
        number = number * 10 + (name[i] - '0');
    }
    if (i == 3 || i < std::min<std::size_t>(name.size(), 5)) return kNoPortNumber;
    return number;
}

std::vector<std::string> TfmNetwork::SortPorts(const std::vector<std::string>& names) {
    std::vector<std::string> sorted = names;
    std::stable_sort(sorted.begin(), sorted.end(), [](const std::string& a, const std::string& b) {
        return PortNumber(a) < PortNumber(b);
    });
    return sorted;
}

void TfmNetwork::ScanLinks() {
    cbCOM->Items()->Clear();
    std::vector<std::string> names;
    for (const SerialPortEntry& entry : ListSerialPorts()) names.push_back(entry.name);
    for (const std::string& name : SortPorts(names)) cbCOM->Items()->Add(name);
    if (cbCOM->Items()->Count() > 0) cbCOM->SetItemIndex(0);

    ISessionWindow* window = SessionWindow();
    if (window && (window->HasHidDevice() || window->HasDeviceIp())) FUsbNetCandidates = 1;

    const int total = CandidateTotal();
    if (total == 0) {
        pbScan->SetMax(0);
        pbScan->SetPosition(pbScan->Max());
        lblScan->SetCaption(Text("SID_NO_DEVICE"));
        lblDeviceID->SetCaption("");
        tmConnect->SetEnabled(true);
        return;
    }
    FCandidate = 1;
    lblDeviceID->SetCaption("1/" + std::to_string(total));
    pbScan->SetMax(total);
    pbScan->SetPosition(1);
    if (FUsbNetCandidates == 1 && window->HasHidDevice()) {
        lblScan->SetCaption(Text("SID_SCAN_USB"));
        ArmWatchDog(kUsbWatchDogMs);
        tmRunUsbConnect->SetEnabled(true);
    } else if (FUsbNetCandidates == 1) {
        lblScan->SetCaption(Text("SID_SCAN_NET"));
        ArmWatchDog(kNetWatchDogMs);
        tmRunNetConnect->SetEnabled(true);
    } else {
        const std::string port = cbCOM->Items()->Strings(0);
        lblScan->SetCaption(Text("SID_SCAN") + port + " ......");
        if (window) window->SetCommPortName(port);
        ArmWatchDog(kComWatchDogMs);
        tmRunComConnect->SetEnabled(true);
    }
}

void TfmNetwork::ArmWatchDog(unsigned ms) {
    // Off first: a timer that is already running would otherwise keep its old count.
    tmWatchDog->SetEnabled(false);
    tmWatchDog->SetInterval(ms);
    tmWatchDog->SetEnabled(true);
}

void TfmNetwork::SetButtonsEnabled(bool enabled) {
    for (TRzBmpButton* b : {btnOK, btnId, btnExit}) b->SetEnabled(enabled);
}

// ---- handlers

void TfmNetwork::FormShow(TObject*) {
    SetCaption(Text("SID_CONNECT"));
    btnOK->SetCaption(Text("SID_START_SCAN"));
    btnExit->SetCaption(Text("SID_DEMO"));
    btnId->SetCaption(Text("SID_SET"));
}

void TfmNetwork::btnOKClick(TObject*) {
    if (ISessionWindow* window = SessionWindow()) window->DiscoverDevice();
    StartScan();
}

void TfmNetwork::btnIdClick(TObject*) {
    if (ISessionWindow* window = SessionWindow()) window->ShowNetworkSetup();
}

void TfmNetwork::btnExitClick(TObject*) {
    if (ISessionWindow* window = SessionWindow()) window->EnableLinkButton();
    Close();
}

void TfmNetwork::tmRunUsbConnectTimer(TObject*) {
    tmRunUsbConnect->SetEnabled(false);
    if (ISessionWindow* window = SessionWindow()) window->ConnectUsb();
}

void TfmNetwork::tmRunNetConnectTimer(TObject*) {
    tmRunNetConnect->SetEnabled(false);
    if (ISessionWindow* window = SessionWindow()) window->ConnectNet();
}

void TfmNetwork::tmRunComConnectTimer(TObject*) {
    tmRunComConnect->SetEnabled(false);
    if (ISessionWindow* window = SessionWindow()) window->ConnectComm();
}

void TfmNetwork::tmWatchDogTimer(TObject*) {
    tmWatchDog->SetEnabled(false);
    tmConnect->SetEnabled(true);
}

void TfmNetwork::tmConnectTimer(TObject*) {
    tmConnect->SetEnabled(false);
    if (FConnected == 1) {
        tmWatchDog->SetEnabled(false);
        if (Visible()) Close();
        return;
    }
    ISessionWindow* window = SessionWindow();
    if (window) window->Disconnect();
    const int total = CandidateTotal();
    if (FCandidate >= total) {
        tmWatchDog->SetEnabled(false);
        SetButtonsEnabled(true);
        pbScan->SetPosition(pbScan->Max());
        lblScan->SetCaption(Text("SID_NO_DEVICE"));
        lblDeviceID->SetCaption("");
        return;
    }
    ++FCandidate;
    pbScan->SetPosition(FCandidate);
    lblDeviceID->SetCaption(std::to_string(FCandidate) + "/" + std::to_string(total));
    const std::string port = cbCOM->Items()->Strings(FCandidate - FUsbNetCandidates - 1);
    lblScan->SetCaption(Text("SID_SCAN") + port + " ......");
    if (window) window->SetCommPortName(port);
    ArmWatchDog(kComWatchDogMs);
    tmRunComConnect->SetEnabled(true);
}

void TfmNetwork::tmLinkBrokenTimer(TObject*) {
    tmLinkBroken->SetEnabled(false);
    SetButtonsEnabled(true);
    lblScan->SetCaption(Text("SID_LINK_BROKEN"));
    lblDeviceID->SetCaption("");
}

}  // namespace dsp

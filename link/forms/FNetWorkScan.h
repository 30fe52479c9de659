#pragma once
// TfmNetwork: the connect and scan dialog. It lists the candidates (the processor's USB device if
// present, else the network address, then every serial port, sorted by number), tries them one
// after the other through the main window's connect routines with a watchdog per candidate,
// shows which one it tries, and closes as soon as one answers. When none answers it offers a new
// scan, the network setup and demonstration mode. It reaches the main window through
// SessionWindow() (link/forms/SessionWindow.h).

#include <string>
#include <vector>

#include "framework/controls/Form.h"

namespace dsp {

class TComboBox;
class TImage;
class TLabel;
class TProgressBar;
class TRzBmpButton;
class TTimer;

class TfmNetwork : public TForm {
public:
    explicit TfmNetwork(TComponent* owner);
    ~TfmNetwork() override;

    // A candidate's outcome: 1 it answered (identity reply), 0 it failed; the dialog moves on
    // 100 ms later.
    void ReportConnectResult(int v);
    // The link broke: no candidate connected; the buttons come back with "Link Broken" 100 ms
    // later, and the progress window closes.
    void ReportLinkBroken();
    bool IsConnected() const { return FConnected != 0; }
    // A new scan: buttons disabled, candidates listed, the first one tried.
    void StartScan();

    // Event handlers.
    void FormShow(TObject* sender);
    void btnOKClick(TObject* sender);
    void btnIdClick(TObject* sender);
    void btnExitClick(TObject* sender);
    void tmConnectTimer(TObject* sender);
    void tmWatchDogTimer(TObject* sender);
    void tmLinkBrokenTimer(TObject* sender);
    void tmRunUsbConnectTimer(TObject* sender);
    void tmRunNetConnectTimer(TObject* sender);
    void tmRunComConnectTimer(TObject* sender);

    // The number a serial port name sorts by: characters 4 and 5 ("COM3" 3, "COM12" 12); names
    // without a number there sort after every numbered port.
    static int PortNumber(const std::string& name);
    // The serial ports in scan order: by number, ports of equal number in listing order.
    static std::vector<std::string> SortPorts(const std::vector<std::string>& names);

    // Components.
    TImage* imBase = nullptr;
    TLabel* lblScan = nullptr;
    TLabel* lblDeviceID = nullptr;
    TComboBox* cbCOM = nullptr;
    TProgressBar* pbScan = nullptr;
    TRzBmpButton* btnOK = nullptr;
    TRzBmpButton* btnId = nullptr;
    TRzBmpButton* btnExit = nullptr;
    TTimer* tmConnect = nullptr;
    TTimer* tmLinkBroken = nullptr;
    TTimer* tmRunUsbConnect = nullptr;
    TTimer* tmRunNetConnect = nullptr;
    TTimer* tmRunComConnect = nullptr;
    TTimer* tmWatchDog = nullptr;

    // State, for tests.
    int Candidate() const { return FCandidate; }
    int CandidateTotal() const;

private:
    void ScanLinks();
    // Arms the watchdog afresh for the candidate now tried.
    void ArmWatchDog(unsigned ms);
    void SetButtonsEnabled(bool enabled);
    std::string Text(const std::string& key) const;

    int FConnected = 0;
    int FCandidate = 0;
    int FUsbNetCandidates = 0;
};

extern TfmNetwork* fmNetwork;

}  // namespace dsp

#pragma once
// TfmMainSession: the main window's link session. It holds every field, timer and non-visual
// component of the session and the visible components the session writes to, and runs the
// session: sending (SendCommand), the three transports and their device input and output, the
// traffic monitor's lines, reply handling and the acknowledgement chains, connect, identity,
// status and read-back, level polling, the scan dialog's main-window side and the progress
// window. TfmMain derives from it and adds the shell and the channel-strip editing; calls from
// the session into those are virtual hooks with neutral defaults.
//
// A derived form supplies the visible components: it creates them, named as listed in
// BindSessionComponents, then calls BindSessionComponents once, before its OnCreate runs. The
// session creates its own timers, the HID controller, the client socket and the file dialogs
// in its constructor.
//
// The session dialogs (scan, progress, traffic monitor, memo, information) are reached through
// their globals (fmNetwork, fmProcess, fmHidData, fmMemo, fmInformation), each of which may be
// null while it does not exist yet.
//
// Everything here runs on the UI thread except WriteHidReport, WriteSocket and LogCommWrite/
// LogCommRead, which the transports' worker threads call.

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "framework/controls/Form.h"
#include "framework/core/Exceptions.h"
#include "framework/runtime/MessageWindow.h"
#include "link/forms/SessionWindow.h"
#include "model/UnitControlHost.h"
#include "model/UnitFiles.h"

namespace dsp {

class LCmd;
class LUnitControl;
class LUsbProc;
class LCommProc;
class LNetProc;
class ILinkOwner;
class TJvHidDevice;
class TJvHidDeviceController;
class TClientSocket;
class TCustomWinSocket;
class TOpenDialog;
class TSaveDialog;
class TTimer;
class TLabel;
class TMenuItem;
class TRzBmpButton;
class TUpDown;
class LProgressBar;

// Where the session is: each reply acts only in the phase that expects it, so a reply that
// comes outside its exchange (late, repeated or unasked) changes nothing.
enum class TSessionPhase {
    Idle,        // no exchange of the session running (offline, or online and polling)
    Connecting,  // connect command sent, waiting for its reply
    Identity,    // identity requested
    Status,      // status (lock) requested
    Unlock,      // the processor is locked: waiting for the password
    ReadBack,    // preset map, current preset, names and settings blocks
    Store,       // preset name and store commands
    Recall,      // preset recall and its settings read-back
    Factory,     // factory reset, then the full read-back
    Relink,      // copy or link commit, then the full read-back
    Upload,      // reading the processor's presets into a unit file
    Download,    // writing a unit file into the processor
};

class TfmMainSession : public TForm, public IUnitControlHost, public ISessionWindow {
public:
    explicit TfmMainSession(TComponent* owner);
    ~TfmMainSession() override;

    // Looks up, by name, every visible component the session touches (the list is in the
    // implementation and in docs/mainwindow.md): the labels lbStatus, lbShowIdNumber, lbShowIp,
    // lbPstNum, lbPstName; the buttons rzbMenuLink, bStore, bRecall; the menu items Open, Save,
    // Upload, Download, FactoryDefault, Exit, Connect, Connected, ConnectHelp, Lock, LockSetup,
    // SettingID, NetworkSetup, TestTone, ChNameList, Rs232Code, About, MemoShow, HidData; the 48
    // level meters and the six udCompRatioOut1..6. A name that is missing or names a component
    // of another class raises EComponentError: the form is incomplete. Also wires the session's
    // handlers to the buttons and menu items it owns (rzbMenuLink, Connected, ConnectHelp,
    // SettingID, MemoShow, HidData, About, Rs232Code, TestTone, Exit, LockSetup).
    void BindSessionComponents();

    // The component of this form named name, of class T; EComponentError when there is none or
    // it is of another class (the form is incomplete).
    template <typename T>
    T* RequiredComponent(const std::string& name) const {
        TComponent* found = FindComponent(name);
        T* typed = dynamic_cast<T*>(found);
        if (typed == nullptr) {
            throw EComponentError(found == nullptr
                                      ? "the main window has no component " + name
                                      : "the main window's " + name + " is of another class");
        }
        return typed;
    }

    // ---- send dispatch and link settings
    void SendCommand(const LCmd& record, bool noCoalesce, bool framed) override;
    int GetDeviceId() const override { return FDeviceId; }
    // 1..254; anything else is ignored.
    void SetDeviceId(int id);
    void SetLinkTimeout(unsigned ms);
    void SetLinkRetries(int count);
    void SetLinkPaused(bool paused);
    bool IsOnline() const { return FOnline; }
    // Program text (UTF-8, the program's wide text) as 8-bit text in the processor's code page
    // (GBK), for file names and names typed for the processor.
    static std::string WideToAnsi(const std::string& text);

    // ---- transports
    void ConnectComm() override;
    void ConnectUsb() override;
    void ConnectNet() override;
    void Disconnect() override;
    void DiscoverDevice() override;
    // The write routines of the USB and network links (worker threads).
    void WriteHidReport(const std::uint8_t* bytes, std::size_t count);
    void WriteSocket(const std::uint8_t* bytes, std::size_t count);

    // HID controller handlers.
    void HidCtlDeviceChange(TObject* sender);
    bool HidCtlEnumerate(TJvHidDevice* hidDev, std::int32_t idx);
    void HidCtlDeviceData(TJvHidDevice* hidDev, std::uint8_t reportId, const std::uint8_t* data,
                          std::uint16_t size);
    void HidCtlDeviceDataError(TJvHidDevice* hidDev, std::uint32_t error);
    void HidCtlDeviceUnplug(TJvHidDevice* hidDev);

    // Client socket handlers.
    void ClientSocketConnecting(TObject* sender, TCustomWinSocket* socket);
    void ClientSocketConnect(TObject* sender, TCustomWinSocket* socket);
    void ClientSocketDisconnect(TObject* sender, TCustomWinSocket* socket);
    void ClientSocketRead(TObject* sender, TCustomWinSocket* socket);
    void ClientSocketError(TObject* sender, TCustomWinSocket* socket, int errorEvent,
                           int& errorCode);

    // ---- traffic monitor (serial lines; the USB and network lines are made by the routines
    // above). Any thread.
    void LogCommWrite(const std::uint8_t* bytes, std::size_t count);
    void LogCommRead(const std::uint8_t* bytes, std::size_t count);

    // ---- replies and the connect sequence
    void OnDeviceReply(TMessage& message);
    void OnLinkState(TMessage& message);
    void OnConnectReply();
    void OnIdentityReply(std::span<const std::uint8_t> payload);
    void OnStatusReply(std::span<const std::uint8_t> payload);
    void OnPresetMapReply(std::span<const std::uint8_t> payload);
    void OnCurrentPresetReply(std::uint8_t number);
    void OnPresetNameReply(std::span<const std::uint8_t> payload);
    void ReadDeviceBlocks(std::span<const std::uint8_t> payload);

    // The unit-file transfer steps the reply dispatch continues (the preset and file
    // operations fill them; here they do nothing).
    virtual void OnPresetBlockReply(std::span<const std::uint8_t> payload);
    virtual void RequestPresetSlot(int slot);
    virtual void OnDownloadAck(std::span<const std::uint8_t> payload);
    virtual void DownloadNextSlot(int slot);

    // ---- level polling
    void ShowLevels(std::span<const std::uint8_t> payload);
    void ResetLevels();

    // ---- scan dialog, main-window side
    bool HasHidDevice() const override { return FHidDevice.load() != nullptr; }
    bool HasDeviceIp() const override { return FDeviceIp != 0; }
    void SetCommPortName(const std::string& name) override { FCommPortName = name; }
    void EnableLinkButton() override;
    void ShowNetworkSetup() override;
    void rzbMenuLinkClick(TObject* sender);
    void ConnectedClick(TObject* sender);

    // ---- progress window and menu commands
    void SetApplyingImage(bool flag) { FApplyingImage = flag; }
    bool IsApplyingImage() const override { return FApplyingImage; }
    void MemoShowClick(TObject* sender);
    void HidDataClick(TObject* sender);
    void ConnectHelpClick(TObject* sender);
    void SettingIDClick(TObject* sender);
    // The dialogs of the shell (about, code tables, test signal, exit, lock setup).
    virtual void AboutClick(TObject* sender);
    virtual void Rs232CodeClick(TObject* sender);
    virtual void TestToneClick(TObject* sender);
    virtual void ExitClick(TObject* sender);
    virtual void LockSetupClick(TObject* sender);

    // ---- language texts
    std::string GetText(const std::string& key) const override;

    // ---- model host
    void MarkCurveDirty(int ch) override;
    void SetRecallPresetName(int row, const std::string& text) override;
    void SetStorePresetName(int row, const std::string& text) override;
    std::optional<std::string> ExecuteSaveUnitDialog() override;

    // ---- hooks into the shell and the editing (neutral here)
    // Shows the current image in every control.
    virtual void ApplyUnitImage();
    virtual void ClearBandSelection();
    // Redraws the nine channel views (after a preset file was applied).
    virtual void RepaintChannelViews();
    // Shows the unlock dialog modally (the processor's operation lock is set); its OK sends the
    // preset-map request.
    virtual void ShowUnlockDialog();
    // A password check result (reply 45) for the unlock dialog.
    virtual void SetLockCheckResult(int result);

    // ---- state, for the shell, the dialogs and tests
    TSessionPhase SessionPhase() const { return FSessionPhase; }
    bool SessionOpen() const { return FSessionOpen; }
    bool ConnectPending() const { return FConnectPending; }
    int PresetNumber() const { return FPresetNumber; }
    std::uint32_t DeviceIp() const { return FDeviceIp; }
    const std::string& Language() const { return FLanguage; }
    LUnitControl& UnitControl() { return *FUnitControl; }
    bool HasTransport() const { return FCommLink || FUsbLink || FNetLink; }

protected:
    void Dispatch(TMessage& message) override;

    // Timer handlers.
    void tmStartConnectTimer(TObject* sender);
    void tmDisconnectTimer(TObject* sender);
    void tmLinkBrokenTimer(TObject* sender);
    void tmComScanTimer(TObject* sender);
    void tmProcessShowTimer(TObject* sender);
    void tmInLevelDetTimer(TObject* sender);
    void tmUnlockShowTimer(TObject* sender);
    // Writes the uploaded presets to a unit file (the file operations fill it).
    virtual void tmUploadTimer(TObject* sender);
    // Shows the scan dialog modally. One still showing stays open even if it was closing: its
    // close may be waiting behind a dialog opened inside its modal loop (the read-back's
    // progress), and what it has to show now is the broken link.
    static void ShowScanDialog();

    // Sends a CM_MCS_CMD of code (with up to two parameter bytes) to FDeviceId, appended without
    // coalescing.
    void SendCmd(std::uint8_t code);
    void SendCmd(std::uint8_t code, std::uint8_t p1);
    void SendCmd(std::uint8_t code, std::uint8_t p1, std::uint8_t p2);
    // The same without parameters, coalescable (the keep-alive that ends a chain, the level
    // request).
    void SendCoalescable(std::uint8_t code);

    // Closes the open transports in the order serial, USB, network, sending nothing (the
    // window's close at exit).
    void CloseTransportsForExit();

    // Starts a session exchange: the phase it runs in, with every stale chain state cleared.
    void BeginPhase(TSessionPhase phase);
    // Ends it: idle, nothing pending.
    void EndPhase();
    // Forgets every pending chain: acknowledgement state, progress mark, transfer state.
    void ClearChainState();

    // The progress window: texts and range for an operation that is pending (tmProcessShow
    // shows it modally 100 ms later while the operation is still pending), and its end.
    void StartProgress(const std::string& statusKey, int max);
    void SetProgressPosition(int position);
    void EndProgress();
    // Shows the progress window at once: modally (returns when the operation's end closes it),
    // or without waiting (the window stays until HideProgress). Each marks the operation
    // pending; a broken link closes the window in either case.
    void ShowProgressModal();
    void ShowProgressNonModal();
    // Hides a window shown without waiting and clears its status text.
    void HideProgress();

    // The information dialog with the text of a language key, modally.
    void ShowInformation(const std::string& key);

    // A traffic-monitor line, from any thread: appended on the UI thread, in order.
    void PostTrafficLine(std::string line);
    bool TrafficMonitorVisible() const;

    // ---- session fields (the main window's names)
    std::unique_ptr<LUnitControl> FUnitControl;
    // The processor's checked-out HID device: set and cleared on the UI thread (under the USB
    // link's lock while a USB link is open), read by the USB worker for each write.
    std::atomic<TJvHidDevice*> FHidDevice{nullptr};
    std::unique_ptr<LUsbProc> FUsbLink;
    std::unique_ptr<LCommProc> FCommLink;
    std::string FCommPortName;
    std::unique_ptr<LNetProc> FNetLink;
    std::string FLanguage = "English";
    int FDeviceId = 1;
    bool FSessionOpen = false;
    bool FConnectPending = false;
    bool FOnline = false;
    int FPresetNumber = 0;
    bool FApplyingImage = false;
    int FProgressCloseMark = 0;
    int AckState = 0;
    int FUploadSlot = 0;
    int FDownloadSlot = 0;
    std::vector<std::uint8_t> FUnitFileRecords;
    std::vector<std::uint8_t> FDownloadBlock;
    std::array<std::uint8_t, DeviceBlockSize> FPendingDeviceBlock{};
    int FCompChannel = 3;
    int FGateChannel = 0;
    // First octet in the high byte.
    std::uint32_t FDeviceIp = 0xC0A80201;
    // The last frame written to the socket (guarded by the network link's lock).
    std::array<std::uint8_t, 70> FLastNetFrame{};
    std::int8_t FLastNetFrameLength = 0;
    // The network setup's manual-address flag (0: the socket connects to FDeviceIp on a new
    // scan; otherwise the network is left out of the scan).
    int FManualIp = 0;

    // Added by the session's own rules.
    TSessionPhase FSessionPhase = TSessionPhase::Idle;
    // The progress window belongs to a pending operation: tmProcessShow shows it only then.
    bool FProgressPending = false;
    // Requests of the running exchange made again after a reply that did not fit.
    int FMisfitRetries = 0;
    // Each transport opened gets a new generation (counted from 1); its link-state messages
    // carry it, and those of a transport that is gone are dropped.
    std::uint32_t FLinkGeneration = 0;

    // ---- non-visual components (created by the session)
    TJvHidDeviceController* HidCtl = nullptr;
    TClientSocket* ClientSocket = nullptr;
    TOpenDialog* odOpenPreset = nullptr;
    TSaveDialog* sdSavePreset = nullptr;
    TOpenDialog* odOpenUnit = nullptr;
    TSaveDialog* sdSaveUnit = nullptr;
    TTimer* tmStartConnect = nullptr;  // 300 ms, enabled once by the shell's creation
    TTimer* tmDisconnect = nullptr;    // 300 ms
    TTimer* tmUpload = nullptr;        // 300 ms
    TTimer* tmInLevelDet = nullptr;    // 300 ms, periodic
    TTimer* tmLinkBroken = nullptr;    // 300 ms
    TTimer* tmProcessShow = nullptr;   // 100 ms
    TTimer* tmComScan = nullptr;       // 1 ms
    TTimer* tmUnlockShow = nullptr;    // 1000 ms: the unlock dialog after a locked status reply

    // ---- visible components (created by the derived form, found by BindSessionComponents)
    TLabel* lbStatus = nullptr;
    TLabel* lbShowIdNumber = nullptr;
    TLabel* lbShowIp = nullptr;
    TLabel* lbPstNum = nullptr;
    TLabel* lbPstName = nullptr;
    TRzBmpButton* rzbMenuLink = nullptr;
    TRzBmpButton* bStore = nullptr;
    TRzBmpButton* bRecall = nullptr;
    TMenuItem* Open = nullptr;
    TMenuItem* Save = nullptr;
    TMenuItem* Upload = nullptr;
    TMenuItem* Download = nullptr;
    TMenuItem* FactoryDefault = nullptr;
    TMenuItem* Exit = nullptr;
    TMenuItem* Connect = nullptr;
    TMenuItem* Connected = nullptr;
    TMenuItem* ConnectHelp = nullptr;
    TMenuItem* Lock = nullptr;
    TMenuItem* LockSetup = nullptr;
    TMenuItem* SettingID = nullptr;
    TMenuItem* NetworkSetup = nullptr;
    TMenuItem* TestTone = nullptr;
    TMenuItem* ChNameList = nullptr;
    TMenuItem* Rs232Code = nullptr;
    TMenuItem* About = nullptr;
    TMenuItem* MemoShow = nullptr;
    TMenuItem* HidData = nullptr;

    // The level meters by channel: inputs A..C, outputs 1..6, and the single meters of the gate
    // and compressor pages.
    std::array<LProgressBar*, 3> pbLevelIn{};
    std::array<LProgressBar*, 3> pbLevelBackupIn{};
    std::array<LProgressBar*, 3> pbLevelGateIn{};
    std::array<LProgressBar*, 6> pbLevelOut{};
    std::array<LProgressBar*, 6> pbLevelBackupOut{};
    std::array<LProgressBar*, 6> pbLevelCompOut{};
    std::array<LProgressBar*, 6> pbLimitOut{};
    std::array<LProgressBar*, 6> pbLimitBackupOut{};
    std::array<LProgressBar*, 6> pbLimitCompOut{};
    LProgressBar* pbLevelGateInPage = nullptr;   // "pbLevelGateIn"
    LProgressBar* pbLevelCompOutPage = nullptr;  // "pbLevelCompOut"
    LProgressBar* pbLimitCompOutPage = nullptr;  // "pbLimitCompOut"
    std::array<TUpDown*, 6> udCompRatioOut{};

private:
    // The owner a transport reports through, and the generation of the open transport of each
    // kind (0: none open; read by worker threads and the socket's error handler).
    struct TLinkSlot {
        std::unique_ptr<ILinkOwner> owner;
        std::atomic<std::uint32_t> generation{0};
    };

    void CreateSessionComponents();
    // The 48 level meters and the six ratio up-downs, by their composed names.
    void BindLevelMeters();
    // The open transport's generation tag for a link-state message, and whether a code
    // carrying tag belongs to it.
    bool IsCurrentLink(std::intptr_t lParam) const;
    // A new generation and its owner for a transport about to open in slot.
    ILinkOwner* NewLinkOwner(TLinkSlot& slot);
    // The generation of the first open transport (serial, USB, network), 0 when none is open.
    std::uint32_t OpenGeneration() const;
    // Closes, frees and clears the first open transport (serial, USB, network); false when none
    // was open.
    bool CloseOpenTransport();
    // A transport opened: its time-out and resends, the connect exchange begun and, when it can
    // go out now, the connect command sent.
    void BeginConnect(unsigned timeoutMs, int resends, bool sendNow);
    void CloseUsbLink();
    void CloseCommLink();
    void CloseNetLink();
    // Posts a link-state code for the open network transport (socket lost or failed).
    void PostNetLinkLost();
    // The processor address as the link label shows it ("127.0.0.1").
    std::string DeviceIpText() const;

    TLinkSlot usbSlot_;
    TLinkSlot commSlot_;
    TLinkSlot netSlot_;
    // A reply that does not fit its request (length, range, index): logged and dropped. In an
    // exchange the request is made once more; a second misfit ends the session as a broken
    // link. True when the request may be made again.
    bool ReplyMisfit(const std::vector<std::uint8_t>& frame);
    void OnAck();
    void ReadBackRequestName(int slot);
    void ReadBackRequestBlock(int block);

    // The read-back's next name slot and settings block.
    int expectedSlot_ = 0;
    int expectedBlock_ = 0;
    // The bytes of a frame the socket has delivered only in part (to tell a short read inside a
    // frame from a short read between frames).
    std::vector<std::uint8_t> netPartial_;
    // The network transport's connect command waits for the socket to connect.
    bool netConnectDeferred_ = false;

    bool bound_ = false;
};

}  // namespace dsp

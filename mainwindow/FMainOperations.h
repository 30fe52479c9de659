#pragma once
// TfmMainOperations: what the main window does with the processor beyond the link session,
// on top of it: presets on the processor (store, recall, factory reset), preset files (save,
// open), unit files (upload every stored preset into one, download one into the processor), the
// network setup and the operation lock. TfmMain derives from it.
//
// Each operation runs in its session phase (BeginPhase), so the session's reply dispatch hands
// this class only the replies of the operation running; the unit-file steps the dispatch calls
// (RequestPresetSlot, OnPresetBlockReply, OnDownloadAck, DownloadNextSlot) are overridden here.
// Its dialogs (preset grids and name, lock setup and unlock, network setup) reach it through
// the small interfaces they declare, which this class registers while it exists.
//
// Rules of its own, beyond the session's:
// - a file is written whole or not at all, and a failed write is reported, never taken as done;
// - a unit file is written into the processor only whole and well formed (DecodeUnitFile), each
//   record with all of its blocks to the record's own slot; anything else is refused before a
//   single command is sent;
// - a lost link ends whatever operation ran: the unlock dialog closes, a download gives the
//   main window back.

#include <cstdint>
#include <memory>
#include <span>
#include <string>

#include "mainwindow/FMainSession.h"
#include "model/UnitImage.h"

namespace dsp {

class TfmMainOperations : public TfmMainSession {
public:
    explicit TfmMainOperations(TComponent* owner);
    ~TfmMainOperations() override;

    // BindSessionComponents, then the handlers of the items and buttons this class serves:
    // Open, Save, Upload, Download, FactoryDefault, Lock, NetworkSetup, bStore and bRecall. The
    // derived form calls it once, instead of BindSessionComponents.
    void BindOperationComponents();

    // ---- presets on the processor
    // Stores the current settings as user preset slot + 1 (slot 0 to 29) under a 14-byte name;
    // recalls preset number 0 (factory) to 30; returns the processor to its factory settings.
    // Offline, or with a number out of range, they do nothing at all.
    void StorePreset(int slot, const PresetNameBytes& name);
    void RecallPreset(int number);
    void FactoryReset();
    void bStoreClick(TObject* sender);
    void bRecallClick(TObject* sender);
    void FactoryDefaultClick(TObject* sender);

    // ---- preset and unit files
    void OpenClick(TObject* sender);
    void OpenPresetFile();
    void SaveClick(TObject* sender);
    void SavePresetFile();
    void UploadClick(TObject* sender);
    void UploadAllPresets();
    void RequestPresetSlot(int slot) override;
    void OnPresetBlockReply(std::span<const std::uint8_t> payload) override;
    void DownloadClick(TObject* sender);
    void DownloadUnitFile();
    void DownloadNextSlot(int slot) override;
    void OnDownloadAck(std::span<const std::uint8_t> payload) override;

    // ---- network setup
    void NetworkSetupClick(TObject* sender);
    std::uint32_t GetDeviceIp() const { return FDeviceIp; }
    void SetDeviceIp(std::uint32_t address) { FDeviceIp = address; }
    void SetAutoIp(bool automatic) { FManualIp = automatic ? 1 : 0; }

    // ---- operation lock
    void LockClick(TObject* sender);
    void LockSetupClick(TObject* sender) override;
    void ShowUnlockDialog() override;
    void SetLockCheckResult(int result) override;

    // ---- the preset grids' names, as the model reads them
    void SetRecallPresetName(int row, const std::string& text) override;
    void SetStorePresetName(int row, const std::string& text) override;

    // Ends the session as the session does, and with it whatever operation ran.
    void Disconnect() override;

protected:
    void Dispatch(TMessage& message) override;
    void tmUploadTimer(TObject* sender) override;
    // The factory-default confirmation (the shell's dialog): its OK calls FactoryReset. Here,
    // without the shell, there is nothing to confirm with, so nothing happens.
    virtual void ShowFactoryDialog();

    // The record being written by a download, and the block of it the processor confirms next.
    int FDownloadBlockNumber = 0;
    // The preset block an upload expects next, and the presets it has read so far.
    int FUploadBlockNumber = 0;
    int FUploaded = 0;
    // Records written by the download so far (its progress).
    int FDownloadWritten = 0;
    // The main window is disabled while a download runs.
    bool FDownloadDisabled = false;

private:
    class TOperationsAdapter;
    class TNetworkSetupAdapter;

    // Stops level polling and resets every meter.
    void StopPolling();
    // Sends the block after `block` of record FDownloadSlot (block -1: its first) to the
    // record's own slot.
    void SendDownloadBlock(int block);
    // The end of a download: window back, processor restarted, link closed 300 ms later.
    void FinishDownload();
    // Gives the main window back after a download, if it had taken it.
    void EndDownloadHold();
    // Whether a transport is open with nothing waiting and nothing awaited.
    bool LinkIdle();

    std::unique_ptr<TOperationsAdapter> operations_;
    std::unique_ptr<TNetworkSetupAdapter> networkSetup_;
    // The reply of the lock command the lock setup waits for.
    std::uint8_t watchedCode_ = 0;
    bool watching_ = false;
    bool watchAnswered_ = false;
};

}  // namespace dsp

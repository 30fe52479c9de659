// Preset and unit files: a preset file saved from the current image and opened into it (and the
// processor), the processor's stored presets uploaded into a unit file, and a unit file
// downloaded into the processor.

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "framework/desktop/FileDialogs.h"
#include "framework/runtime/Application.h"
#include "framework/runtime/Timer.h"
#include "framework/text/FileNames.h"
#include "framework/text/WholeFile.h"
#include "mainwindow/FMainOperations.h"
#include "model/Lcmd.h"
#include "model/Lunitcontrol.h"
#include "model/UnitFiles.h"

namespace dsp {

namespace {

constexpr unsigned kOperationTimeoutMs = 10000;
constexpr std::uint8_t kCR = 0x0D;
constexpr std::uint8_t kLF = 0x0A;
constexpr int kProgressCloseOnLevels = 12;
constexpr int kNoSlot = 255;

// Sets the applying-image flag for a scope and puts back what it was, however the scope ends.
class TApplyingImage {
public:
    explicit TApplyingImage(TfmMainSession& main) : main_(main), was_(main.IsApplyingImage()) {
        main_.SetApplyingImage(true);
    }
    ~TApplyingImage() { main_.SetApplyingImage(was_); }
    TApplyingImage(const TApplyingImage&) = delete;
    TApplyingImage& operator=(const TApplyingImage&) = delete;

private:
    TfmMainSession& main_;
    bool was_;
};

void ToProgramFolder() {
    if (Application) SetCurrentDir(ExtractFilePath(Application->ExeName()));
}

std::optional<std::vector<std::uint8_t>> ReadBytes(const std::string& fileName) {
    std::optional<std::string> text = ReadWholeFile(fileName);
    if (!text) return std::nullopt;
    return std::vector<std::uint8_t>(text->begin(), text->end());
}

}  // namespace

// ---- preset file

void TfmMainOperations::OpenClick(TObject*) {
    {
        const TApplyingImage applying(*this);
        OpenPresetFile();
    }
    RepaintChannelViews();
}

void TfmMainOperations::OpenPresetFile() {
    if (!odOpenPreset->Execute(Handle())) return;
    ClearBandSelection();
    const std::optional<std::vector<std::uint8_t>> file = ReadBytes(odOpenPreset->FileName());
    // Checked whole before anything is applied: image and processor stay as they were.
    if (!file || !IsPresetFile(*file)) {
        ShowInformation("SID_INFO_ERROR_FILE");
        return;
    }
    const std::span<const std::uint8_t> body = std::span(*file).subspan(FileHeaderSize);
    if (!FUnitControl->ApplyPresetFile(body)) {
        ShowInformation("SID_INFO_ERROR_FILE");
        return;
    }
    {
        const TApplyingImage applying(*this);
        ApplyUnitImage();
    }
    // Offline no level reply comes to close a window: no mark is left for a later one, which
    // would close whatever progress window it found.
    if (!FOnline) return;
    FProgressCloseMark = kProgressCloseOnLevels;
    ShowProgressModal();
}

void TfmMainOperations::SaveClick(TObject*) { SavePresetFile(); }

void TfmMainOperations::SavePresetFile() {
    std::vector<std::uint8_t> text = FUnitControl->EncodePresetFile();
    text.push_back(kCR);
    text.push_back(kLF);
    sdSavePreset->SetFileName("");
    if (sdSavePreset->Execute(Handle())) {
        if (!WriteWholeFile(PresetFileName(sdSavePreset->FileName()), text)) {
            ShowInformation("SID_INFO_ERROR_FILE");
        }
    }
    ToProgramFolder();
}

// ---- upload

void TfmMainOperations::UploadClick(TObject*) { UploadAllPresets(); }

void TfmMainOperations::UploadAllPresets() {
    if (!FOnline) {
        ShowInformation("SID_INFO_CON_FIRST");
        return;
    }
    int used = 0;
    int first = kNoSlot;
    for (int k = 0; k < PresetSlotCount; ++k) {
        if (!FUnitControl->IsPresetUsed(k)) continue;
        ++used;
        first = std::min(first, k + 1);
    }
    if (used == 0) {
        ShowInformation("SID_INFO_NO_SAVE_EXIST");
        return;
    }
    BeginPhase(TSessionPhase::Upload);
    FUploadSlot = first;
    FUploaded = 0;
    StopPolling();
    SendCommand(CM_MCS_READ_EEPROM(static_cast<std::uint8_t>(FDeviceId), 0, DeviceBlockSize), true,
                true);
    StartProgress("SID_UPLOAD_PRESET", used);
    ShowProgressModal();
}

void TfmMainOperations::RequestPresetSlot(int slot) {
    if (FSessionPhase != TSessionPhase::Upload || slot < 1 || slot > PresetSlotCount) return;
    AckState = 4;
    FUploadBlockNumber = 0;
    SendCmd(CommandCode::MCS_SELECT_PRESET, static_cast<std::uint8_t>(slot));
}

void TfmMainOperations::OnPresetBlockReply(std::span<const std::uint8_t> payload) {
    if (FSessionPhase != TSessionPhase::Upload || payload.empty()) return;
    const int block = payload[0];
    // A block repeated by the link's rewrite, or one out of turn, asks for nothing twice.
    if (block != FUploadBlockNumber) return;
    if (!FUnitControl->ReceivePresetBlock(FUploadSlot, payload)) return;
    if (block < MemoryBlockCount - 1) {
        FUploadBlockNumber = block + 1;
        SendCmd(CommandCode::MCS_READ_PRESET_BLOCK, static_cast<std::uint8_t>(block + 1));
        return;
    }
    do {
        ++FUploadSlot;
    } while (FUploadSlot <= PresetSlotCount && !FUnitControl->IsPresetUsed(FUploadSlot - 1));
    if (FUploadSlot <= PresetSlotCount) {
        SetProgressPosition(++FUploaded);
        RequestPresetSlot(FUploadSlot);
        return;
    }
    SendCoalescable(CommandCode::MCS_KEEP_ALIVE);
    EndProgress();
    EndPhase();
    tmUpload->SetEnabled(true);
    tmInLevelDet->SetEnabled(true);
}

void TfmMainOperations::tmUploadTimer(TObject*) {
    tmUpload->SetEnabled(false);
    if (FUnitControl->WriteUnitFile() == ufFailed) ShowInformation("SID_INFO_ERROR_FILE");
    ToProgramFolder();
    tmInLevelDet->SetEnabled(FOnline);
}

// ---- download

void TfmMainOperations::DownloadClick(TObject*) { DownloadUnitFile(); }

void TfmMainOperations::DownloadUnitFile() {
    if (!FOnline) {
        ShowInformation("SID_INFO_CON_FIRST");
        return;
    }
    if (!odOpenUnit->Execute(Handle())) return;
    const std::optional<std::vector<std::uint8_t>> file = ReadBytes(odOpenUnit->FileName());
    const std::optional<UnitFileContent> content =
        file ? DecodeUnitFile(*file) : std::optional<UnitFileContent>();
    // Refused before anything is sent: the processor is reset only for a file it can take.
    if (!content) {
        ShowInformation("SID_INFO_ERROR_DOWNLAOD");
        return;
    }
    BeginPhase(TSessionPhase::Download);
    std::copy(content->DeviceBlock.begin(), content->DeviceBlock.end(),
              FPendingDeviceBlock.begin());
    FUnitFileRecords = content->Records;
    FDownloadSlot = 1;
    FDownloadWritten = 0;
    StopPolling();
    SetLinkTimeout(kOperationTimeoutMs);
    AckState = 10;
    SendCmd(CommandCode::MCS_FACTORY_RESET);
    SetEnabled(false);
    FDownloadDisabled = true;
    StartProgress("SID_DOWNLOAD_PRESET", content->UsedCount());
    ShowProgressNonModal();
}

void TfmMainOperations::DownloadNextSlot(int slot) {
    if (FSessionPhase != TSessionPhase::Download) return;
    for (int p = slot; p <= PresetSlotCount; ++p) {
        FDownloadSlot = p;
        const auto record =
            std::span<const std::uint8_t>(FUnitFileRecords)
                .subspan(static_cast<std::size_t>(p - 1) * UnitFileRecordSize, UnitFileRecordSize);
        if (record[1] == PresetSlotInUse) {
            SendDownloadBlock(0);
            return;
        }
    }
    FinishDownload();
}

void TfmMainOperations::SendDownloadBlock(int block) {
    const auto record =
        std::span<const std::uint8_t>(FUnitFileRecords)
            .subspan(static_cast<std::size_t>(FDownloadSlot - 1) * UnitFileRecordSize,
                     UnitFileRecordSize);
    // The device bytes of a record are its bytes 1 to 799 and a zero: block b is bytes
    // 1 + 50 b to 50 + 50 b. Every block goes to the slot the record names (checked to lie in
    // 1..30 when the file was read), so a record can never land half in one slot and half in
    // another.
    const std::size_t start = 1 + MemoryBlockSize * static_cast<std::size_t>(block);
    const std::size_t count = std::min(MemoryBlockSize, record.size() - start);
    FDownloadBlock.assign(MemoryBlockSize, 0);
    std::copy_n(record.begin() + static_cast<std::ptrdiff_t>(start), count, FDownloadBlock.begin());
    FDownloadBlockNumber = block;
    const auto slot = static_cast<std::uint8_t>(record[0] - 1);
    SendCommand(CM_MCS_DOWNLOAD(static_cast<std::uint8_t>(FDeviceId), slot,
                                static_cast<std::uint8_t>(block), MemoryBlockSize, FDownloadBlock),
                true, true);
}

void TfmMainOperations::OnDownloadAck(std::span<const std::uint8_t> payload) {
    if (FSessionPhase != TSessionPhase::Download || payload.empty()) return;
    // Only the confirmation of the block just sent moves the download on.
    if (payload[0] != FDownloadBlockNumber) return;
    if (FDownloadBlockNumber < MemoryBlockCount - 1) {
        SendDownloadBlock(FDownloadBlockNumber + 1);
        return;
    }
    ++FDownloadWritten;
    SetProgressPosition(FDownloadWritten);
    if (FDownloadSlot < PresetSlotCount) {
        DownloadNextSlot(FDownloadSlot + 1);
    } else {
        FinishDownload();
    }
}

void TfmMainOperations::FinishDownload() {
    EndDownloadHold();
    SendCommand(CM_MCS_MCU_RESET(static_cast<std::uint8_t>(FDeviceId)), true, true);
    EndPhase();
    tmDisconnect->SetEnabled(true);
}

void TfmMainOperations::EndDownloadHold() {
    if (!FDownloadDisabled) return;
    FDownloadDisabled = false;
    HideProgress();
    SetEnabled(true);
    if (Visible()) SetFocus();
}

}  // namespace dsp

// Whole images in and out: the preset file, the memory blocks read from the processor and the
// unit file of an upload.

#include <algorithm>

#include "framework/text/WholeFile.h"
#include "model/Lcmd.h"
#include "model/Lunitcontrol.h"

namespace dsp {

namespace {

constexpr std::uint8_t CR = 0x0D;
constexpr std::uint8_t LF = 0x0A;

std::uint8_t Bit(std::uint16_t mask, int bit) { return (mask >> bit) & 1u; }

}  // namespace

std::vector<std::uint8_t> LUnitControl::EncodePresetFile() const {
    std::vector<std::uint8_t> text(FileHeaderSize + PresetBodySize);
    std::copy(FileHeader.begin(), FileHeader.end(), text.begin());
    const auto body = FImage.Bytes().subspan(PresetBodyStart, PresetBodySize);
    std::copy(body.begin(), body.end(), text.begin() + FileHeaderSize);
    return text;
}

bool LUnitControl::ApplyPresetFile(std::span<const std::uint8_t> body) {
    // Checked before anything is written or sent, so a short file changes neither the image
    // nor the processor.
    if (body.size() < PresetBodySize) return false;
    std::copy_n(body.begin(), PresetBodySize, FImage.Bytes().begin() + PresetBodyStart);

    const std::uint8_t id = DeviceId();
    SendAlways(CM_MCS_PRESETNAME(id, FImage.PresetName));

    for (int ch = 0; ch < InputCount; ++ch) {
        const InputChannelParams& in = Input(ch);
        const auto c = static_cast<std::uint8_t>(ch);
        SendAlways(CM_MCS_CHANNEL_NAME(id, c, in.Name));
        SendAlways(CM_MCS_GATE(id, c, in.Gate));
        SendAlways(CM_MCS_HIGH_PASS(id, c, in.Crossover.HighPassFreq, in.Crossover.HighPassSlope));
        SendAlways(CM_MCS_LOW_PASS(id, c, in.Crossover.LowPassFreq, in.Crossover.LowPassSlope));
        SendAlways(CM_MCS_GAIN(id, c, in.Gain));
        SendAlways(CM_MCS_POLARITY(id, c, in.Polarity));
        SendAlways(CM_MCS_DELAY(id, c, in.Delay));
        SendAlways(CM_MCS_CMD(id, CommandCode::MCS_SET_LINK, c, in.LinkMask.Low()));
    }
    for (int ch = InputCount; ch < ChannelCount; ++ch) {
        const OutputChannelParams& out = Output(ch);
        const auto c = static_cast<std::uint8_t>(ch);
        SendAlways(CM_MCS_CHANNEL_NAME(id, c, out.Name));
        SendAlways(CM_MCS_MATRIX(id, c, out.RoutingMask));
        SendAlways(
            CM_MCS_HIGH_PASS(id, c, out.Crossover.HighPassFreq, out.Crossover.HighPassSlope));
        SendAlways(CM_MCS_LOW_PASS(id, c, out.Crossover.LowPassFreq, out.Crossover.LowPassSlope));
        SendAlways(CM_MCS_COMP(id, c, out.Compressor));
        SendAlways(CM_MCS_GAIN(id, c, out.Gain));
        SendAlways(CM_MCS_POLARITY(id, c, out.Polarity));
        SendAlways(CM_MCS_DELAY(id, c, out.Delay));
        SendAlways(CM_MCS_CMD(id, CommandCode::MCS_SET_LINK, c, out.LinkMask.Low()));
    }

    for (int i = 0; i < InputCount; ++i) {
        SendAlways(CM_MCS_MUTE(id, static_cast<std::uint8_t>(i), Bit(FImage.InputMuteMask, i)));
    }
    for (int j = 0; j < OutputCount; ++j) {
        SendAlways(CM_MCS_MUTE(id, static_cast<std::uint8_t>(InputCount + j),
                               Bit(FImage.OutputMuteMask, j)));
    }

    for (int ch = 0; ch < ChannelCount; ++ch) {
        const std::uint16_t bypass = FImage.BandBypassMasks[static_cast<std::size_t>(ch)];
        for (int band = 0; band < UnitImage::BandCount(ch); ++band) {
            SendAlways(CM_MCS_PEQ(id, static_cast<std::uint8_t>(ch),
                                  static_cast<std::uint8_t>(band), FImage.Band(ch, band),
                                  Bit(bypass, band)));
        }
    }
    return true;
}

bool LUnitControl::StoreBlock(std::span<const std::uint8_t> payload, bool& last) {
    if (payload.empty()) return false;
    const std::uint8_t block = payload[0];
    const auto data = payload.subspan(1);
    if (block >= MemoryBlockCount || data.size() > MemoryBlockSize) return false;
    std::copy(data.begin(), data.end(), FRxBuffer.begin() + block * MemoryBlockSize);
    last = block == MemoryBlockCount - 1;
    return true;
}

bool LUnitControl::ReceiveSettingsBlock(std::span<const std::uint8_t> payload) {
    bool last = false;
    if (!StoreBlock(payload, last)) return false;
    // Whatever other blocks came: the last one completes the image. The first two bytes (the
    // preset's status and a reserved byte) are the editor's own and stay.
    if (last) {
        std::copy(FRxBuffer.begin() + PresetBodyStart, FRxBuffer.begin() + UnitImageSize,
                  FImage.Bytes().begin() + PresetBodyStart);
    }
    return true;
}

bool LUnitControl::ReceivePresetBlock(int n, std::span<const std::uint8_t> payload) {
    if (n < 1 || n > PresetSlotCount) return false;
    bool last = false;
    if (!StoreBlock(payload, last)) return false;
    if (last) {
        PresetSlot& slot = FPresetSlots[static_cast<std::size_t>(n - 1)];
        slot.SlotNumber = static_cast<std::uint8_t>(n);
        std::copy_n(FRxBuffer.begin(), UnitImageSize, slot.Image.begin());
    }
    return true;
}

bool LUnitControl::SetDeviceBlock(std::span<const std::uint8_t> payload) {
    if (payload.size() > FDeviceBlock.size()) return false;
    std::copy(payload.begin(), payload.end(), FDeviceBlock.begin());
    return true;
}

std::vector<std::uint8_t> LUnitControl::EncodeUnitFile() const {
    std::vector<std::uint8_t> file;
    file.reserve(UnitFileSize);
    file.insert(file.end(), FileHeader.begin(), FileHeader.end());
    file.insert(file.end(), FDeviceBlock.begin(), FDeviceBlock.end());
    for (std::size_t k = 0; k < FPresetSlots.size(); ++k) {
        if (FPresetUsed[k]) {
            const PresetSlot& slot = FPresetSlots[k];
            file.push_back(slot.SlotNumber);
            file.insert(file.end(), slot.Image.begin(), slot.Image.begin() + UnitRecordImageBytes);
        } else {
            file.insert(file.end(), 1 + UnitRecordImageBytes, EmptySlotByte);
        }
        file.push_back(CR);
        file.push_back(LF);
    }
    return file;
}

TUnitFileResult LUnitControl::WriteUnitFile() {
    const std::optional<std::string> chosen = host_.ExecuteSaveUnitDialog();
    if (!chosen) return ufCancelled;
    return WriteWholeFile(UnitFileName(*chosen), EncodeUnitFile()) ? ufWritten : ufFailed;
}

}  // namespace dsp

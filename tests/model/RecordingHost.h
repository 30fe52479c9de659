#pragma once
// A main window for the model's tests: it keeps every frame sent with its flags, every curve
// marked and every preset-grid row written, and answers the unit save dialog as told.

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "model/Lcmd.h"
#include "model/UnitControlHost.h"

namespace dsp::testing {

struct SentFrame {
    std::vector<std::uint8_t> bytes;  // as the transport would get them
    bool noCoalesce = false;
    bool framed = false;

    std::uint8_t Code() const { return bytes.at(Frame::CodeIndex); }
    std::vector<std::uint8_t> Payload() const {
        return {bytes.begin() + Frame::PayloadIndex, bytes.end() - 3};
    }
};

class RecordingHost : public IUnitControlHost {
public:
    void SendCommand(const LCmd& record, bool noCoalesce, bool framed) override {
        sent.push_back({LCmd::EncodeFrame(record, framed ? FrameMode::Frame : FrameMode::Payload),
                        noCoalesce, framed});
    }
    int GetDeviceId() const override { return deviceId; }
    bool IsApplyingImage() const override { return applyingImage; }
    void MarkCurveDirty(int ch) override { dirtyCurves.push_back(ch); }
    void SetRecallPresetName(int row, const std::string& text) override { recallRows[row] = text; }
    void SetStorePresetName(int row, const std::string& text) override { storeRows[row] = text; }
    std::optional<std::string> ExecuteSaveUnitDialog() override {
        ++saveDialogShown;
        return saveUnitAnswer;
    }

    int deviceId = 1;
    bool applyingImage = false;
    std::optional<std::string> saveUnitAnswer;

    std::vector<SentFrame> sent;
    std::vector<int> dirtyCurves;
    std::map<int, std::string> recallRows;
    std::map<int, std::string> storeRows;
    int saveDialogShown = 0;
};

}  // namespace dsp::testing

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
    std::vector<std::uint8_t> Bytes;  // as the transport would get them
    bool NoCoalesce = false;
    bool Framed = false;

    std::uint8_t Code() const { return Bytes.at(Frame::CodeIndex); }
    std::vector<std::uint8_t> Payload() const {
        return {Bytes.begin() + Frame::PayloadIndex, Bytes.end() - 3};
    }
};

class RecordingHost : public IUnitControlHost {
public:
    void SendCommand(const LCmd& record, bool noCoalesce, bool framed) override {
        Sent.push_back({LCmd::EncodeFrame(record, framed ? FrameMode::Frame : FrameMode::Payload),
                        noCoalesce, framed});
    }
    int GetDeviceId() const override { return DeviceId; }
    bool IsApplyingImage() const override { return ApplyingImage; }
    void MarkCurveDirty(int ch) override { DirtyCurves.push_back(ch); }
    void SetRecallPresetName(int row, const std::string& text) override { RecallRows[row] = text; }
    void SetStorePresetName(int row, const std::string& text) override { StoreRows[row] = text; }
    std::optional<std::string> ExecuteSaveUnitDialog() override {
        ++SaveDialogShown;
        return SaveUnitAnswer;
    }

    int DeviceId = 1;
    bool ApplyingImage = false;
    std::optional<std::string> SaveUnitAnswer;

    std::vector<SentFrame> Sent;
    std::vector<int> DirtyCurves;
    std::map<int, std::string> RecallRows;
    std::map<int, std::string> StoreRows;
    int SaveDialogShown = 0;
};

}  // namespace dsp::testing

#pragma once
// A main window for the operation dialogs' tests: it records what the dialogs ask of it and
// answers from fields the test sets. Texts are "<key>" so a test sees which key was used.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "dialogs/OperationsWindow.h"
#include "model/Lcmd.h"

namespace dsp::test {

struct TSentRecord {
    std::uint8_t id;
    std::uint8_t code;
    std::vector<std::uint8_t> payload;
    bool noCoalesce;
};

class TFakeOperations : public IOperationsWindow {
public:
    TFakeOperations() { SetOperationsWindow(this); }
    ~TFakeOperations() override { SetOperationsWindow(nullptr); }

    std::string GetText(const std::string& key) const override { return "<" + key + ">"; }
    bool IsOnline() const override { return online; }
    void StorePreset(int slot, const PresetNameBytes& name) override {
        stores.push_back({slot, name});
        if (onOperation) onOperation();
    }
    void RecallPreset(int number) override {
        recalls.push_back(number);
        if (onOperation) onOperation();
    }
    int GetDeviceId() const override { return deviceId; }
    void SendCommand(const LCmd& record, bool noCoalesce, bool) override {
        sent.push_back(
            {record.GetId().value_or(0), record.GetCode(), record.GetData(), noCoalesce});
    }
    void Disconnect() override {
        ++disconnects;
        if (onDisconnect) onDisconnect();
    }
    void WatchReply(std::uint8_t code) override { watched = code; }
    TReplyWait AwaitedReply() const override { return wait; }
    void ContinueAfterUnlock() override { ++continues; }

    struct TStore {
        int slot;
        PresetNameBytes name;
    };

    bool online = true;
    int deviceId = 1;
    TReplyWait wait = TReplyWait::Waiting;
    std::optional<std::uint8_t> watched;
    std::vector<TSentRecord> sent;
    std::vector<TStore> stores;
    std::vector<int> recalls;
    int disconnects = 0;
    int continues = 0;
    // Runs inside StorePreset and RecallPreset (where the real one shows its progress window).
    std::function<void()> onOperation;
    std::function<void()> onDisconnect;
};

}  // namespace dsp::test

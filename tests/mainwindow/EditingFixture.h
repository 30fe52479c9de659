#pragma once
// The main window for the editing tests: made and created under a manual clock (timers fire
// only when a test steps it), with every record the window hands to the send path kept in order.
// The window's own start-up timer (the connect dialog) is stopped.

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

#include "framework/runtime/ManualClock.h"
#include "mainwindow/FMain.h"

namespace dsp {
class LUnitControl;
}

namespace dsp::test {

// A record handed to the send path.
struct TSentRecord {
    std::uint8_t code = 0;
    std::vector<std::uint8_t> data;
    bool noCoalesce = false;
};

class TEditingWindow : public TfmMain {
public:
    using TfmMain::TfmMain;

    std::vector<TSentRecord> sent;
    // How often a whole image was shown.
    int imagesShown = 0;

    void SendCommand(const LCmd& record, bool noCoalesce, bool framed) override;
    void ApplyUnitImage() override;

    int& SelectedBand() { return FSelectedBand; }
    bool& ApplyingImage() { return FApplyingImage; }
    LUnitControl& Model() { return *FUnitControl; }
    int CompChannel() const { return FCompChannel; }
    int GateChannel() const { return FGateChannel; }
    void StopStartUpTimer();
    // The start-up timer again: the scan dialog comes up and connects.
    void StartConnecting();
    // The processor's address for the network candidate (first octet in the high byte).
    void SetDeviceAddress(std::uint32_t address, const std::string& dotted);
};

class TEditingFixture {
public:
    TEditingFixture();
    ~TEditingFixture();
    TEditingFixture(const TEditingFixture&) = delete;
    TEditingFixture& operator=(const TEditingFixture&) = delete;

    TEditingWindow& Window() { return *window_; }
    // The window's control of that name and class; fails the test when there is none.
    template <typename T>
    T& Get(const std::string& name) const {
        T* control = window_->Control<T>(name);
        if (control == nullptr) Missing(name);
        return *control;
    }
    template <typename T>
    T& Get(std::string_view stem, int channel) const {
        return Get<T>(StripName(stem, channel));
    }
    // Moves the clock on by 1 ms and gives the event loop a turn: the editing timers fire.
    void Tick();
    // Shows a page as its button does when clicked.
    void OpenPage(int page);
    // The records sent with this code since the list was last cleared.
    std::vector<TSentRecord> SentWithCode(std::uint8_t code) const;
    void ClearSent() { window_->sent.clear(); }

private:
    [[noreturn]] static void Missing(const std::string& name);

    TManualClock clock_;
    TEditingWindow* window_ = nullptr;
};

}  // namespace dsp::test

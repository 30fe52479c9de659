#pragma once
// The editing end to end: the main window connected over TCP (127.0.0.1:9761, inside the private
// network namespace) to the processor simulator, with the session's dialogs as the program makes
// them. Edits made on the window reach the simulator's memory through the real link; a read-back
// brings the processor's settings into the window again.

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>

#include "tests/mainwindow/EditingFixture.h"
#include "tools/sim/ProcessorSimulator.h"

namespace dsp {
class IHidBackend;
class TFakeHidBus;
namespace sim {
class SimTcpServer;
}
}  // namespace dsp

namespace dsp::test {

class TSessionDialogs;

class TEditingSession {
public:
    explicit TEditingSession(sim::SimulatorOptions options = {});
    ~TEditingSession();
    TEditingSession(const TEditingSession&) = delete;
    TEditingSession& operator=(const TEditingSession&) = delete;

    TEditingWindow& Window() { return *window_; }
    sim::ProcessorSimulator& Processor() { return processor_; }

    // Connects (the scan dialog finds the simulator) and waits for the read-back to end.
    bool Connect();
    // Disconnects and connects again: the window shows what the processor holds.
    bool ReadBack();
    bool WaitUntil(const std::function<bool()>& condition,
                   std::chrono::milliseconds limit = std::chrono::seconds(20));
    // True when the processor's current settings are byte for byte the window's image.
    bool ProcessorAgrees() const;
    // Frames of this code the processor has read.
    int FramesRead(std::uint8_t code) const;

private:
    bool ReadBackDone(int imagesBefore) const;

    sim::ProcessorSimulator processor_;
    std::shared_ptr<TFakeHidBus> bus_;
    std::shared_ptr<IHidBackend> previousBackend_;
    std::unique_ptr<sim::SimTcpServer> tcp_;
    TEditingWindow* window_ = nullptr;
    std::unique_ptr<TSessionDialogs> dialogs_;
};

}  // namespace dsp::test

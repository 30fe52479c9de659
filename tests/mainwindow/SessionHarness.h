#pragma once
// The session end to end: the processor simulator behind its real doors (TCP on 127.0.0.1:9761,
// a pseudo-terminal listed as COM1 with the machine's own serial ports hidden, a device on the
// fake HID bus), the session on its test form with the program's session dialogs, and a script
// that watches the modal dialogs the session shows (they run nested event loops, inside which
// a test's own wait cannot look) and acts on them.
//
// Runs inside the private network namespace: the only address used is 127.0.0.1.

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/hid/FakeHid.h"
#include "tests/mainwindow/SessionTestForm.h"
#include "tools/sim/ProcessorSimulator.h"

namespace dsp {
class TTimer;
class TCustomForm;
namespace sim {
class SimTcpServer;
class SimPty;
class SimHidDevice;
}  // namespace sim
}  // namespace dsp

namespace dsp::test {

// A further serial port the scan meets.
struct TExtraPort {
    enum TKind {
        Missing,  // listed, but there is no such device
        Silent,   // a processor that answers nothing
        OtherId,  // a processor with device ID 5
        Slow,     // a processor that answers the connect command 0.8 s late and its identity 6.5 s
                  // late (inside the link's time-outs), then everything at once
    };
    std::string name;
    TKind kind;
};

struct THarnessOptions {
    bool tcp = false;  // the simulator on 127.0.0.1:9761
    bool pty = false;  // the simulator on a pseudo-terminal listed as ptyName
    bool usb = false;  // the simulator's device plugged into the fake HID bus
    std::string ptyName = "COM1";
    std::vector<TExtraPort> extraPorts;
    sim::SimulatorOptions processor;
};

inline constexpr int kSlowConnectMs = 800;
inline constexpr int kSlowIdentityMs = 6500;

inline constexpr std::uint16_t kEditorPort = 9761;

class TSessionHarness {
public:
    explicit TSessionHarness(THarnessOptions options);
    ~TSessionHarness();
    TSessionHarness(const TSessionHarness&) = delete;
    TSessionHarness& operator=(const TSessionHarness&) = delete;

    TSessionTestForm& Form() { return *form_; }
    sim::ProcessorSimulator& Processor() { return processor_; }
    sim::SimTcpServer& Tcp() { return *tcp_; }
    sim::SimPty& Pty() { return *pty_; }
    sim::SimHidDevice& Usb() { return *usb_; }

    // What the program does 300 ms after its start: the link button pressed, which starts a
    // scan and shows the scan dialog modally.
    void StartConnect();
    // Runs the event loop until the condition holds (false after limit).
    bool WaitUntil(const std::function<bool()>& condition,
                   std::chrono::milliseconds limit = std::chrono::seconds(20));
    // Connected and read back: identity accepted, the image shown, nothing of the exchange
    // pending and no dialog shown.
    bool ReadBackDone() const;
    int ReadBacks() const { return form_->applyUnitImageCalls; }

    // Further dialogs the script watches as it watches the session's.
    void WatchModal(TCustomForm* form) { watched_.push_back(form); }
    // Called on every script tick (5 ms) with each session dialog shown modally now.
    std::function<void(TCustomForm& modal)> onModal;
    // Texts of the dialogs as they showed, in order: "scan:<lblScan>", "info:<lbMessage>",
    // "process:<status text>"; an entry is added when it changes.
    const std::vector<std::string>& Timeline() const { return timeline_; }
    bool TimelineHas(const std::string& entry) const;
    // The timeline with the milliseconds since the harness began and the frame codes the
    // processor read, for failure messages.
    std::string Story() const;

    // The codes of the frames the processor read, a repeated frame counted once.
    std::vector<std::uint8_t> CodesRead() const;
    // The frames the processor read since the record was last cleared.
    std::vector<std::vector<std::uint8_t>> PayloadsOf(std::uint8_t code) const;

private:
    void ScriptTick();
    void Record(const std::string& entry);

    sim::ProcessorSimulator processor_;
    std::shared_ptr<TFakeHidBus> bus_;
    std::shared_ptr<IHidBackend> previousBackend_;
    std::unique_ptr<sim::SimTcpServer> tcp_;
    std::unique_ptr<sim::SimPty> pty_;
    std::vector<std::unique_ptr<sim::ProcessorSimulator>> extraProcessors_;
    std::vector<std::unique_ptr<sim::SimPty>> extraPtys_;
    sim::ProcessorSimulator* slowProcessor_ = nullptr;
    std::unique_ptr<sim::SimHidDevice> usb_;
    std::unique_ptr<TSessionTestForm> form_;
    std::unique_ptr<TSessionDialogs> dialogs_;
    std::unique_ptr<TTimer> script_;
    std::vector<std::string> timeline_;
    std::vector<TCustomForm*> watched_;
    std::vector<long> timelineMs_;
    std::chrono::steady_clock::time_point begun_ = std::chrono::steady_clock::now();
    std::chrono::steady_clock::time_point modalSince_ = std::chrono::steady_clock::now();
};

// True when every element of needle appears in haystack in order (others may come between).
bool IsSubsequence(const std::vector<std::uint8_t>& needle,
                   const std::vector<std::uint8_t>& haystack);

// The codes of the connect sequence up to the end of the read-back: 16, 19, 44, 34, 20, 41 x30,
// 39 x16, 18.
std::vector<std::uint8_t> ConnectSequence();

}  // namespace dsp::test

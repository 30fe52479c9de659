#include "tests/mainwindow/EditingSession.h"

#include <algorithm>

#include "framework/hid/FakeHid.h"
#include "framework/os/SerialPortList.h"
#include "link/forms/FNetWorkScan.h"
#include "link/forms/FProcess.h"
#include "model/Lunitcontrol.h"
#include "tests/mainwindow/SessionHarness.h"
#include "tests/mainwindow/SessionTestForm.h"
#include "tests/support/RunLoop.h"
#include "tools/sim/SimFrontEnds.h"

namespace dsp::test {

TEditingSession::TEditingSession(sim::SimulatorOptions options)
    : processor_(std::move(options)), bus_(std::make_shared<TFakeHidBus>()) {
    // No USB device and none of the machine's serial ports: the network candidate is the one.
    previousBackend_ = SetHidBackend(bus_);
    SetSerialDeviceScan(false);
    ClearSerialPortOverrides();
    tcp_ = std::make_unique<sim::SimTcpServer>(processor_);
    tcp_->Start("127.0.0.1", kEditorPort);
    window_ = new TEditingWindow(nullptr);
    fmMain = window_;
    window_->AfterConstruction();
    window_->StopStartUpTimer();
    window_->SetDeviceAddress(0x7F000001, "127.0.0.1");
    dialogs_ = std::make_unique<TSessionDialogs>();
}

TEditingSession::~TEditingSession() {
    delete window_;
    dialogs_.reset();
    tcp_.reset();
    ClearSerialPortOverrides();
    SetSerialDeviceScan(true);
    SetHidBackend(previousBackend_);
}

bool TEditingSession::WaitUntil(const std::function<bool()>& condition,
                                std::chrono::milliseconds limit) {
    return RunLoopUntil(condition, limit);
}

bool TEditingSession::ReadBackDone(int imagesBefore) const {
    return window_->SessionOpen() && window_->SessionPhase() == TSessionPhase::Idle &&
           window_->imagesShown > imagesBefore && !fmProcess->Visible() && !fmNetwork->Visible();
}

bool TEditingSession::Connect() {
    const int before = window_->imagesShown;
    window_->StartConnecting();
    return WaitUntil([&] { return ReadBackDone(before); });
}

bool TEditingSession::ReadBack() {
    window_->Disconnect();
    if (!WaitUntil([&] { return !window_->SessionOpen(); })) return false;
    return Connect();
}

bool TEditingSession::ProcessorAgrees() const {
    const sim::ProcessorMemory memory = processor_.Memory();
    const auto image = window_->Model().GetImage().Bytes();
    return std::equal(image.begin(), image.end(), memory.current.begin());
}

int TEditingSession::FramesRead(std::uint8_t code) const {
    const auto frames = processor_.FramesRead();
    return static_cast<int>(std::count_if(
        frames.begin(), frames.end(), [code](const sim::SimFrame& f) { return f.code == code; }));
}

}  // namespace dsp::test

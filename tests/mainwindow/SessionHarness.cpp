#include "tests/mainwindow/SessionHarness.h"

#include <algorithm>

#include "dialogs/FInformation.h"
#include "framework/controls/Label.h"
#include "framework/os/SerialPortList.h"
#include "framework/runtime/Timer.h"
#include "link/forms/FNetWorkScan.h"
#include "link/forms/FProcess.h"
#include "tests/support/RunLoop.h"
#include "tools/sim/SimFrontEnds.h"
#include "tools/sim/SimHidDevice.h"

namespace dsp::test {

namespace {
// How long a dialog of the session may stay modal before the script closes it: a test that
// went wrong ends instead of hanging in a nested loop.
constexpr auto kModalLimit = std::chrono::seconds(30);
constexpr std::uint8_t kConnectCode = 16;
constexpr std::uint8_t kIdentityCode = 19;
}  // namespace

TSessionHarness::TSessionHarness(THarnessOptions options)
    : processor_(options.processor), bus_(std::make_shared<TFakeHidBus>()) {
    previousBackend_ = SetHidBackend(bus_);
    SetSerialDeviceScan(false);
    ClearSerialPortOverrides();
    for (const TExtraPort& port : options.extraPorts) {
        if (port.kind == TExtraPort::Missing) {
            AddSerialPortOverride(port.name, "/nonexistent/tty-" + port.name);
            continue;
        }
        sim::SimulatorOptions o;
        if (port.kind == TExtraPort::OtherId) o.deviceId = 5;
        auto& processor =
            extraProcessors_.emplace_back(std::make_unique<sim::ProcessorSimulator>(o));
        if (port.kind == TExtraPort::Silent) processor->SetSilent(true);
        if (port.kind == TExtraPort::Slow) {
            processor->SetReplyDelay(kSlowConnectMs);
            slowProcessor_ = processor.get();
        }
        auto& pty = extraPtys_.emplace_back(std::make_unique<sim::SimPty>(*processor));
        if (pty->Start()) AddSerialPortOverride(port.name, pty->SlavePath());
    }
    if (options.tcp) {
        tcp_ = std::make_unique<sim::SimTcpServer>(processor_);
        tcp_->Start("127.0.0.1", kEditorPort);
    }
    if (options.pty) {
        pty_ = std::make_unique<sim::SimPty>(processor_);
        if (pty_->Start()) AddSerialPortOverride(options.ptyName, pty_->SlavePath());
    }
    usb_ = std::make_unique<sim::SimHidDevice>(processor_, *bus_);
    if (options.usb) usb_->Plug();

    form_ = std::make_unique<TSessionTestForm>(nullptr);
    form_->AfterConstruction();
    // The network candidate is the loopback address: refused where no simulator listens.
    form_->SetDeviceAddress("127.0.0.1");
    dialogs_ = std::make_unique<TSessionDialogs>();

    script_ = std::make_unique<TTimer>(nullptr);
    script_->SetEnabled(false);
    script_->SetInterval(5);
    script_->SetOnTimer([this](TObject*) { ScriptTick(); });
    script_->SetEnabled(true);
}

TSessionHarness::~TSessionHarness() {
    script_.reset();
    form_.reset();
    dialogs_.reset();
    usb_.reset();
    pty_.reset();
    tcp_.reset();
    extraPtys_.clear();
    extraProcessors_.clear();
    ClearSerialPortOverrides();
    SetSerialDeviceScan(true);
    SetHidBackend(previousBackend_);
}

void TSessionHarness::StartConnect() { form_->tmStartConnect->SetEnabled(true); }

bool TSessionHarness::WaitUntil(const std::function<bool()>& condition,
                                std::chrono::milliseconds limit) {
    return RunLoopUntil(condition, limit);
}

bool TSessionHarness::ReadBackDone() const {
    return form_->SessionOpen() && form_->SessionPhase() == TSessionPhase::Idle &&
           form_->applyUnitImageCalls > 0 && !fmProcess->Visible() && !fmNetwork->Visible();
}

bool TSessionHarness::TimelineHas(const std::string& entry) const {
    return std::find(timeline_.begin(), timeline_.end(), entry) != timeline_.end();
}

void TSessionHarness::Record(const std::string& entry) {
    // A new entry only when the text of that dialog (the part before ':') changed.
    const std::string kind = entry.substr(0, entry.find(':'));
    for (auto e = timeline_.rbegin(); e != timeline_.rend(); ++e) {
        if (e->substr(0, e->find(':')) != kind) continue;
        if (*e == entry) return;
        break;
    }
    timeline_.push_back(entry);
    timelineMs_.push_back(static_cast<long>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                                std::chrono::steady_clock::now() - begun_)
                                                .count()));
}

std::string TSessionHarness::Story() const {
    std::string story;
    for (std::size_t i = 0; i < timeline_.size(); ++i)
        story += std::to_string(timelineMs_[i]) + " ms " + timeline_[i] + "\n";
    story += "frames read:";
    for (std::uint8_t code : CodesRead()) story += " " + std::to_string(code);
    return story;
}

void TSessionHarness::ScriptTick() {
    if (slowProcessor_) {
        // A slow processor only while it is found: the read-back itself runs at full speed.
        bool connect = false, identity = false;
        for (const sim::SimFrame& f : slowProcessor_->FramesRead()) {
            connect |= f.code == kConnectCode;
            identity |= f.code == kIdentityCode;
        }
        if (identity) {
            slowProcessor_->SetReplyDelay(0);
        } else if (connect) {
            slowProcessor_->SetReplyDelay(kSlowIdentityMs);
        }
    }
    if (fmNetwork->Visible()) {
        Record("scan:" + fmNetwork->lblScan->Caption());
        if (!fmNetwork->lblDeviceID->Caption().empty())
            Record("count:" + fmNetwork->lblDeviceID->Caption());
    }
    if (fmInformation->Visible()) Record("info:" + fmInformation->lbMessage->Caption());
    if (fmProcess->Visible()) Record("process:" + fmProcess->StatusText());
    bool anyModal = false;
    std::vector<TCustomForm*> forms{fmNetwork, fmInformation, fmProcess};
    forms.insert(forms.end(), watched_.begin(), watched_.end());
    for (TCustomForm* form : forms) {
        if (!form->Visible() || !form->FormState().Contains(fsModal)) continue;
        if (!anyModal && std::chrono::steady_clock::now() - modalSince_ > kModalLimit) {
            Record("stuck:" + form->Caption());
            form->Close();
            continue;
        }
        anyModal = true;
        if (onModal) onModal(*form);
    }
    if (!anyModal) modalSince_ = std::chrono::steady_clock::now();
}

std::vector<std::uint8_t> TSessionHarness::CodesRead() const {
    std::vector<std::uint8_t> codes;
    std::vector<std::uint8_t> last;
    for (const sim::SimFrame& f : processor_.FramesRead()) {
        if (f.bytes == last) continue;
        last = f.bytes;
        codes.push_back(f.code);
    }
    return codes;
}

std::vector<std::vector<std::uint8_t>> TSessionHarness::PayloadsOf(std::uint8_t code) const {
    std::vector<std::vector<std::uint8_t>> payloads;
    for (const sim::SimFrame& f : processor_.FramesRead()) {
        if (f.code == code) payloads.push_back(f.payload);
    }
    return payloads;
}

bool IsSubsequence(const std::vector<std::uint8_t>& needle,
                   const std::vector<std::uint8_t>& haystack) {
    std::size_t i = 0;
    for (std::uint8_t c : haystack) {
        if (i < needle.size() && needle[i] == c) ++i;
    }
    return i == needle.size();
}

std::vector<std::uint8_t> ConnectSequence() {
    std::vector<std::uint8_t> codes{16, 19, 44, 34, 20};
    codes.insert(codes.end(), 30, 41);
    codes.insert(codes.end(), 16, 39);
    codes.push_back(18);
    return codes;
}

}  // namespace dsp::test

// The strips' handlers and the link groups on the program's main window, end to end: the window
// connects to the processor simulator over TCP on 127.0.0.1 by itself as the program does, the
// edits are made on its controls, and the processor's memory is checked, then the window reads
// the processor back and shows what it holds. Runs inside the private network namespace.

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "dialogs/FLinkSel.h"
#include "framework/controls/KeyMap.h"
#include "framework/controls/Label.h"
#include "framework/hid/FakeHid.h"
#include "framework/os/ClientSocket.h"
#include "framework/os/SerialPortList.h"
#include "framework/runtime/Timer.h"
#include "link/forms/FNetWorkScan.h"
#include "link/forms/FProcess.h"
#include "mainwindow/FMain.h"
#include "model/Lunitcontrol.h"
#include "model/UnitImage.h"
#include "tests/mainwindow/SessionHarness.h"
#include "tests/mainwindow/SessionTestForm.h"
#include "tests/support/RunLoop.h"
#include "tools/sim/SimFrontEnds.h"
#include "widgets/panels/RzBmpBtn.h"
#include "widgets/styled/AdvTrackBar.h"
#include "widgets/styled/CurvyControls.h"

namespace dsp::test {
namespace {

// The program's main window, counting the images it shows and aimed at the loopback address.
class TLinkedMainWindow : public TfmMain {
public:
    using TfmMain::TfmMain;
    int shownImages = 0;
    void ApplyUnitImage() override {
        ++shownImages;
        TfmMain::ApplyUnitImage();
    }
    void AimAtLoopback() {
        FDeviceIp = 0x7F000001;
        ClientSocket->SetAddress("127.0.0.1");
    }
    int Ack() const { return AckState; }
};

class StripsEndToEnd : public ::testing::Test {
protected:
    StripsEndToEnd() : bus_(std::make_shared<TFakeHidBus>()) {
        previousBackend_ = SetHidBackend(bus_);
        SetSerialDeviceScan(false);
        ClearSerialPortOverrides();
        tcp_ = std::make_unique<sim::SimTcpServer>(processor_);
        tcp_->Start("127.0.0.1", kEditorPort);
        window_ = new TLinkedMainWindow(nullptr);
        fmMain = window_;
        window_->AfterConstruction();
        window_->AimAtLoopback();
        dialogs_ = std::make_unique<TSessionDialogs>();
        fmLinkSel = new TfmLinkSel(nullptr);
        fmLinkSel->AfterConstruction();
        // A session dialog left modal (a connect that went wrong) runs a nested loop in which
        // the test's own wait cannot end: it is closed after a while, and the test fails.
        watchdog_ = std::make_unique<TTimer>(nullptr);
        watchdog_->SetInterval(100);
        watchdog_->SetOnTimer([this](TObject*) {
            const auto now = std::chrono::steady_clock::now();
            bool modal = false;
            for (TCustomForm* form :
                 {static_cast<TCustomForm*>(fmNetwork), static_cast<TCustomForm*>(fmProcess)}) {
                if (!form->Visible() || !form->FormState().Contains(fsModal)) continue;
                modal = true;
                if (now - modalSince_ > std::chrono::seconds(25)) form->Close();
            }
            if (!modal) modalSince_ = now;
        });
        watchdog_->SetEnabled(true);
    }
    ~StripsEndToEnd() override {
        watchdog_.reset();
        delete fmLinkSel;
        delete window_;
        fmMain = nullptr;
        dialogs_.reset();
        tcp_.reset();
        SetSerialDeviceScan(true);
        SetHidBackend(previousBackend_);
    }

    TLinkedMainWindow& Window() { return *window_; }
    template <typename T>
    T& At(const std::string& name) {
        T* control = window_->Control<T>(name);
        EXPECT_NE(control, nullptr) << name;
        return *control;
    }
    // Connected, read back and quiet: nothing pending, no dialog shown.
    bool Settled() const {
        return window_->SessionOpen() && window_->SessionPhase() == TSessionPhase::Idle &&
               window_->Ack() == 0 && !fmProcess->Visible() && !fmNetwork->Visible();
    }
    void ConnectAndReadBack() {
        ASSERT_TRUE(RunLoopUntil([&] { return Settled() && window_->shownImages > 0; },
                                 std::chrono::seconds(20)));
    }
    // Reads the processor back as a link change does, and waits until it is shown.
    void ReadBack() {
        const int shown = window_->shownImages;
        window_->CommitLinks();
        ASSERT_TRUE(RunLoopUntil([&] { return Settled() && window_->shownImages > shown; },
                                 std::chrono::seconds(20)));
    }
    UnitImage Processor() const {
        const sim::MemoryImage memory = processor_.Memory().current;
        return UnitImage::FromBytes(
            std::span<const std::uint8_t, UnitImageSize>(memory.data(), UnitImageSize));
    }
    bool ProcessorHas(const std::function<bool(const UnitImage&)>& holds) {
        return RunLoopUntil([&] { return holds(Processor()); }, std::chrono::seconds(10));
    }
    void Press(const std::string& name, bool down) {
        auto& button = At<TRzBmpButton>(name);
        button.SetDown(down);
        button.Click();
    }
    void Type(const std::string& box, const std::string& text) {
        auto& edit = At<TCurvyEdit>(box);
        edit.SetText(text);
        TKeyCode enter = VK_RETURN;
        window_->cvdDelayInBKeyDown(&edit, enter, {});
    }
    std::string Text(const std::string& box) { return At<TCurvyEdit>(box).Text(); }

    sim::ProcessorSimulator processor_;
    std::shared_ptr<TFakeHidBus> bus_;
    std::shared_ptr<IHidBackend> previousBackend_;
    std::unique_ptr<sim::SimTcpServer> tcp_;
    TLinkedMainWindow* window_ = nullptr;
    std::unique_ptr<TSessionDialogs> dialogs_;
    std::unique_ptr<TTimer> watchdog_;
    std::chrono::steady_clock::time_point modalSince_ = std::chrono::steady_clock::now();
};

TEST_F(StripsEndToEnd, EditsOnTheStripsReachTheProcessorAndSurviveAReadBack) {
    ConnectAndReadBack();
    // Gain: the code is the position less the fader's minimum, whichever of the twins moved.
    At<TAdvTrackBar>("isGainOut2").SetPosition(-60);
    EXPECT_EQ(At<TAdvTrackBar>("isGainBackupOut2").Position(), -60);
    EXPECT_EQ(Text("cvdGainBackupOut2"), "-6.0dB");
    At<TAdvTrackBar>("isGainBackupInA").SetPosition(-280);
    EXPECT_EQ(At<TAdvTrackBar>("isGainInA").Position(), -280);
    EXPECT_EQ(Text("cvdGainInA"), "-60.0dB");
    At<TAdvTrackBar>("isGainInC").SetPosition(120);
    EXPECT_EQ(Text("cvdGainBackupInC"), "+12.0dB");
    // Mute and polarity, from either twin.
    Press("rzbMuteBackupOut6", true);
    EXPECT_TRUE(At<TRzBmpButton>("rzbMuteOut6").Down());
    Press("rzbPhaseInA", true);
    EXPECT_TRUE(At<TRzBmpButton>("rzbPhaseBackupInA").Down());
    EXPECT_EQ(At<TRzBmpButton>("rzbPhaseInA").Caption(), "Inverse");
    EXPECT_EQ(At<TRzBmpButton>("rzbPhaseBackupInA").Caption(), "Inverse");
    // Delay by the fader, with the marker at its place on the line, and typed in each unit.
    At<TAdvTrackBar>("isDelayInB").SetPosition(4800);
    EXPECT_EQ(At<TControl>("imDelayInB").Left(), 68);
    EXPECT_EQ(Text("cvdDelayInB"), "50.000 ms");
    EXPECT_EQ(At<TLabel>("lbFftDelayTimeInB").Caption(), "50.000 ms");
    Type("cvdDelayOut1", "10");
    EXPECT_EQ(At<TAdvTrackBar>("isDelayOut1").Position(), 960);
    Type("cvdDelayOut4", "700ms");
    EXPECT_EQ(Text("cvdDelayOut4"), "680.000 ms");
    Press("rzbUnit1", true);
    EXPECT_EQ(Text("cvdDelayInB"), "17.175 m");
    EXPECT_EQ(At<TLabel>("lbFftDelayTimeInB").Caption(), "17.175 m");
    Type("cvdDelayOut2", "1");
    EXPECT_EQ(At<TAdvTrackBar>("isDelayOut2").Position(), 279);
    // Routing: InC joins InA on Out1.
    Press("rzbCMatrixOut1", true);

    ASSERT_TRUE(ProcessorHas([](const UnitImage& p) {
        return p.Gain(4) == 220 && p.Gain(0) == 0 && p.Gain(2) == 400 &&
               ((p.OutputMuteMask >> 5) & 1) == 1 && p.Polarity(0) == 1 && p.Delay(1) == 4800 &&
               p.Delay(3) == 960 && p.Delay(6) == 65280 && p.Delay(4) == 279 && p.DelayUnit == 1 &&
               p.Outputs[0].RoutingMask == 5;
    }));
    // Something changed on the processor behind the window's back shows too.
    processor_.ChangeMemory([](sim::ProcessorMemory& m) {
        const std::size_t gain = offsetof(UnitImage, Outputs) + sizeof(OutputChannelParams) * 0 +
                                 offsetof(OutputChannelParams, Gain);
        m.current[gain + 2 * sizeof(OutputChannelParams)] = 100;
        m.current[gain + 2 * sizeof(OutputChannelParams) + 1] = 0;
    });
    ReadBack();
    EXPECT_EQ(At<TAdvTrackBar>("isGainOut2").Position(), -60);
    EXPECT_EQ(At<TAdvTrackBar>("isGainInA").Position(), -280);
    EXPECT_EQ(Text("cvdGainOut3"), "-18.0dB");
    EXPECT_TRUE(At<TRzBmpButton>("rzbMuteBackupOut6").Down());
    EXPECT_TRUE(At<TRzBmpButton>("rzbPhaseInA").Down());
    EXPECT_EQ(Text("cvdDelayInB"), "17.175 m");
    EXPECT_EQ(At<TAdvTrackBar>("isDelayOut1").Position(), 960);
    EXPECT_TRUE(At<TRzBmpButton>("rzbUnit1").Down());
    EXPECT_TRUE(At<TRzBmpButton>("rzbCMatrixOut1").Down());
    EXPECT_TRUE(At<TRzBmpButton>("rzbAMatrixOut1").Down());
    EXPECT_FALSE(At<TRzBmpButton>("rzbBMatrixOut1").Down());
}

TEST_F(StripsEndToEnd, ATextThatIsNoNumberPutsTheDelayBackAndSendsNothing) {
    ConnectAndReadBack();
    Type("cvdDelayInC", "5");
    ASSERT_TRUE(ProcessorHas([](const UnitImage& p) { return p.Delay(2) == 480; }));
    processor_.ClearRecord();
    for (const char* typed : {"1.2.3", ".", "abc", "", "-3", "1,5", "1.5 ms", "5.5.ms"}) {
        Type("cvdDelayInC", typed);
        EXPECT_EQ(Text("cvdDelayInC"), "5.000 ms") << typed;
        EXPECT_EQ(At<TAdvTrackBar>("isDelayInC").Position(), 480) << typed;
    }
    Type("cvdDelayInC", "1.5MS");
    EXPECT_EQ(Text("cvdDelayInC"), "1.500 ms");
    ASSERT_TRUE(ProcessorHas([](const UnitImage& p) { return p.Delay(2) == 144; }));
    int delays = 0;
    for (const sim::SimFrame& frame : processor_.FramesRead()) delays += frame.code == 56 ? 1 : 0;
    EXPECT_GE(delays, 1);
    EXPECT_LE(delays, 2) << "only the accepted value goes out";
}

TEST_F(StripsEndToEnd, ALinkSetOnlineCopiesLinksAndReadsTheGroupsBack) {
    ConnectAndReadBack();
    At<TAdvTrackBar>("isGainOut2").SetPosition(-100);
    Press("rzbMuteOut2", true);
    ASSERT_TRUE(ProcessorHas([](const UnitImage& p) { return p.Gain(4) == 180; }));
    processor_.ClearRecord();
    // Out3 follows Out2.
    fmLinkSel->Show();
    auto* cell = fmLinkSel->GridButton(5, 4);
    cell->SetDown(true);
    cell->Click();
    fmLinkSel->bnSetClick(fmLinkSel->bnSet);
    ASSERT_TRUE(RunLoopUntil([&] { return Settled() && window_->shownImages > 1; },
                             std::chrono::seconds(20)));
    const UnitImage p = Processor();
    EXPECT_EQ(p.LinkMask(4), 6);
    EXPECT_EQ(p.LinkMask(5), 0);
    EXPECT_EQ(p.Gain(5), 180) << "the new follower took its leader's settings";
    EXPECT_EQ((p.OutputMuteMask >> 2) & 1, 1);
    // The copy went before the masks, the keep-alive that reads back after them.
    std::vector<std::uint8_t> codes;
    for (const sim::SimFrame& frame : processor_.FramesRead()) {
        if (codes.empty() || codes.back() != frame.code) codes.push_back(frame.code);
    }
    EXPECT_TRUE(IsSubsequence({42, 59, 18}, codes)) << ::testing::PrintToString(codes);
    // The window shows the groups the processor holds.
    EXPECT_EQ(Window().UnitControl().GetLinkMask(4), 6);
    EXPECT_EQ(At<TRzBmpButton>("rzbMenuOut3").Caption(), "3=2");
    EXPECT_EQ(At<TRzBmpButton>("rzbMenuOut2").Caption(), "Out2");
    EXPECT_EQ(At<TAdvTrackBar>("isGainBackupOut3").Position(), -100);
    // An edit on the follower reaches the whole group on the processor.
    At<TAdvTrackBar>("isGainBackupOut3").SetPosition(-20);
    EXPECT_EQ(At<TAdvTrackBar>("isGainOut2").Position(), -20);
    EXPECT_TRUE(
        ProcessorHas([](const UnitImage& m) { return m.Gain(4) == 260 && m.Gain(5) == 260; }));
}

}  // namespace
}  // namespace dsp::test

// The session against the processor simulator, over the real transports: TCP on the editor's
// port, a pseudo-terminal listed as COM1, and the processor's device on the fake HID bus.
// Frame sequences are compared as subsequences with repeats counted once: an idle line has the
// link write its last frame again.

#include <gtest/gtest.h>

#include <algorithm>

#include "components/LProgressBar.h"
#include "dialogs/FInformation.h"
#include "framework/controls/Label.h"
#include "framework/controls/ListBox.h"
#include "framework/controls/UpDown.h"
#include "framework/os/ClientSocket.h"
#include "framework/os/SerialPortList.h"
#include "framework/runtime/Timer.h"
#include "link/LinkMessages.h"
#include "link/Lnet.h"
#include "link/Lusb.h"
#include "link/forms/FHidData.h"
#include "link/forms/FNetWorkScan.h"
#include "link/forms/FProcess.h"
#include "model/Lcmd.h"
#include "model/Lunitcontrol.h"
#include "tests/mainwindow/SessionHarness.h"
#include "tests/model/LinkedSetterCases.h"
#include "tools/sim/SimFrontEnds.h"
#include "tools/sim/SimHidDevice.h"
#include "widgets/panels/RzBmpBtn.h"

namespace dsp::test {
namespace {

using Bytes = std::vector<std::uint8_t>;

enum class TDoor { Tcp, Pty, Usb };

THarnessOptions Through(TDoor door) {
    THarnessOptions o;
    o.tcp = door == TDoor::Tcp;
    o.pty = door == TDoor::Pty;
    o.usb = door == TDoor::Usb;
    return o;
}

std::string DoorName(TDoor door) {
    return door == TDoor::Tcp ? "Tcp" : door == TDoor::Pty ? "Pty" : "Usb";
}

// Connects and waits for the end of the read-back.
::testing::AssertionResult Connect(TSessionHarness& h) {
    h.StartConnect();
    // Done, and the processor has read the keep-alive that ends the read-back.
    if (h.WaitUntil(
            [&] { return h.ReadBackDone() && IsSubsequence(ConnectSequence(), h.CodesRead()); }))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "no read-back; dialogs: " << h.Story();
}

// The lines of the traffic monitor that begin with prefix.
std::vector<std::string> MonitorLines(const std::string& prefix) {
    std::vector<std::string> lines;
    TStrings* items = fmHidData->hbHidData->Items();
    for (int i = 0; i < items->Count(); ++i) {
        if (items->Strings(i).rfind(prefix, 0) == 0) lines.push_back(items->Strings(i));
    }
    return lines;
}

// The editor's image and the processor's current settings hold the same parameters.
bool ImagesAgree(TSessionHarness& h) {
    const auto editor = h.Form().UnitControl().GetImage().Bytes();
    const sim::MemoryImage processor = h.Processor().Memory().current;
    return std::equal(editor.begin() + 2, editor.end(), processor.begin() + 2);
}

// ---- scenario 1: connect and read back on each transport

class ConnectAndReadBack : public ::testing::TestWithParam<TDoor> {};

TEST_P(ConnectAndReadBack, AsksForEverythingInOrderAndShowsWhereItIsConnected) {
    TSessionHarness h(Through(GetParam()));
    fmHidData->Show();
    ASSERT_TRUE(Connect(h));

    const Bytes codes = h.CodesRead();
    EXPECT_TRUE(IsSubsequence(ConnectSequence(), codes)) << ::testing::PrintToString(codes);
    std::vector<Bytes> names = h.PayloadsOf(CommandCode::MCS_GET_PRESET_NAME);
    names.erase(std::unique(names.begin(), names.end()), names.end());
    ASSERT_EQ(names.size(), 30u);
    for (std::uint8_t s = 0; s < 30; ++s) EXPECT_EQ(names[s], Bytes{s});
    std::vector<Bytes> blocks = h.PayloadsOf(CommandCode::MCS_READ_SETTINGS_BLOCK);
    blocks.erase(std::unique(blocks.begin(), blocks.end()), blocks.end());
    ASSERT_EQ(blocks.size(), 16u);
    for (std::uint8_t b = 0; b < 16; ++b) EXPECT_EQ(blocks[b], Bytes{b});
    EXPECT_TRUE(h.Processor().Faults().empty()) << ::testing::PrintToString(h.Processor().Faults());
    EXPECT_TRUE(ImagesAgree(h));

    const std::string where = GetParam() == TDoor::Tcp   ? "IP : 127.0.0.1"
                              : GetParam() == TDoor::Pty ? "COM1"
                                                         : "USB";
    EXPECT_EQ(h.Form().lbShowIp->Caption(), where);
    EXPECT_EQ(h.Form().rzbMenuLink->Caption(), "OnLine");
    EXPECT_TRUE(h.Form().rzbMenuLink->Enabled());
    EXPECT_TRUE(h.Form().rzbMenuLink->Down());
    EXPECT_TRUE(h.Form().tmInLevelDet->Enabled());
    // Nothing is left that could show the progress window after the read-back.
    EXPECT_FALSE(h.Form().FProgressPending);
    EXPECT_FALSE(h.Form().tmProcessShow->Enabled());
    EXPECT_FALSE(fmProcess->Visible());

    // The serial port is the second candidate, after the refused network address.
    if (GetParam() == TDoor::Pty) {
        EXPECT_TRUE(h.TimelineHas("count:2/2"));
    }
    // The traffic monitor lists what went each way.
    const std::string kind = GetParam() == TDoor::Tcp   ? "NET"
                             : GetParam() == TDoor::Pty ? "COM"
                                                        : "USB";
    const std::string report = GetParam() == TDoor::Usb ? "00  " : "";
    ASSERT_TRUE(h.WaitUntil([&] { return !MonitorLines(kind + " R " + report).empty(); }));
    const std::vector<std::string> writes = MonitorLines(kind + " W " + report);
    ASSERT_FALSE(writes.empty());
    EXPECT_EQ(writes[0], kind + " W " + report + "10 02 00 01 01 10 10 03 11 ");
    EXPECT_TRUE(MonitorLines("NET RW ").empty());
}

INSTANTIATE_TEST_SUITE_P(SessionEndToEnd, ConnectAndReadBack,
                         ::testing::Values(TDoor::Tcp, TDoor::Pty, TDoor::Usb),
                         [](const auto& row) { return DoorName(row.param); });

// ---- scenario 2: edits reach the processor

TEST(SessionEndToEnd, EditsReachTheProcessorAndFollowerEditsReachItsGroup) {
    TSessionHarness h(Through(TDoor::Tcp));
    ASSERT_TRUE(Connect(h));
    LUnitControl& model = h.Form().UnitControl();
    const int before = h.Processor().FrameCount();
    for (int i = 0; i < 50; ++i) model.SetGain(3, static_cast<std::uint16_t>(200 + i));
    // Out1 leads Out2; the follower's edits change both on the processor.
    model.SetLinkMask(3, 0b11);
    model.SetLinkMask(4, 0);
    model.SetGain(4, 111);
    model.SetDelay(4, 480);
    model.SetMute(4, 1);
    ASSERT_TRUE(h.WaitUntil([&] { return ImagesAgree(h); }, std::chrono::seconds(5)));
    EXPECT_EQ(model.GetGain(3), 111);
    EXPECT_EQ(model.GetGain(4), 111);
    // A burst of moves of one fader collapses into few frames, the last value among them.
    int gainFrames = 0;
    const std::vector<sim::SimFrame> frames = h.Processor().FramesRead();
    for (std::size_t i = static_cast<std::size_t>(before); i < frames.size(); ++i)
        gainFrames += frames[i].code == CommandCode::CM_MCS_GAIN && frames[i].payload[0] == 3;
    EXPECT_LT(gainFrames, 10);
    EXPECT_TRUE(h.Processor().Faults().empty());
}

// Every setter that follows links, edited from a follower on each side, over the real transport:
// the processor applies each record to the group its channel's mask names, so it must end with
// the settings the editor shows.
TEST(SessionEndToEnd, EveryLinkedEditFromAFollowerReachesItsGroupOnTheProcessor) {
    TSessionHarness h(Through(TDoor::Tcp));
    ASSERT_TRUE(Connect(h));
    LUnitControl& model = h.Form().UnitControl();
    LinkForTheCases(model);
    for (const LinkedSetterCase& c : LinkedSetterCases()) {
        if (c.inputs) c.edit(model, kInputFollower);
        if (c.outputs) c.edit(model, kOutputFollower);
    }
    ASSERT_TRUE(h.WaitUntil([&] { return ImagesAgree(h); }, std::chrono::seconds(5)));
    EXPECT_EQ(model.GetDelay(4), 4321);  // the output group's leader took the follower's edit
    EXPECT_EQ(model.GetGain(0), 321);    // and the input group's
    EXPECT_TRUE(h.Processor().Faults().empty());
}

// ---- scenario 5: level polling

TEST(SessionEndToEnd, PolledLevelsMoveTheMetersAndMalformedLevelRepliesAreIgnored) {
    TSessionHarness h(Through(TDoor::Usb));
    ASSERT_TRUE(Connect(h));
    Bytes levels(37, 0);
    sim::ProcessorSimulator::PackLevel(levels, 0, 1.0f);  // InA at 0 dB
    sim::ProcessorSimulator::PackLevel(levels, 4, 1.0f);  // Out1 at 0 dB
    levels[36] = 0b000001;                                // Out1 limits
    h.Form().udCompRatioOut[0]->SetPosition(5);
    h.Processor().SetLevels(levels);
    ASSERT_TRUE(h.WaitUntil([&] { return h.Form().pbLevelIn[0]->GetPosition() == 8; }));
    EXPECT_EQ(h.Form().pbLevelOut[0]->GetPosition(), 7);
    EXPECT_EQ(h.Form().pbLimitCompOut[0]->GetPosition(), 1);
    EXPECT_EQ(h.Form().pbLevelIn[1]->GetPosition(), 0);

    // A short level reply changes no meter; the polls after it go on.
    h.Processor().MalformNext(sim::SimMalformation::ShortLevels);
    sim::ProcessorSimulator::PackLevel(levels, 1, 1.0f);  // InB too, after the malformed one
    const int polls = static_cast<int>(h.PayloadsOf(CommandCode::MCS_GET_LEVELS).size());
    h.Processor().SetLevels(levels);
    ASSERT_TRUE(h.WaitUntil([&] { return h.Form().pbLevelIn[1]->GetPosition() == 8; }));
    EXPECT_GT(static_cast<int>(h.PayloadsOf(CommandCode::MCS_GET_LEVELS).size()), polls + 1);
    EXPECT_EQ(h.Form().pbLevelIn[0]->GetPosition(), 8);
    EXPECT_TRUE(h.Form().IsOnline());
}

// ---- scenario 7: identity and device ID

struct TIdentityCase {
    const char* name;
    const char* identity;
    const char* message;
};

void PrintTo(const TIdentityCase& c, std::ostream* os) { *os << c.name; }

class WrongIdentity : public ::testing::TestWithParam<TIdentityCase> {};

TEST_P(WrongIdentity, IsRefusedWithItsMessageAndAGoodbyeToEveryProcessor) {
    THarnessOptions o = Through(TDoor::Tcp);
    o.processor.identity = GetParam().identity;
    TSessionHarness h(o);
    h.onModal = [](TCustomForm& form) {
        if (&form == fmInformation) fmInformation->btnOK->Click();
    };
    h.StartConnect();
    ASSERT_TRUE(
        h.WaitUntil([&] { return h.TimelineHas(std::string("info:") + GetParam().message); }));
    // 300 ms after OK the transport closes.
    ASSERT_TRUE(h.WaitUntil([&] { return !h.Form().HasTransport(); }));
    EXPECT_FALSE(h.Form().SessionOpen());
    EXPECT_FALSE(h.Form().IsOnline());
    bool goodbyeToAll = false;
    for (const sim::SimFrame& f : h.Processor().FramesRead())
        goodbyeToAll |= f.code == CommandCode::MCS_DISCONNECT && f.receiver == 255;
    EXPECT_TRUE(goodbyeToAll);
    const Bytes codes = h.CodesRead();
    EXPECT_EQ(codes.end(), std::find(codes.begin(), codes.end(), CommandCode::MCS_GET_PRESET_MAP));
    EXPECT_EQ(h.ReadBacks(), 0);
}

INSTANTIATE_TEST_SUITE_P(SessionEndToEnd, WrongIdentity,
                         ::testing::Values(TIdentityCase{"Version", "WQJ V020",
                                                         "Unit's Version Error !!"},
                                           TIdentityCase{"Type", "XYZ", "Unit's Type Error !!"}),
                         [](const auto& row) { return std::string(row.param.name); });

TEST(SessionEndToEnd, AProcessorWithAnotherIdEndsItsCandidateAndIsFoundOnceTheIdIsSet) {
    THarnessOptions o = Through(TDoor::Tcp);
    o.processor.deviceId = 5;
    TSessionHarness h(o);
    const auto start = std::chrono::steady_clock::now();
    std::chrono::steady_clock::duration untilNoDevice{};
    Bytes codesBeforeRescan;
    h.onModal = [&](TCustomForm& form) {
        if (&form != fmNetwork || !codesBeforeRescan.empty() ||
            fmNetwork->lblScan->Caption() != "No Device found." || !fmNetwork->btnOK->Enabled())
            return;
        untilNoDevice = std::chrono::steady_clock::now() - start;
        codesBeforeRescan = h.CodesRead();
        // The user sets ID 5 and scans again.
        h.Form().SetDeviceId(5);
        fmNetwork->btnOK->Click();
    };
    h.StartConnect();
    ASSERT_TRUE(h.WaitUntil([&] { return h.ReadBackDone(); })) << h.Story();
    // The only candidate ended on the foreign reply: its 2000 ms watchdog, armed 400 ms after
    // the start (the start and candidate timers), would have ended it 2500 ms after it.
    EXPECT_EQ(codesBeforeRescan, (Bytes{CommandCode::MCS_CONNECT}));
    EXPECT_LT(untilNoDevice, std::chrono::milliseconds(2400));
    EXPECT_EQ(h.Form().GetDeviceId(), 5);
}

// ---- scenario 8: link loss and reconnect

class LinkLoss : public ::testing::TestWithParam<TDoor> {};

TEST_P(LinkLoss, ShowsLinkBrokenAndANewScanReconnects) {
    TSessionHarness h(Through(GetParam()));
    ASSERT_TRUE(Connect(h));
    int scanShows = 0;
    bool wasVisible = false;
    bool rescanned = false;
    bool rescanStarted = false;
    h.onModal = [&](TCustomForm& form) {
        if (&form != fmNetwork) return;
        if (!wasVisible) ++scanShows;
        wasVisible = true;
        if (!rescanned && fmNetwork->lblScan->Caption() == "Link Broken") {
            rescanned = true;
            if (GetParam() == TDoor::Pty) {
                // The line comes back on a new pseudo-terminal under the same name.
                h.Pty().Start();
                AddSerialPortOverride("COM1", h.Pty().SlavePath());
            }
            if (GetParam() == TDoor::Usb) h.Usb().Plug();
        }
        // The device plugged in again is found by the next enumeration.
        if (rescanned && !rescanStarted && fmNetwork->btnOK->Enabled() &&
            (GetParam() != TDoor::Usb || h.Form().HasHidDevice())) {
            rescanStarted = true;
            fmNetwork->btnOK->Click();
        }
    };
    switch (GetParam()) {
        case TDoor::Tcp: h.Tcp().DropConnection(); break;
        case TDoor::Pty: h.Pty().HangUp(); break;
        case TDoor::Usb: h.Usb().Unplug(); break;
    }
    // Noticed at once (a dropped socket, a hung-up line, an unplugged device), not after the
    // reply time-outs of the keep-alive.
    ASSERT_TRUE(
        h.WaitUntil([&] { return h.TimelineHas("scan:Link Broken"); }, std::chrono::seconds(5)))
        << h.Story();
    ASSERT_TRUE(h.WaitUntil([&] { return h.ReadBacks() == 2 && h.ReadBackDone(); })) << h.Story();
    EXPECT_EQ(scanShows, 1);
    EXPECT_TRUE(h.Form().IsOnline());
}

INSTANTIATE_TEST_SUITE_P(SessionEndToEnd, LinkLoss,
                         ::testing::Values(TDoor::Tcp, TDoor::Pty, TDoor::Usb),
                         [](const auto& row) { return DoorName(row.param); });

TEST(SessionEndToEnd, AStoreCutOffByALostLinkStoresNothingAfterTheReconnect) {
    TSessionHarness h(Through(TDoor::Tcp));
    ASSERT_TRUE(Connect(h));
    // A store under way (name sent, its acknowledgement awaited) when the processor falls
    // silent and the connection drops.
    h.Processor().SetSilent(true);
    h.Form().BeginPhase(TSessionPhase::Store);
    h.Form().AckState = 2;
    h.Form().FPresetNumber = 4;
    PresetNameBytes name{};
    name.fill(' ');
    h.Form().SendCommand(CM_MCS_PRESETNAME(1, name), true, true);
    ASSERT_TRUE(h.WaitUntil([&] { return !h.PayloadsOf(CommandCode::CM_MCS_PRESETNAME).empty(); }));
    h.onModal = [&](TCustomForm& form) {
        if (&form == fmNetwork && fmNetwork->lblScan->Caption() == "Link Broken") {
            h.Processor().SetSilent(false);
            fmNetwork->btnOK->Click();
        }
    };
    h.Tcp().DropConnection();
    ASSERT_TRUE(h.WaitUntil([&] { return h.ReadBacks() == 2 && h.ReadBackDone(); }));
    // The read-back's closing keep-alive is acknowledged, and its acknowledgement handled, once a
    // level request follows the last settings block: that acknowledgement continues nothing.
    ASSERT_TRUE(h.WaitUntil([&] {
        const std::vector<sim::SimFrame> frames = h.Processor().FramesRead();
        bool afterBlocks = false;
        for (auto f = frames.rbegin(); f != frames.rend(); ++f) {
            if (f->code == CommandCode::MCS_READ_SETTINGS_BLOCK) return afterBlocks;
            afterBlocks |= f->code == CommandCode::MCS_GET_LEVELS;
        }
        return false;
    }));
    EXPECT_TRUE(h.PayloadsOf(CommandCode::MCS_STORE_PRESET).empty());
    EXPECT_FALSE(h.Processor().Memory().presetUsed[3]);
    EXPECT_EQ(h.Form().AckState, 0);
}

TEST(SessionEndToEnd, ALinkStateOfAClosedTransportIsDropped) {
    TSessionHarness h(Through(TDoor::Pty));
    ASSERT_TRUE(Connect(h));
    // The network candidate came first and was closed; its late codes must not end the
    // serial session.
    const std::uint32_t serial = h.Form().FLinkGeneration;
    ASSERT_GT(serial, 1u);
    PostMessage(h.Form().Handle(), WM_LINK_STATE, lsStopTimeout,
                static_cast<std::intptr_t>((serial - 1) << 8));
    PostMessage(h.Form().Handle(), WM_LINK_STATE, lsReplyTimeout,
                static_cast<std::intptr_t>(((serial - 1) << 8) | 1));
    const int frames = h.Processor().FrameCount();
    ASSERT_TRUE(h.WaitUntil([&] { return h.Processor().FrameCount() > frames + 2; }));
    EXPECT_TRUE(h.Form().SessionOpen());
    EXPECT_TRUE(h.Form().HasTransport());
    // The open transport's own code does end it.
    h.onModal = [](TCustomForm& form) {
        if (&form == fmNetwork) fmNetwork->btnExit->Click();
    };
    PostMessage(h.Form().Handle(), WM_LINK_STATE, lsStopTimeout,
                static_cast<std::intptr_t>(serial << 8));
    ASSERT_TRUE(h.WaitUntil([&] { return !h.Form().SessionOpen(); }));
    EXPECT_FALSE(h.Form().HasTransport());
}

TEST(SessionEndToEnd, TheGoodbyeGoesToTheSessionsDevice) {
    THarnessOptions o = Through(TDoor::Usb);
    o.processor.deviceId = 7;
    o.processor.strictReceiver = true;
    TSessionHarness h(o);
    h.Form().SetDeviceId(7);
    ASSERT_TRUE(Connect(h));
    // With a reply awaited the goodbye would only be queued, and dropped by the close: stop
    // polling and let the line go idle first.
    h.Form().tmInLevelDet->SetEnabled(false);
    ASSERT_TRUE(h.WaitUntil([&] {
        return !h.Form().FUsbLink->AwaitingReply() && h.Form().FUsbLink->WaitingFrames().empty();
    }));
    h.Form().rzbMenuLink->Click();  // connected: disconnects 300 ms later
    ASSERT_TRUE(h.WaitUntil([&] { return !h.Form().HasTransport(); }));
    std::vector<sim::SimFrame> goodbyes;
    for (const sim::SimFrame& f : h.Processor().FramesRead())
        if (f.code == CommandCode::MCS_DISCONNECT) goodbyes.push_back(f);
    ASSERT_FALSE(goodbyes.empty());
    EXPECT_EQ(goodbyes.back().receiver, 7);
    EXPECT_EQ(h.Form().lbShowIp->Caption(), "Disconnected");
}

TEST(SessionEndToEnd, UnpluggingDuringTheUsbCandidateShowsTheScanDialogOnce) {
    THarnessOptions o = Through(TDoor::Usb);
    TSessionHarness h(o);
    h.Processor().SetSilent(true);
    bool unplugged = false;
    h.onModal = [&](TCustomForm& form) {
        if (&form != fmNetwork) return;
        if (!unplugged && h.Form().HasTransport()) {
            unplugged = true;
            h.Usb().Unplug();
        }
        if (fmNetwork->lblScan->Caption() == "Link Broken") fmNetwork->btnExit->Click();
    };
    h.StartConnect();
    ASSERT_TRUE(h.WaitUntil([&] {
        return h.TimelineHas("scan:Link Broken") && !fmNetwork->Visible();
    })) << h.Story();
    EXPECT_FALSE(h.Form().HasTransport());
    EXPECT_TRUE(h.Form().rzbMenuLink->Enabled());
}

// ---- scenario 9: a scan across failing and slow candidates

TEST(SessionEndToEnd, AScanGoesPastFailingPortsAndWaitsItsFullTimeForASlowOne) {
    THarnessOptions o;
    // The failures take about 3.5 s, the slow processor 7.3 s more: longer than one candidate's
    // 10 s watchdog counted from the first port, shorter than its own.
    o.extraPorts = {{"COM1", TExtraPort::Missing}, {"COM2", TExtraPort::OtherId},
                    {"COM3", TExtraPort::Silent},  {"COM4", TExtraPort::Silent},
                    {"COM5", TExtraPort::Silent},  {"COM6", TExtraPort::Slow}};
    TSessionHarness h(o);
    h.StartConnect();
    ASSERT_TRUE(h.WaitUntil([&] { return h.ReadBackDone(); }, std::chrono::seconds(40)))
        << h.Story();
    EXPECT_EQ(h.Form().lbShowIp->Caption(), "COM6");
    // A port that does not open is a candidate that failed, not a broken link.
    EXPECT_FALSE(h.TimelineHas("scan:Link Broken"));
    EXPECT_TRUE(h.TimelineHas("count:7/7"));
}

// ---- scenario 10: split replies

TEST(SessionEndToEnd, RepliesArrivingInTwoPiecesAreNeitherLostNorAnsweredWithARewrite) {
    TSessionHarness h(Through(TDoor::Tcp));
    h.Processor().SetSplitReplies(3);
    fmHidData->Show();
    ASSERT_TRUE(Connect(h));
    EXPECT_TRUE(IsSubsequence(ConnectSequence(), h.CodesRead()))
        << ::testing::PrintToString(h.CodesRead());
    EXPECT_TRUE(MonitorLines("NET RW ").empty());
    EXPECT_TRUE(h.Processor().Faults().empty());
}

// ---- the connect command on a socket still connecting

TEST(SessionEndToEnd, TheConnectCommandWaitsUntilTheSocketHasConnected) {
    TSessionHarness h(Through(TDoor::Tcp));
    // The network candidate starts while the socket's connect is still under way (a slow
    // network): a frame written now would be lost, and with it the candidate.
    h.Form().ClientSocket->SetActive(true);
    ASSERT_FALSE(h.Form().ClientSocket->Socket()->Connected());
    h.Form().ConnectNet();
    // Nothing is handed to the link before the socket has connected.
    ASSERT_TRUE(h.Form().FNetLink);
    EXPECT_FALSE(h.Form().FNetLink->AwaitingReply());
    EXPECT_TRUE(h.Form().FNetLink->WaitingFrames().empty());
    // Well inside the network candidate's 2 s watchdog, and before the link's 4 s time-out
    // could write the command again.
    ASSERT_TRUE(h.WaitUntil([&] { return h.Form().IsOnline(); }, std::chrono::milliseconds(1500)))
        << h.Story();
    EXPECT_EQ(h.PayloadsOf(CommandCode::MCS_CONNECT).size(), 1u);
}

// ---- malformed replies during the read-back

TEST(SessionEndToEnd, AMalformedNameOrBlockIsAskedForAgainAndTheReadBackCompletes) {
    TSessionHarness h(Through(TDoor::Tcp));
    h.Processor().MalformNext(sim::SimMalformation::NameSlot30);
    h.Processor().MalformNext(sim::SimMalformation::Block16);
    fmHidData->Show();
    ASSERT_TRUE(Connect(h));
    EXPECT_TRUE(ImagesAgree(h));
    EXPECT_EQ(h.PayloadsOf(CommandCode::MCS_GET_PRESET_NAME).size(), 31u);
    EXPECT_EQ(h.PayloadsOf(CommandCode::MCS_READ_SETTINGS_BLOCK).size(), 17u);
    // Each misfit is in the traffic monitor, as dropped.
    ASSERT_TRUE(h.WaitUntil([&] { return MonitorLines("DROP ").size() >= 2; }));
    EXPECT_EQ(MonitorLines("DROP ").size(), 2u);
}

TEST(SessionEndToEnd, ABlockMalformedTwiceBreaksTheLink) {
    TSessionHarness h(Through(TDoor::Tcp));
    h.Processor().MalformNext(sim::SimMalformation::Block16);
    h.Processor().MalformNext(sim::SimMalformation::Block16);
    h.onModal = [](TCustomForm& form) {
        if (&form == fmNetwork && fmNetwork->lblScan->Caption() == "Link Broken")
            fmNetwork->btnExit->Click();
    };
    h.StartConnect();
    ASSERT_TRUE(h.WaitUntil([&] {
        return h.TimelineHas("scan:Link Broken") && !fmNetwork->Visible();
    })) << h.Story();
    EXPECT_EQ(h.ReadBacks(), 0);
    EXPECT_FALSE(h.Form().HasTransport());
    EXPECT_FALSE(fmProcess->Visible());
}

}  // namespace
}  // namespace dsp::test

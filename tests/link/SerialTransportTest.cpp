// The serial transport over a pseudo-terminal, with the processor simulator at the far end.

#include <gtest/gtest.h>

#include <mutex>

#include "framework/os/SerialPortList.h"
#include "link/Lcomm.h"
#include "model/Lcmd.h"
#include "tests/link/TestLinkOwner.h"
#include "tools/sim/SimFrontEnds.h"

namespace dsp {
namespace {

using namespace std::chrono_literals;
using Bytes = std::vector<std::uint8_t>;

Bytes Request(std::uint8_t code) { return LCmd::EncodeFrame(LCmd(1, code), FrameMode::Frame); }

class SerialTransport : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(terminal_.Start());
        AddSerialPortOverride("COM7", terminal_.SlavePath());
        link_.SetWriteLog([this](const std::uint8_t* b, std::size_t n) { Log("COM W", b, n); });
        link_.SetReadLog([this](const std::uint8_t* b, std::size_t n) { Log("COM R", b, n); });
    }
    void TearDown() override {
        link_.CloseLink();
        RemoveSerialPortOverride("COM7");
    }
    void Log(const char* what, const std::uint8_t* b, std::size_t n) {
        std::lock_guard<std::mutex> guard(mutex_);
        log_.emplace_back(what, Bytes(b, b + n));
    }
    std::vector<std::pair<std::string, Bytes>> Log() {
        std::lock_guard<std::mutex> guard(mutex_);
        return log_;
    }

    sim::ProcessorSimulator processor_;
    sim::SimPty terminal_{processor_};
    TestLinkOwner owner_;
    LCommProc link_{&owner_};
    std::mutex mutex_;
    std::vector<std::pair<std::string, Bytes>> log_;
};

TEST_F(SerialTransport, RoundTripWithTheProcessor) {
    ASSERT_TRUE(link_.OpenLink(7, 115200, 8, 0, 0));
    link_.QueueFrame(Request(16), true);
    link_.QueueFrame(Request(19), true);
    ASSERT_TRUE(owner_.PumpUntil([&] { return owner_.Replies().size() == 2; }));
    const auto replies = owner_.Replies();
    EXPECT_EQ(replies[0].msg, WM_LINK_REPLY);
    EXPECT_EQ(replies[0].frame[5], 16);
    EXPECT_EQ(replies[1].frame[5], 19);
    EXPECT_EQ(std::string(replies[1].frame.begin() + 6, replies[1].frame.begin() + 14), "WQJ V010");
    EXPECT_TRUE(processor_.Faults().empty());
    // Every frame handed to the worker and every reply is offered to the traffic log.
    const auto lines = Log();
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0], std::make_pair(std::string("COM W"), Request(16)));
    EXPECT_EQ(lines[1], std::make_pair(std::string("COM R"), replies[0].frame));
    EXPECT_EQ(lines[2], std::make_pair(std::string("COM W"), Request(19)));
}

TEST_F(SerialTransport, AReplyAtAnotherRateIsSentAsTheUnhandledMessageAndStillReleasesTheNext) {
    ASSERT_TRUE(link_.OpenLink(7, 9600, 8, 0, 0));
    link_.QueueFrame(Request(16), true);
    link_.QueueFrame(Request(18), true);
    ASSERT_TRUE(owner_.PumpUntil([&] { return owner_.Replies().size() == 2; }));
    EXPECT_EQ(owner_.Replies()[0].msg, WM_LINK_REPLY_ALT);
    EXPECT_EQ(owner_.Replies()[1].frame[5], 1);  // the keep-alive's acknowledgement
}

TEST_F(SerialTransport, HangUpEndsTheWorkerWithAPortError) {
    ASSERT_TRUE(link_.OpenLink(7, 115200, 8, 0, 0));
    terminal_.HangUp();
    ASSERT_TRUE(owner_.PumpUntil([&] { return !owner_.LinkStates().empty(); }));
    const auto states = owner_.LinkStates();
    ASSERT_EQ(states.size(), 1u);
    EXPECT_EQ(states[0].wParam, static_cast<std::uintptr_t>(lsPortError));
    EXPECT_EQ(states[0].lParam, 0);  // the sender byte of an empty transmit buffer
    ASSERT_TRUE(owner_.PumpUntil([&] { return !link_.IsOpen(); }));
    link_.QueueFrame(Request(16), true);
    EXPECT_FALSE(link_.AwaitingReply());
}

TEST_F(SerialTransport, OnePortOneUser) {
    ASSERT_TRUE(link_.OpenLink(7, 115200, 8, 0, 0));
    EXPECT_FALSE(link_.OpenLink(7, 115200, 8, 0, 0));
    LCommProc second(&owner_);
    EXPECT_FALSE(second.OpenLink(7, 115200, 8, 0, 0));
    link_.CloseLink();
    EXPECT_TRUE(second.OpenLink(7, 115200, 8, 0, 0));
    second.CloseLink();
}

struct OpenCase {
    const char* name;
    int port;
    std::uint32_t baud;
};

void PrintTo(const OpenCase& c, std::ostream* os) { *os << c.name; }

class SerialOpenRefusal : public SerialTransport, public ::testing::WithParamInterface<OpenCase> {};

TEST_P(SerialOpenRefusal, RefusesWithoutTouchingAPort) {
    // The port is listed (port 7 is already), so only the numbers can refuse it.
    const std::string name = "COM" + std::to_string(GetParam().port);
    if (GetParam().port != 7) AddSerialPortOverride(name, terminal_.SlavePath());
    EXPECT_FALSE(link_.OpenLink(GetParam().port, GetParam().baud, 8, 0, 0));
    EXPECT_FALSE(link_.IsOpen());
    if (GetParam().port != 7) RemoveSerialPortOverride(name);
    // The line is free: nobody took it.
    EXPECT_TRUE(link_.OpenLink(7, 115200, 8, 0, 0));
}

INSTANTIATE_TEST_SUITE_P(Cases, SerialOpenRefusal,
                         ::testing::Values(OpenCase{"port_0", 0, 115200},
                                           OpenCase{"port_99", 99, 115200},
                                           OpenCase{"baud_600", 7, 600},
                                           OpenCase{"baud_above_range", 7, 128001}),
                         [](const auto& p) { return std::string(p.param.name); });

TEST(SerialPortNames, ShortBelowTenLongFromTen) {
    EXPECT_EQ(LComm::PortName(9), "COM9");
    EXPECT_EQ(LComm::PortName(10), "\\\\.\\COM10");
    EXPECT_EQ(LComm::PortName(98), "\\\\.\\COM98");
}

TEST_F(SerialTransport, PortTenOpensUnderItsLongName) {
    AddSerialPortOverride("COM10", terminal_.SlavePath());
    EXPECT_TRUE(link_.OpenLink(10, 115200, 8, 0, 0));
    link_.CloseLink();
    RemoveSerialPortOverride("COM10");
    EXPECT_FALSE(link_.OpenLink(10, 115200, 8, 0, 0));  // no longer listed
}

}  // namespace
}  // namespace dsp

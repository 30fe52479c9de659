#include "framework/os/SerialPort.h"

#include <gtest/gtest.h>

#include <thread>

#include "framework/os/PseudoTerminal.h"

namespace dsp {
namespace {

class SerialPortOnPty : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(pty_.Open());
        ASSERT_TRUE(port_.Open(pty_.SlavePath()));
        ASSERT_TRUE(port_.Configure(115200, 8, 0, 0));
    }

    // Waits until the port has n bytes (the line discipline hands them on asynchronously).
    void WaitForBytes(int n) {
        for (int i = 0; i < 200 && port_.BytesWaiting() < n; ++i) {
            port_.WaitEvent(10);
        }
    }

    PseudoTerminal pty_;
    SerialPort port_;
};

TEST_F(SerialPortOnPty, MovesBytesBothWaysUnchanged) {
    // Raw mode: CR, LF, DLE and 0xFF pass as they are.
    const std::vector<std::uint8_t> toPort = {0x10, 0x02, 0x0D, 0x0A, 0xFF, 0x03, 0x11, 0x13};
    ASSERT_TRUE(pty_.Write(toPort));
    WaitForBytes(static_cast<int>(toPort.size()));
    EXPECT_EQ(port_.BytesWaiting(), static_cast<int>(toPort.size()));
    std::vector<std::uint8_t> read;
    std::uint8_t b = 0;
    while (port_.ReadByte(b) == 1) read.push_back(b);
    EXPECT_EQ(read, toPort);
    EXPECT_EQ(port_.ReadByte(b), 0);

    const std::vector<std::uint8_t> fromPort = {0x10, 0x02, 0x00, 0x01, 0x0A, 0x0D};
    ASSERT_TRUE(port_.Write(fromPort.data(), fromPort.size()));
    std::vector<std::uint8_t> got;
    for (int i = 0; i < 50 && got.size() < fromPort.size(); ++i) {
        auto chunk = pty_.Read(20);
        got.insert(got.end(), chunk.begin(), chunk.end());
    }
    EXPECT_EQ(got, fromPort);
}

TEST_F(SerialPortOnPty, ReadTakesWhatWaitsUpToTheBuffer) {
    std::vector<std::uint8_t> sent(300);
    for (std::size_t i = 0; i < sent.size(); ++i) sent[i] = static_cast<std::uint8_t>(i * 7);
    ASSERT_TRUE(pty_.Write(sent));
    WaitForBytes(static_cast<int>(sent.size()));
    std::uint8_t buffer[256];
    ASSERT_EQ(port_.Read(buffer, sizeof buffer), 256);
    std::vector<std::uint8_t> read(buffer, buffer + 256);
    ASSERT_EQ(port_.Read(buffer, sizeof buffer), 44);
    read.insert(read.end(), buffer, buffer + 44);
    EXPECT_EQ(read, sent);
    EXPECT_EQ(port_.Read(buffer, sizeof buffer), 0);

    pty_.Close();
    EXPECT_EQ(port_.WaitEvent(2000), SerialPort::peError);
    EXPECT_EQ(port_.Read(buffer, sizeof buffer), -1);
}

TEST_F(SerialPortOnPty, ReportsTheRateItWasGiven) {
    EXPECT_EQ(port_.CurrentBaudRate(), 115200u);
    ASSERT_TRUE(port_.Configure(9600, 8, 0, 0));
    EXPECT_EQ(port_.CurrentBaudRate(), 9600u);
}

TEST_F(SerialPortOnPty, RefusesRatesAndSettingsTheLineCannotTake) {
    EXPECT_FALSE(port_.Configure(600, 8, 0, 0));
    EXPECT_FALSE(port_.Configure(128001, 8, 0, 0));
    EXPECT_FALSE(port_.Configure(115200, 9, 0, 0));
    EXPECT_FALSE(port_.Configure(115200, 8, 7, 0));
    EXPECT_EQ(port_.CurrentBaudRate(), 115200u);
}

TEST_F(SerialPortOnPty, IsTakenForOneUserAtATime) {
    SerialPort second;
    EXPECT_FALSE(second.Open(pty_.SlavePath()));
    port_.Close();
    EXPECT_TRUE(second.Open(pty_.SlavePath()));
}

TEST_F(SerialPortOnPty, PurgeDropsWhatWaits) {
    const std::vector<std::uint8_t> bytes = {1, 2, 3, 4};
    ASSERT_TRUE(pty_.Write(bytes));
    WaitForBytes(4);
    port_.Purge();
    EXPECT_EQ(port_.BytesWaiting(), 0);
}

TEST_F(SerialPortOnPty, WaitTellsDataFromNothing) {
    EXPECT_EQ(port_.WaitEvent(10), SerialPort::peNone);
    const std::vector<std::uint8_t> bytes = {7};
    ASSERT_TRUE(pty_.Write(bytes));
    EXPECT_EQ(port_.WaitEvent(2000), SerialPort::peData);
}

TEST_F(SerialPortOnPty, HangUpIsAPortError) {
    pty_.Close();
    EXPECT_EQ(port_.WaitEvent(2000), SerialPort::peError);
    std::uint8_t b = 0;
    EXPECT_EQ(port_.ReadByte(b), -1);
}

TEST(SerialPort, FailsOnWhatIsNotATerminal) {
    SerialPort port;
    EXPECT_FALSE(port.Open("/nonexistent/ttyS99"));
    EXPECT_FALSE(port.Open("/dev/null"));
    EXPECT_FALSE(port.IsOpen());
    EXPECT_FALSE(port.Configure(115200, 8, 0, 0));
    EXPECT_EQ(port.WaitEvent(0), SerialPort::peWaitFailed);
}

TEST(SerialPort, KnowsTheRatesOfTheLine) {
    for (std::uint32_t rate : {1200u, 2400u, 4800u, 9600u, 19200u, 38400u, 57600u, 115200u}) {
        EXPECT_TRUE(SerialPort::IsSupportedBaudRate(rate)) << rate;
    }
    for (std::uint32_t rate : {0u, 600u, 1000u, 128000u, 230400u}) {
        EXPECT_FALSE(SerialPort::IsSupportedBaudRate(rate)) << rate;
    }
}

}  // namespace
}  // namespace dsp

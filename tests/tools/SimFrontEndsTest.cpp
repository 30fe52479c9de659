#include "tools/sim/SimFrontEnds.h"

#include <gtest/gtest.h>

#include "framework/os/SerialPort.h"
#include "tests/tools/LoopbackClient.h"
#include "tests/tools/SimTestSupport.h"

namespace dsp::sim {
namespace {

TEST(SimTcpServer, AnswersOneConnectionAfterAnother) {
    ProcessorSimulator sim;
    SimTcpServer server(sim);
    ASSERT_TRUE(server.Start("127.0.0.1", 0));
    ASSERT_NE(server.Port(), 0);
    for (int round = 0; round < 2; ++round) {
        LoopbackClient client;
        ASSERT_TRUE(client.Connect(server.Port()));
        ASSERT_TRUE(client.Send(EditorFrame(16)));
        EXPECT_EQ(client.ReadFrame(2000), BuildFrame(1, 0, 16, {}));
        // Half a frame, then the rest: one answer.
        Bytes f = EditorFrame(19);
        ASSERT_TRUE(client.Send(Bytes(f.begin(), f.begin() + 4)));
        ASSERT_TRUE(client.Send(Bytes(f.begin() + 4, f.end())));
        Bytes identity = client.ReadFrame(2000);
        ASSERT_EQ(identity.size(), 8u + 9u);
        EXPECT_EQ(identity[5], 19);
    }
    EXPECT_EQ(server.Connections(), 2);
}

TEST(SimTcpServer, DropsTheLinkAfterTheFramesAskedFor) {
    ProcessorSimulator sim;
    sim.SetDropAfterFrames(2);
    SimTcpServer server(sim);
    ASSERT_TRUE(server.Start("127.0.0.1", 0));
    LoopbackClient client;
    ASSERT_TRUE(client.Connect(server.Port()));
    ASSERT_TRUE(client.Send(EditorFrame(16)));
    EXPECT_FALSE(client.ReadFrame(2000).empty());
    ASSERT_TRUE(client.Send(EditorFrame(16)));
    EXPECT_FALSE(client.ReadFrame(2000).empty());  // the last answer still goes out
    bool closed = false;
    client.ReadFrame(2000, &closed);
    EXPECT_TRUE(closed);
}

TEST(SimTcpServer, RefusesAnAddressThatIsNotIpv4) {
    ProcessorSimulator sim;
    SimTcpServer server(sim);
    EXPECT_FALSE(server.Start("localhost", 0));
    EXPECT_FALSE(server.Start("::1", 0));
}

class SimOnPty : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(terminal_.Start());
        ASSERT_TRUE(port_.Open(terminal_.SlavePath()));
        ASSERT_TRUE(port_.Configure(115200, 8, 0, 0));
    }
    Bytes ReadFrame() {
        Bytes got;
        for (int i = 0; i < 200; ++i) {
            if (got.size() >= 5 && got.size() >= got[4] + 8u) break;
            if (port_.WaitEvent(10) == SerialPort::peError) break;
            std::uint8_t b = 0;
            while (port_.ReadByte(b) == 1) got.push_back(b);
        }
        return got;
    }
    ProcessorSimulator sim_;
    SimPty terminal_{sim_};
    SerialPort port_;
};

TEST_F(SimOnPty, AnswersOverTheLine) {
    EXPECT_EQ(terminal_.SlavePath().rfind("/dev/pts/", 0), 0u);
    const Bytes f = EditorFrame(19);
    ASSERT_TRUE(port_.Write(f.data(), f.size()));
    Bytes r = ReadFrame();
    ASSERT_EQ(r.size(), 17u);
    EXPECT_EQ(std::string(r.begin() + 6, r.begin() + 14), "WQJ V010");
}

TEST_F(SimOnPty, HangUpReachesThePort) {
    terminal_.HangUp();
    SerialPort::PortEvent e = SerialPort::peNone;
    for (int i = 0; i < 100 && e != SerialPort::peError; ++i) e = port_.WaitEvent(20);
    EXPECT_EQ(e, SerialPort::peError);
}

}  // namespace
}  // namespace dsp::sim

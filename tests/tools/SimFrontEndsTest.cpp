#include "tools/sim/SimFrontEnds.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <vector>

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

TEST(SimTcpServer, WritesASplitReplyInTwoPieces) {
    ProcessorSimulator sim;
    sim.SetSplitReplies(3);
    SimTcpServer server(sim);
    ASSERT_TRUE(server.Start("127.0.0.1", 0));
    LoopbackClient client;
    ASSERT_TRUE(client.Connect(server.Port()));
    ASSERT_TRUE(client.Send(EditorFrame(16)));
    // The head alone first: the tail follows the pause.
    const Bytes head = client.ReadSome(2000);
    EXPECT_EQ(head.size(), 6u);
    const Bytes tail = client.ReadSome(2000);
    EXPECT_EQ(tail.size(), 3u);
    Bytes whole = head;
    whole.insert(whole.end(), tail.begin(), tail.end());
    EXPECT_EQ(whole, BuildFrame(1, 0, 16, {}));
}

TEST(SimTcpServer, DropsEachConnectionAfterTheFramesAskedFor) {
    ProcessorSimulator sim;
    sim.SetDropAfterFrames(2);
    SimTcpServer server(sim);
    ASSERT_TRUE(server.Start("127.0.0.1", 0));
    for (int connection = 0; connection < 2; ++connection) {
        SCOPED_TRACE(connection);
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
}

// A hundred clients connecting at once all get through the handshake while the simulator still
// serves the first: none waits for the one-second retry of a connection request the listener
// had no room for.
TEST(SimTcpServer, HundredClientsConnectAtOnce) {
    ProcessorSimulator sim;
    SimTcpServer server(sim);
    ASSERT_TRUE(server.Start("127.0.0.1", 0));
    constexpr int kClients = 100;
    std::vector<int> sockets;
    sockaddr_in sa{};
    sa.sin_family = AF_INET;
    sa.sin_port = htons(server.Port());
    sa.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    for (int i = 0; i < kClients; ++i) {
        const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
        ASSERT_GE(fd, 0);
        sockets.push_back(fd);
        const int r = ::connect(fd, reinterpret_cast<sockaddr*>(&sa), sizeof sa);
        ASSERT_TRUE(r == 0 || errno == EINPROGRESS);
    }
    // Well short of the retry: on loopback a handshake with room for it takes microseconds.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(600);
    int connected = 0;
    for (int fd : sockets) {
        pollfd p{fd, POLLOUT, 0};
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        int error = -1;
        socklen_t length = sizeof error;
        if (::poll(&p, 1, std::max<int>(0, static_cast<int>(left.count()))) == 1 &&
            ::getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &length) == 0 && error == 0)
            ++connected;
    }
    for (int fd : sockets) ::close(fd);
    EXPECT_EQ(connected, kClients);
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

#include "framework/os/ClientSocket.h"

#include <gtest/gtest.h>

#include <thread>

#include "framework/os/TcpListener.h"
#include "tests/support/RunLoop.h"
#include "tests/support/UnexpectedExceptions.h"

namespace dsp {
namespace {

using Bytes = std::vector<std::uint8_t>;

// A client socket against a listener on loopback, with every event written down.
class ClientSocketOnLoopback : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(listener.Listen("127.0.0.1", 0));
        socket.SetAddress("127.0.0.1");
        socket.SetPort(listener.Port());
        socket.SetOnConnecting(
            [&](TObject*, TCustomWinSocket*) { events.push_back("connecting"); });
        socket.SetOnConnect([&](TObject*, TCustomWinSocket* s) {
            events.push_back("connect " + s->RemoteAddress());
        });
        socket.SetOnRead([&](TObject*, TCustomWinSocket* s) {
            std::uint8_t buffer[100];
            const int r = s->ReceiveBuf(buffer, sizeof buffer);
            reads.push_back(r);
            received.insert(received.end(), buffer, buffer + std::max(r, 0));
        });
        socket.SetOnDisconnect(
            [&](TObject*, TCustomWinSocket*) { events.push_back("disconnect"); });
        socket.SetOnError([&](TObject*, TCustomWinSocket*, TErrorEvent e, int& code) {
            errors.push_back(e);
            code = 0;
        });
    }
    void ConnectAndAccept() {
        socket.Open();
        for (int i = 0; i < 100 && !peer; ++i) peer = listener.Accept(50);
        ASSERT_TRUE(peer);
        ASSERT_TRUE(test::RunLoopUntil([&] { return socket.Socket()->Connected(); }));
    }

    TcpListener listener;
    TClientSocket socket{nullptr};
    std::unique_ptr<TcpConnection> peer;
    std::vector<std::string> events;
    std::vector<int> reads;
    Bytes received;
    std::vector<TErrorEvent> errors;
};

TEST_F(ClientSocketOnLoopback, ConnectsReadsAndSeesTheEnd) {
    ConnectAndAccept();
    EXPECT_EQ(events, (std::vector<std::string>{"connecting", "connect 127.0.0.1"}));
    EXPECT_TRUE(socket.Active());

    Bytes data(120);
    for (int i = 0; i < 120; ++i) data[i] = static_cast<std::uint8_t>(i);
    ASSERT_TRUE(peer->Write(data));
    ASSERT_TRUE(test::RunLoopUntil([&] { return received.size() == 120; }));
    EXPECT_EQ(reads, (std::vector<int>{100, 20}));
    EXPECT_EQ(received, data);

    peer->Close();
    ASSERT_TRUE(test::RunLoopUntil([&] { return !socket.Active(); }));
    EXPECT_EQ(events.back(), "disconnect");
    EXPECT_EQ(reads.size(), 2u);  // the end of the stream is not a read of 0 bytes
    EXPECT_TRUE(errors.empty());
}

TEST_F(ClientSocketOnLoopback, SendsFromAWorkerThread) {
    ConnectAndAccept();
    const Bytes frame = {0x10, 0x02, 0x00, 0x01, 0x01, 0x10, 0x10, 0x03, 0x03};
    int sent = 0;
    std::thread worker(
        [&] { sent = socket.Socket()->SendBuf(frame.data(), static_cast<int>(frame.size())); });
    worker.join();
    EXPECT_EQ(sent, 9);
    Bytes got;
    for (int i = 0; i < 100 && got.size() < frame.size(); ++i) {
        bool closed = false;
        Bytes chunk = peer->Read(20, closed);
        got.insert(got.end(), chunk.begin(), chunk.end());
    }
    EXPECT_EQ(got, frame);
}

TEST_F(ClientSocketOnLoopback, SendingToAClosedPeerRaisesNoSignalAndCloses) {
    ConnectAndAccept();
    peer.reset();
    listener.Close();
    const Bytes frame(60, 0x55);
    int result = 0;
    std::thread worker([&] {
        // The first send may still be taken by the local stack; a later one fails.
        for (int i = 0; i < 200 && result >= 0; ++i) {
            result = socket.Socket()->SendBuf(frame.data(), static_cast<int>(frame.size()));
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
    });
    ASSERT_TRUE(test::RunLoopUntil([&] { return !socket.Active(); }));
    worker.join();
    EXPECT_EQ(events.back(), "disconnect");
}

TEST_F(ClientSocketOnLoopback, ARefusedConnectionIsAnErrorTheHandlerMayTake) {
    const int port = listener.Port();
    listener.Close();  // nobody listens there now
    socket.SetPort(port);
    socket.Open();
    ASSERT_TRUE(test::RunLoopUntil([&] { return !errors.empty(); }));
    EXPECT_EQ(errors[0], eeConnect);
    EXPECT_FALSE(socket.Active());
    EXPECT_EQ(events, std::vector<std::string>{"connecting"});
}

TEST_F(ClientSocketOnLoopback, AnErrorLeftUnhandledIsRaised) {
    socket.SetOnError(nullptr);
    socket.SetAddress("not an address");
    EXPECT_THROW(socket.Open(), ESocketError);
    EXPECT_FALSE(socket.Active());
}

TEST_F(ClientSocketOnLoopback, NothingIsSentBeforeTheConnection) {
    const Bytes frame(9, 0x10);
    EXPECT_EQ(socket.Socket()->SendBuf(frame.data(), 9), 0);
    std::uint8_t buffer[4];
    EXPECT_EQ(socket.Socket()->ReceiveBuf(buffer, 4), 0);
}

TEST_F(ClientSocketOnLoopback, ClosingByProgramRaisesDisconnectAndOpensAgain) {
    ConnectAndAccept();
    socket.Close();
    EXPECT_EQ(events.back(), "disconnect");
    peer.reset();
    events.clear();
    ConnectAndAccept();
    EXPECT_EQ(events.size(), 2u);
}

}  // namespace
}  // namespace dsp

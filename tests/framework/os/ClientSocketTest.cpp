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
        ASSERT_TRUE(listener_.Listen("127.0.0.1", 0));
        socket_.SetAddress("127.0.0.1");
        socket_.SetPort(listener_.Port());
        socket_.SetOnConnecting(
            [&](TObject*, TCustomWinSocket*) { events_.push_back("connecting"); });
        socket_.SetOnConnect([&](TObject*, TCustomWinSocket* s) {
            events_.push_back("connect " + s->RemoteAddress());
        });
        socket_.SetOnRead([&](TObject*, TCustomWinSocket* s) {
            std::uint8_t buffer[100];
            const int r = s->ReceiveBuf(buffer, sizeof buffer);
            reads_.push_back(r);
            received_.insert(received_.end(), buffer, buffer + std::max(r, 0));
        });
        socket_.SetOnDisconnect(
            [&](TObject*, TCustomWinSocket*) { events_.push_back("disconnect"); });
        socket_.SetOnError([&](TObject*, TCustomWinSocket*, TErrorEvent e, int& code) {
            errors_.push_back(e);
            code = 0;
        });
    }
    void ConnectAndAccept() {
        socket_.Open();
        for (int i = 0; i < 100 && !peer_; ++i) peer_ = listener_.Accept(50);
        ASSERT_TRUE(peer_);
        ASSERT_TRUE(test::RunLoopUntil([&] { return socket_.Socket()->Connected(); }));
    }

    TcpListener listener_;
    TClientSocket socket_{nullptr};
    std::unique_ptr<TcpConnection> peer_;
    std::vector<std::string> events_;
    std::vector<int> reads_;
    Bytes received_;
    std::vector<TErrorEvent> errors_;
};

TEST_F(ClientSocketOnLoopback, ConnectsReadsAndSeesTheEnd) {
    ConnectAndAccept();
    EXPECT_EQ(events_, (std::vector<std::string>{"connecting", "connect 127.0.0.1"}));
    EXPECT_TRUE(socket_.Active());

    Bytes data(120);
    for (int i = 0; i < 120; ++i) data[i] = static_cast<std::uint8_t>(i);
    ASSERT_TRUE(peer_->Write(data));
    ASSERT_TRUE(test::RunLoopUntil([&] { return received_.size() == 120; }));
    EXPECT_EQ(reads_, (std::vector<int>{100, 20}));
    EXPECT_EQ(received_, data);

    peer_->Close();
    ASSERT_TRUE(test::RunLoopUntil([&] { return !socket_.Active(); }));
    EXPECT_EQ(events_.back(), "disconnect");
    EXPECT_EQ(reads_.size(), 2u);  // the end of the stream is not a read of 0 bytes
    EXPECT_TRUE(errors_.empty());
}

TEST_F(ClientSocketOnLoopback, SendsFromAWorkerThread) {
    ConnectAndAccept();
    const Bytes frame = {0x10, 0x02, 0x00, 0x01, 0x01, 0x10, 0x10, 0x03, 0x03};
    int sent = 0;
    std::thread worker(
        [&] { sent = socket_.Socket()->SendBuf(frame.data(), static_cast<int>(frame.size())); });
    worker.join();
    EXPECT_EQ(sent, 9);
    Bytes got;
    for (int i = 0; i < 100 && got.size() < frame.size(); ++i) {
        bool closed = false;
        Bytes chunk = peer_->Read(20, closed);
        got.insert(got.end(), chunk.begin(), chunk.end());
    }
    EXPECT_EQ(got, frame);
}

TEST_F(ClientSocketOnLoopback, SendingToAClosedPeerRaisesNoSignalAndCloses) {
    ConnectAndAccept();
    peer_.reset();
    listener_.Close();
    const Bytes frame(60, 0x55);
    // The first send may still be taken by the local stack; one after the peer's reset fails.
    ASSERT_TRUE(test::RunLoopUntil([&] {
        if (socket_.Active())
            socket_.Socket()->SendBuf(frame.data(), static_cast<int>(frame.size()));
        return !socket_.Active();
    }));
    EXPECT_EQ(events_.back(), "disconnect");
}

TEST_F(ClientSocketOnLoopback, ARefusedConnectionIsAnErrorTheHandlerMayTake) {
    const int port = listener_.Port();
    listener_.Close();  // nobody listens there now
    socket_.SetPort(port);
    socket_.Open();
    ASSERT_TRUE(test::RunLoopUntil([&] { return !errors_.empty(); }));
    EXPECT_EQ(errors_[0], eeConnect);
    EXPECT_FALSE(socket_.Active());
    EXPECT_EQ(events_, std::vector<std::string>{"connecting"});
}

TEST_F(ClientSocketOnLoopback, AnErrorLeftUnhandledIsRaised) {
    socket_.SetOnError(nullptr);
    socket_.SetAddress("not an address");
    EXPECT_THROW(socket_.Open(), ESocketError);
    EXPECT_FALSE(socket_.Active());
}

TEST_F(ClientSocketOnLoopback, NothingIsSentBeforeTheConnection) {
    const Bytes frame(9, 0x10);
    EXPECT_EQ(socket_.Socket()->SendBuf(frame.data(), 9), 0);
    std::uint8_t buffer[4];
    EXPECT_EQ(socket_.Socket()->ReceiveBuf(buffer, 4), 0);
}

TEST_F(ClientSocketOnLoopback, ClosingByProgramRaisesDisconnectAndOpensAgain) {
    ConnectAndAccept();
    socket_.Close();
    EXPECT_EQ(events_.back(), "disconnect");
    peer_.reset();
    events_.clear();
    ConnectAndAccept();
    EXPECT_EQ(events_.size(), 2u);
}

}  // namespace
}  // namespace dsp

// The network transport as the program runs it: a client socket on loopback to the processor
// simulator, its reads handed to the transport, the transport's replies sent to a window.

#include <gtest/gtest.h>

#include <condition_variable>
#include <mutex>

#include "framework/os/ClientSocket.h"
#include "framework/runtime/MessageWindow.h"
#include "link/LinkMessages.h"
#include "link/LinkWindow.h"
#include "link/Lnet.h"
#include "model/Lcmd.h"
#include "tests/support/RunLoop.h"
#include "tools/sim/SimFrontEnds.h"

namespace dsp {
namespace {

using namespace std::chrono_literals;
using Bytes = std::vector<std::uint8_t>;

Bytes Request(std::uint8_t code, Bytes payload = {}) {
    struct Raw : LCmd {
        Raw(std::uint8_t c, const Bytes& p) : LCmd(1, c) { AppendBytes(p); }
    };
    return LCmd::EncodeFrame(Raw(code, payload), FrameMode::Frame);
}
Bytes Gain(std::uint8_t ch, std::uint16_t code) {
    return Request(CommandCode::CM_MCS_GAIN,
                   {ch, static_cast<std::uint8_t>(code), static_cast<std::uint8_t>(code >> 8)});
}

// The program's owner, telling the test when a worker starts handing a reply to the window.
class TWatchedLinkWindow : public LLinkWindow {
public:
    using LLinkWindow::LLinkWindow;
    bool SendLinkMessage(unsigned msg, std::uintptr_t wParam, std::intptr_t lParam) override {
        {
            std::lock_guard<std::mutex> guard(mutex_);
            ++deliveries_;
        }
        delivering_.notify_all();
        return LLinkWindow::SendLinkMessage(msg, wParam, lParam);
    }
    bool WaitForDelivery() {
        std::unique_lock<std::mutex> lock(mutex_);
        return delivering_.wait_for(lock, 10s, [&] { return deliveries_ > 0; });
    }

private:
    std::mutex mutex_;
    std::condition_variable delivering_;
    int deliveries_ = 0;
};

class NetLinkAgainstSimulator : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(server_.Start("127.0.0.1", 0));
        window_ = AllocateHWnd([this](TMessage& m) {
            if (m.Msg == WM_LINK_REPLY) {
                replies_.push_back(ReplyFrameOf(m.WParam));
                if (OnReply) OnReply(replies_.back());
            }
            if (m.Msg == WM_LINK_STATE) states_.push_back(static_cast<int>(m.WParam));
        });
        owner_ = std::make_unique<TWatchedLinkWindow>(window_, nullptr);
        socket_.SetAddress("127.0.0.1");
        socket_.SetPort(server_.Port());
        socket_.SetOnRead([this](TObject*, TCustomWinSocket* s) {
            std::uint8_t buffer[100];
            const int r = s->ReceiveBuf(buffer, sizeof buffer);
            reads_.push_back(r);
            if (r > 5 && link_) link_->PutReceived(buffer, static_cast<std::size_t>(r));
        });
        socket_.SetOnError([](TObject*, TCustomWinSocket*, TErrorEvent, int& code) { code = 0; });
        socket_.Open();
        ASSERT_TRUE(test::RunLoopUntil([&] { return socket_.Socket()->Connected(); }));
        link_ = std::make_unique<LNetProc>(owner_.get());
        link_->SetWriteRoutine([this](const std::uint8_t* bytes, std::size_t count) {
            socket_.Socket()->SendBuf(bytes, static_cast<int>(count));
        });
        ASSERT_TRUE(link_->OpenLink());
    }
    void TearDown() override {
        link_.reset();
        socket_.Close();
        DeallocateHWnd(window_);
        server_.Stop();
    }
    bool Idle() { return !link_->AwaitingReply() && link_->WaitingFrames().empty(); }

    sim::ProcessorSimulator processor_;
    sim::SimTcpServer server_{processor_};
    TClientSocket socket_{nullptr};
    HWND window_{};
    std::unique_ptr<TWatchedLinkWindow> owner_;
    std::unique_ptr<LNetProc> link_;
    std::vector<Bytes> replies_;
    std::vector<int> states_;
    std::vector<int> reads_;
    std::function<void(const Bytes&)> OnReply;
};

TEST_F(NetLinkAgainstSimulator, TheConnectCommandIsAnswered) {
    link_->QueueFrame(Request(CommandCode::MCS_CONNECT), true);
    ASSERT_TRUE(test::RunLoopUntil([&] { return replies_.size() == 1; }));
    EXPECT_EQ(replies_[0], sim::BuildFrame(1, 0, 16, {}));
    EXPECT_TRUE(test::RunLoopUntil([&] { return Idle(); }));
    EXPECT_TRUE(processor_.Faults().empty());
}

TEST_F(NetLinkAgainstSimulator, OneHundredTwentyBytesArriveAsReadsOf100And20) {
    processor_.SetGarbageBeforeReply(Bytes(111, 0x55));  // with the 9-byte reply: 120 at once
    link_->QueueFrame(Request(CommandCode::MCS_CONNECT), true);
    ASSERT_TRUE(test::RunLoopUntil([&] { return replies_.size() == 1; }));
    EXPECT_EQ(reads_, (std::vector<int>{100, 20}));
    EXPECT_EQ(replies_[0], sim::BuildFrame(1, 0, 16, {}));
}

TEST_F(NetLinkAgainstSimulator, EditsWhileAFrameIsInFlightCollapsePerParameter) {
    processor_.SetReplyDelay(300);
    link_->QueueFrame(Request(CommandCode::MCS_CONNECT), true);
    for (std::uint16_t v = 0; v < 200; ++v) link_->QueueFrame(Gain(3, v), false);
    EXPECT_EQ(link_->WaitingFrames(), std::vector<Bytes>{Gain(3, 199)});
    ASSERT_TRUE(test::RunLoopUntil([&] { return Idle() && replies_.size() == 2; }));
    EXPECT_EQ(processor_.FrameCount(), 2);

    link_->QueueFrame(Request(CommandCode::MCS_KEEP_ALIVE), false);
    for (std::uint16_t v = 0; v < 100; ++v) link_->QueueFrame(Gain(3, 100 + v), false);
    for (std::uint16_t v = 0; v < 100; ++v) link_->QueueFrame(Gain(4, 300 + v), false);
    EXPECT_EQ(link_->WaitingFrames(), (std::vector<Bytes>{Gain(3, 199), Gain(4, 399)}));
    ASSERT_TRUE(test::RunLoopUntil([&] { return Idle() && replies_.size() == 5; }));
    EXPECT_EQ(processor_.FrameCount(), 5);
    const auto memory = processor_.Memory();
    EXPECT_EQ(memory.Word(sim::ProcessorMemory::ChannelOffset(3) + 78), 199);
    EXPECT_EQ(memory.Word(sim::ProcessorMemory::ChannelOffset(4) + 78), 399);
    EXPECT_TRUE(processor_.Faults().empty());
}

TEST_F(NetLinkAgainstSimulator, ConnectAndReadBackDrivenByTheReplyHandler) {
    // As the session does: each reply sends the next request from inside the handler.
    Bytes image;
    OnReply = [&](const Bytes& r) {
        const std::uint8_t code = r[5];
        if (code == 16) link_->QueueFrame(Request(19), true);
        if (code == 19) link_->QueueFrame(Request(34), true);
        if (code == 34) link_->QueueFrame(Request(20), true);
        if (code == 20) link_->QueueFrame(Request(41, {0}), true);
        if (code == 41) {
            link_->QueueFrame(
                r[6] < 29 ? Request(41, {static_cast<std::uint8_t>(r[6] + 1)}) : Request(39, {0}),
                true);
        }
        if (code == 36) {
            image.insert(image.end(), r.begin() + 7, r.end() - 3);
            if (r[6] < 15)
                link_->QueueFrame(Request(39, {static_cast<std::uint8_t>(r[6] + 1)}), true);
        }
    };
    link_->QueueFrame(Request(16), true);
    ASSERT_TRUE(test::RunLoopUntil([&] { return image.size() == 800 && Idle(); }));
    EXPECT_EQ(replies_.size(), 4u + 30u + 16u);
    const auto memory = processor_.Memory();
    EXPECT_TRUE(std::equal(image.begin(), image.end(), memory.current.begin()));
    EXPECT_TRUE(processor_.Faults().empty());
    EXPECT_TRUE(states_.empty());
}

TEST_F(NetLinkAgainstSimulator, ClosingWhileTheWorkerWaitsForTheWindow) {
    link_->QueueFrame(Request(16), true);
    link_->QueueFrame(Request(19), true);
    // The reply comes in, the worker hands it to the window and waits; the UI thread does not
    // run its loop but closes the transport.
    const Bytes reply = sim::BuildFrame(1, 0, 16, {});
    link_->PutReceived(reply.data(), reply.size());
    ASSERT_TRUE(owner_->WaitForDelivery());
    const auto start = std::chrono::steady_clock::now();
    link_->CloseLink();
    EXPECT_LT(std::chrono::steady_clock::now() - start, 2s);
    link_.reset();
    test::RunPendingEvents();
    EXPECT_TRUE(replies_.empty());
    EXPECT_TRUE(states_.empty());
}

}  // namespace
}  // namespace dsp

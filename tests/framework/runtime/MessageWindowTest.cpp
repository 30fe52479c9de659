#include <gtest/gtest.h>

#include <atomic>
#include <vector>

#include "framework/runtime/MainThread.h"
#include "framework/runtime/MessageWindow.h"
#include "framework/runtime/Messages.h"
#include "framework/runtime/Thread.h"
#include "tests/support/RunLoop.h"

namespace dsp {
namespace {

using test::RunLoopUntil;

constexpr unsigned WM_TEST_STATE = WM_USER + 1;
constexpr unsigned WM_TEST_REPLY = WM_USER + 2;

// A message window that records what it receives and answers WM_TEST_REPLY with wParam + lParam.
class TRecordingWindow {
public:
    TRecordingWindow()
        : handle_(AllocateHWnd([this](TMessage& message) {
              received.push_back(message);
              if (message.Msg == WM_TEST_REPLY)
                  message.Result = static_cast<LRESULT>(message.WParam) + message.LParam;
          })) {}
    ~TRecordingWindow() { Free(); }
    void Free() {
        DeallocateHWnd(handle_);
        handle_ = HWND{};
    }
    HWND Handle() const { return handle_; }
    std::vector<TMessage> received;  // UI thread only

private:
    HWND handle_;
};

TEST(MessageWindowTest, PostedMessagesArriveInOrderWithTheirParameters) {
    TRecordingWindow window;
    std::vector<int> order;
    auto worker = TThread::CreateAnonymousThread([&] {
        for (int code = 0; code < 3; ++code) {
            EXPECT_TRUE(PostMessage(window.Handle(), WM_TEST_STATE, code, 100 + code));
        }
        PostToMainThread([&] { order.push_back(static_cast<int>(window.received.size())); });
    });
    worker->Start();
    ASSERT_TRUE(worker->WaitFor());
    ASSERT_TRUE(RunLoopUntil([&] { return !order.empty(); }));
    ASSERT_EQ(window.received.size(), 3u);
    for (int code = 0; code < 3; ++code) {
        EXPECT_EQ(window.received[code].Msg, WM_TEST_STATE);
        EXPECT_EQ(window.received[code].WParam, static_cast<WPARAM>(code));
        EXPECT_EQ(window.received[code].LParam, 100 + code);
    }
    EXPECT_EQ(order, (std::vector<int>{3})) << "messages and posted work share one queue";
}

TEST(MessageWindowTest, MessagesForAFreedWindowAreDropped) {
    auto window = std::make_unique<TRecordingWindow>();
    const HWND handle = window->Handle();
    EXPECT_TRUE(PostMessage(handle, WM_TEST_STATE, 1, 0));
    window.reset();  // freed while the message waits in the queue
    EXPECT_FALSE(IsWindow(handle));
    EXPECT_FALSE(PostMessage(handle, WM_TEST_STATE, 2, 0));
    bool delivered = true;
    EXPECT_EQ(SendMessage(handle, WM_TEST_REPLY, 1, 2, &delivered), 0);
    EXPECT_FALSE(delivered);
    test::RunPendingEvents();  // must not reach the freed window (the sanitizers would tell)
    EXPECT_FALSE(PostMessage(HWND{}, WM_TEST_STATE, 0, 0));
}

TEST(MessageWindowTest, SendMessageOnTheUiThreadCallsTheHandlerAtOnce) {
    TRecordingWindow window;
    bool delivered = false;
    EXPECT_EQ(SendMessage(window.Handle(), WM_TEST_REPLY, 40, 2, &delivered), 42);
    EXPECT_TRUE(delivered);
    EXPECT_EQ(window.received.size(), 1u);
}

TEST(MessageWindowTest, SendMessageFromAWorkerWaitsForTheUiThreadsResult) {
    TRecordingWindow window;
    std::atomic<LRESULT> result{-1};
    auto worker = TThread::CreateAnonymousThread(
        [&] { result = SendMessage(window.Handle(), WM_TEST_REPLY, 1500, 7); });
    worker->Start();
    ASSERT_TRUE(RunLoopUntil([&] { return result.load() != -1; }));
    EXPECT_EQ(result.load(), 1507);
}

TEST(MessageWindowTest, FreeingTheWindowReleasesAWorkerWaitingInSendMessage) {
    auto window = std::make_unique<TRecordingWindow>();
    const HWND handle = window->Handle();
    std::atomic<int> outcome{0};  // 1 delivered, 2 not delivered
    TEvent sending, returned;
    auto worker = TThread::CreateAnonymousThread([&] {
        sending.SetEvent();
        bool delivered = false;
        SendMessage(handle, WM_TEST_REPLY, 1, 1, &delivered);
        outcome = delivered ? 1 : 2;
        returned.SetEvent();
    });
    worker->Start();
    ASSERT_TRUE(sending.WaitFor(WaitInfinite));
    // The window goes away before the UI thread gets to the message, whether the worker has
    // queued it yet or not. The worker must come back without any help of the UI thread.
    window.reset();
    ASSERT_TRUE(returned.WaitFor(10000));
    ASSERT_TRUE(worker->WaitFor());
    EXPECT_EQ(outcome.load(), 2);
}

TEST(MessageWindowTest, HandlerMayFreeItsOwnWindow) {
    HWND handle{};
    int calls = 0;
    handle = AllocateHWnd([&](TMessage& message) {
        ++calls;
        DeallocateHWnd(handle);
        message.Result = 5;  // the handler still runs to its end
    });
    EXPECT_EQ(SendMessage(handle, WM_TEST_REPLY, 0, 0), 5);
    EXPECT_FALSE(IsWindow(handle));
    EXPECT_EQ(SendMessage(handle, WM_TEST_REPLY, 0, 0), 0);
    EXPECT_EQ(calls, 1);
}

TEST(MessageWindowTest, StoppingAWorkerBlockedInSendMessageEndsItCleanly) {
    // A link's worker hands a reply to the window while the UI thread closes the link: the reply
    // is dropped, the worker ends, and its object can go.
    TRecordingWindow window;
    std::atomic<int> outcome{0};
    TEvent sending;
    auto worker = TThread::CreateAnonymousThread([&] {
        sending.SetEvent();
        bool delivered = false;
        SendMessage(window.Handle(), WM_TEST_REPLY, 1, 1, &delivered);
        outcome = delivered ? 1 : 2;
    });
    worker->Start();
    ASSERT_TRUE(sending.WaitFor(WaitInfinite));
    ASSERT_TRUE(worker->WaitFor(5000, TPendingCalls::Cancel));
    EXPECT_EQ(outcome.load(), 2);
    worker.reset();
    test::RunPendingEvents();
    EXPECT_TRUE(window.received.empty());
}

}  // namespace
}  // namespace dsp

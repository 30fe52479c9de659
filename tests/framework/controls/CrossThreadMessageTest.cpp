// Messages that worker threads post or send to a form reach its window procedure on the UI
// thread, as the transports hand their replies and link states to the main window.

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "framework/controls/Form.h"
#include "framework/runtime/Thread.h"
#include "tests/support/RunLoop.h"

namespace dsp {
namespace {

constexpr unsigned WM_REPLY = WM_USER + 1;
constexpr unsigned WM_STATE = WM_USER + 2;

class TReceivingForm : public TForm {
public:
    using TForm::TForm;
    std::vector<LPARAM> replies;
    std::vector<LPARAM> states;
    std::atomic<bool> onUiThread{true};

protected:
    void Dispatch(TMessage& message) override {
        if (message.Msg == WM_REPLY || message.Msg == WM_STATE) {
            if (!IsMainThread()) onUiThread = false;
            (message.Msg == WM_REPLY ? replies : states).push_back(message.LParam);
            message.Result = message.LParam * 2;
            return;
        }
        TForm::Dispatch(message);
    }
};

TEST(CrossThreadMessageTest, WorkerMessagesArriveInOrderOnTheUiThread) {
    TReceivingForm form(nullptr);
    form.AfterConstruction();
    const HWND handle = form.Handle();
    std::vector<LRESULT> results;
    auto worker = TThread::CreateAnonymousThread([&] {
        for (int i = 1; i <= 3; ++i) {
            PostMessage(handle, WM_STATE, 0, i);
            results.push_back(SendMessage(handle, WM_REPLY, 0, i * 10));
        }
    });
    worker->Start();
    ASSERT_TRUE(worker->WaitFor(10000));
    ASSERT_TRUE(test::RunLoopUntil([&] { return form.states.size() == 3; }));
    EXPECT_EQ(results, (std::vector<LRESULT>{20, 40, 60}));
    EXPECT_EQ(form.replies, (std::vector<LPARAM>{10, 20, 30}));
    EXPECT_EQ(form.states, (std::vector<LPARAM>{1, 2, 3}));
    EXPECT_TRUE(form.onUiThread);
}

}  // namespace
}  // namespace dsp

#include <gtest/gtest.h>

#include <unistd.h>

#include <array>
#include <memory>

#include "framework/runtime/DescriptorWatch.h"
#include "framework/runtime/Thread.h"
#include "tests/support/RunLoop.h"

namespace dsp {
namespace {

using test::RunLoopUntil;

class DescriptorWatchTest : public ::testing::Test {
protected:
    DescriptorWatchTest() { EXPECT_EQ(::pipe(ends_.data()), 0); }
    ~DescriptorWatchTest() override {
        ::close(ends_[0]);
        ::close(ends_[1]);
    }
    int ReadEnd() const { return ends_[0]; }
    int WriteEnd() const { return ends_[1]; }
    void Put(char c) { EXPECT_EQ(::write(WriteEnd(), &c, 1), 1); }
    char Take() {
        char c = 0;
        EXPECT_EQ(::read(ReadEnd(), &c, 1), 1);
        return c;
    }

private:
    std::array<int, 2> ends_{-1, -1};
};

TEST_F(DescriptorWatchTest, ReadableDescriptorCallsTheHandlerOnTheUiThread) {
    std::string received;
    bool onUiThread = false;
    TDescriptorWatch watch(ReadEnd(), TDescriptorWatch::wdRead, [&] {
        onUiThread = IsMainThread();
        received += Take();
    });
    auto worker = TThread::CreateAnonymousThread([&] {
        Put('a');
        Put('b');
    });
    worker->Start();
    ASSERT_TRUE(RunLoopUntil([&] { return received.size() == 2; }));
    EXPECT_EQ(received, "ab");
    EXPECT_TRUE(onUiThread);
}

TEST_F(DescriptorWatchTest, DisabledWatchStaysQuietAndWritableWatchFires) {
    int calls = 0;
    TDescriptorWatch watch(ReadEnd(), TDescriptorWatch::wdRead, [&] { ++calls; });
    watch.SetEnabled(false);
    Put('x');
    test::RunPendingEvents();
    EXPECT_EQ(calls, 0);
    EXPECT_FALSE(watch.Enabled());

    bool writable = false;
    TDescriptorWatch output(WriteEnd(), TDescriptorWatch::wdWrite, [&] { writable = true; });
    EXPECT_EQ(output.Descriptor(), WriteEnd());
    ASSERT_TRUE(RunLoopUntil([&] { return writable; }));
}

TEST_F(DescriptorWatchTest, HandlerMayDestroyItsWatch) {
    std::unique_ptr<TDescriptorWatch> watch;
    int calls = 0;
    watch = std::make_unique<TDescriptorWatch>(ReadEnd(), TDescriptorWatch::wdRead, [&] {
        ++calls;
        watch.reset();  // the byte stays unread: only the destruction stops further calls
    });
    Put('x');
    ASSERT_TRUE(RunLoopUntil([&] { return !watch; }));
    test::RunPendingEvents();
    EXPECT_EQ(calls, 1);
}

}  // namespace
}  // namespace dsp

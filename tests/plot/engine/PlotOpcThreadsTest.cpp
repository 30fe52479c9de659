// OPC callbacks from the library's own thread: the values, the group updates and the points
// they add all reach the plot on the UI thread (run under ThreadSanitizer too).

#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "plot/engine/iXYPlot.h"
#include "tests/plot/engine/FakeOPCLibrary.h"
#include "tests/support/RunLoop.h"

namespace dsp {
namespace {

// An XY channel that notes the thread of every point added.
class TThreadNotingChannel : public TiXYPlotChannel {
public:
    using TiXYPlotChannel::TiXYPlotChannel;
    int AddXY(double x, double y) override {
        threads.push_back(std::this_thread::get_id());
        return TiXYPlotChannel::AddXY(x, y);
    }
    std::vector<std::thread::id> threads;
};

TEST(PlotOpcThreadsTest, CallbacksFromALibraryThreadAddPointsOnTheUiThread) {
    test::TFakeOPCLibrary library;
    TiXYPlot plot(nullptr);
    plot.Master()->SetChannelClass(PlotObjectFactory<TThreadNotingChannel>());
    auto* channel = static_cast<TThreadNotingChannel*>(plot.GetChannel(plot.AddChannel()));
    channel->SetOPCServerName("Server");
    channel->SetOPCItemName("X");
    channel->SetOPCItem2Name("Y");
    channel->OPCActivate();
    library.SignalOf("X")->data = TVariant(1.0);
    library.SignalOf("Y")->data = TVariant(2.0);
    const auto x = library.SignalOf("X")->callback;
    const auto y = library.SignalOf("Y")->callback;
    const int groupHandle = library.groups.begin()->first;
    const auto group = library.groups.begin()->second.callback;

    constexpr int kUpdates = 200;
    std::thread libraryThread([&] {
        for (int i = 0; i < kUpdates; ++i) {
            group->BeforeGroupUpdate(groupHandle);
            x->NewDataReady(0);
            y->NewDataReady(0);
            group->AfterGroupUpdate(groupHandle);
        }
    });
    EXPECT_TRUE(test::RunLoopUntil([&] { return channel->Count() == kUpdates; }));
    libraryThread.join();
    test::RunPendingEvents();
    EXPECT_EQ(channel->Count(), kUpdates);
    for (const std::thread::id id : channel->threads) {
        ASSERT_EQ(id, std::this_thread::get_id());
    }
    EXPECT_EQ(channel->GetDataY(kUpdates - 1), 2);
}

}  // namespace
}  // namespace dsp

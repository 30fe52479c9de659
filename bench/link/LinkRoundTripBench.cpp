// Round trips through the network transport against the processor simulator on loopback, and
// the time from a reply's arrival to the next queued frame on the wire. A raw socket exchange
// with the same simulator runs beside them as the baseline the transport's cost is read against.
//
// Run inside scripts/in-private-network.sh: everything stays on 127.0.0.1.

#include <benchmark/benchmark.h>

#include <QApplication>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <mutex>

#include "framework/os/ClientSocket.h"
#include "framework/os/TcpListener.h"
#include "framework/runtime/EventLoop.h"
#include "framework/runtime/MessageWindow.h"
#include "link/LinkWindow.h"
#include "link/Lnet.h"
#include "model/Lcmd.h"
#include "tools/sim/SimFrontEnds.h"

#include <QCoreApplication>
#include <QEventLoop>

namespace {

using namespace dsp;
using Bytes = std::vector<std::uint8_t>;
using Clock = std::chrono::steady_clock;

Bytes Request(std::uint8_t code) { return LCmd::EncodeFrame(LCmd(1, code), FrameMode::Frame); }

void RunLoopUntil(const std::function<bool()>& done) {
    const auto end = Clock::now() + std::chrono::seconds(10);
    while (!done() && Clock::now() < end) QCoreApplication::processEvents(QEventLoop::AllEvents);
}

// The program's arrangement: socket reads go to the transport, replies to a window.
struct NetSession {
    NetSession() {
        server.Start("127.0.0.1", 0);
        window = AllocateHWnd([this](TMessage& m) {
            if (m.Msg == WM_LINK_REPLY) ++replies;
        });
        owner = std::make_unique<LLinkWindow>(window, nullptr);
        socket.SetAddress("127.0.0.1");
        socket.SetPort(server.Port());
        socket.SetOnRead([this](TObject*, TCustomWinSocket* s) {
            std::uint8_t buffer[100];
            const int r = s->ReceiveBuf(buffer, sizeof buffer);
            if (r > 5) link->PutReceived(buffer, static_cast<std::size_t>(r));
        });
        socket.SetOnError([](TObject*, TCustomWinSocket*, TErrorEvent, int& code) { code = 0; });
        socket.Open();
        RunLoopUntil([&] { return socket.Socket()->Connected(); });
        link = std::make_unique<LNetProc>(owner.get());
        link->SetWaitTimeout(60000);
        link->SetWriteRoutine([this](const std::uint8_t* b, std::size_t n) {
            socket.Socket()->SendBuf(b, static_cast<int>(n));
        });
        link->OpenLink();
    }
    ~NetSession() {
        link.reset();
        socket.Close();
        DeallocateHWnd(window);
        server.Stop();
    }
    sim::ProcessorSimulator processor;
    sim::SimTcpServer server{processor};
    TClientSocket socket{nullptr};
    HWND window{};
    std::unique_ptr<LLinkWindow> owner;
    std::unique_ptr<LNetProc> link;
    int replies = 0;
};

void BM_TransportRoundTrip(benchmark::State& state) {
    NetSession s;
    const Bytes poll = Request(CommandCode::MCS_GET_LEVELS);
    for (auto _ : state) {
        const int before = s.replies;
        s.link->QueueFrame(poll, false);
        RunLoopUntil([&] { return s.replies > before && !s.link->AwaitingReply(); });
    }
    state.SetItemsProcessed(state.iterations());
    state.counters["frames_per_s"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_TransportRoundTrip)->UseRealTime()->MinTime(1.0);

// The same exchange over a plain socket, without transport, window or UI loop.
void BM_RawSocketRoundTrip(benchmark::State& state) {
    sim::ProcessorSimulator processor;
    sim::SimTcpServer server(processor);
    server.Start("127.0.0.1", 0);
    TClientSocket socket(nullptr);
    Bytes pending;
    socket.SetAddress("127.0.0.1");
    socket.SetPort(server.Port());
    socket.SetOnRead([&](TObject*, TCustomWinSocket* s) {
        std::uint8_t buffer[100];
        const int r = s->ReceiveBuf(buffer, sizeof buffer);
        if (r > 0) pending.insert(pending.end(), buffer, buffer + r);
    });
    socket.Open();
    RunLoopUntil([&] { return socket.Socket()->Connected(); });
    const Bytes poll = Request(CommandCode::MCS_GET_LEVELS);
    const std::size_t replySize = 37 + 9;
    for (auto _ : state) {
        pending.clear();
        socket.Socket()->SendBuf(poll.data(), static_cast<int>(poll.size()));
        RunLoopUntil([&] { return pending.size() >= replySize; });
    }
    state.counters["frames_per_s"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
    socket.Close();
}
BENCHMARK(BM_RawSocketRoundTrip)->UseRealTime()->MinTime(1.0);

// From the reply's bytes handed to the transport to the next waiting frame handed to the write
// routine: assembly, the hand-over to the window and back, and the queue.
void BM_ReplyToNextFrame(benchmark::State& state) {
    HWND window = AllocateHWnd([](TMessage&) {});
    LLinkWindow owner(window, nullptr);
    LNetProc link(&owner);
    link.SetWaitTimeout(60000);
    std::atomic<int> writes{0};
    std::atomic<std::int64_t> lastWriteNs{0};
    link.SetWriteRoutine([&](const std::uint8_t*, std::size_t) {
        lastWriteNs =
            std::chrono::duration_cast<std::chrono::nanoseconds>(Clock::now().time_since_epoch())
                .count();
        ++writes;
    });
    link.OpenLink();
    const Bytes first = Request(CommandCode::MCS_GET_LEVELS);
    const Bytes next = Request(CommandCode::MCS_KEEP_ALIVE);
    const Bytes reply = sim::BuildFrame(1, 0, 1, {});
    for (auto _ : state) {
        link.QueueFrame(first, true);
        link.QueueFrame(next, true);
        RunLoopUntil([&] { return writes % 2 == 1; });
        const auto start = Clock::now();
        link.PutReceived(reply.data(), reply.size());
        RunLoopUntil([&] { return writes % 2 == 0; });
        const auto startNs =
            std::chrono::duration_cast<std::chrono::nanoseconds>(start.time_since_epoch()).count();
        state.SetIterationTime(static_cast<double>(lastWriteNs - startNs) / 1e9);
        link.PutReceived(reply.data(), reply.size());
        RunLoopUntil([&] { return !link.AwaitingReply(); });
    }
    link.CloseLink();
    DeallocateHWnd(window);
}
BENCHMARK(BM_ReplyToNextFrame)->UseManualTime()->MinTime(1.0);

}  // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication application(argc, argv);
    dsp::AttachEventLoop();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    dsp::DetachEventLoop();
    return 0;
}

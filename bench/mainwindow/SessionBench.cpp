// The session end to end against the processor simulator, in one run:
// - BM_ConnectAndReadBack/{0,1,2}: from the processor's first frame (the connect command) to
//   the image shown (connect, identity, status, preset map and number, 30 names, 16 settings
//   blocks) over TCP, the pseudo-terminal and the fake HID bus; the scan dialog's own timers
//   before it are not counted. Observed every 5 ms at most (the script's tick). Beside each, its wire time: for TCP the simulator's own turnaround for
//   the same frames (answered in memory, no transport); for the serial line the bytes moved at
//   115200 baud (10 bits a byte); for USB one 1 ms full-speed interrupt frame per report each way.
//   The counter "ratio" is the read-back over its wire time.
// - BM_LinkBrokenShownAfterDrop: from the simulator dropping the TCP connection of an open
//   session to the scan dialog showing "Link Broken" (the dialog shows it 100 ms after it is
//   told, so "over_dialog_ms" is what the session adds).
//
// Run inside scripts/in-private-network.sh (127.0.0.1:9761 only):
//   ./scripts/in-private-network.sh build/bench/mainwindow/bench_mainwindow

#include <benchmark/benchmark.h>

#include <chrono>

#include "bench/mainwindow/BenchSupport.h"
#include "framework/controls/Label.h"
#include "framework/runtime/Application.h"
#include "link/forms/FNetWorkScan.h"
#include "tests/mainwindow/SessionHarness.h"
#include "tools/sim/ProcessorSimulator.h"
#include "tools/sim/SimFrontEnds.h"
#include "widgets/panels/RzBmpBtn.h"

namespace {

using namespace dsp;
using namespace dsp::test;
using Clock = std::chrono::steady_clock;

void BM_ConnectAndReadBack(benchmark::State& state) {
    const int door = static_cast<int>(state.range(0));
    double readBack = 0, wire = 0;
    for (auto _ : state) {
        TSessionHarness h(Door(door));
        Clock::time_point start, end;
        // Looked at from the test's wait and from inside the modal dialogs' loops.
        const auto look = [&] {
            if (start == Clock::time_point{} && h.Processor().FrameCount() > 0)
                start = Clock::now();
            if (end == Clock::time_point{} && h.ReadBacks() > 0) end = Clock::now();
        };
        h.onModal = [&](TCustomForm&) { look(); };
        h.StartConnect();
        const bool done = h.WaitUntil([&] {
            look();
            return h.ReadBackDone();
        });
        const double ms = Ms(end - start);
        if (!done) state.SkipWithError("no read-back");
        state.SetIterationTime(ms / 1000.0);
        readBack += ms;
        const TWire w = WireOf(h.Processor().FramesRead());
        wire += door == 0   ? w.turnaroundMs
                : door == 1 ? w.SerialMs()
                            : static_cast<double>(w.frames) * 1.0;
    }
    const auto n = static_cast<double>(state.iterations());
    state.counters["readback_ms"] = readBack / n;
    state.counters["wire_ms"] = wire / n;
    state.counters["ratio"] = readBack / wire;
    state.SetLabel(door == 0 ? "tcp" : door == 1 ? "pty 115200" : "fake usb");
}
BENCHMARK(BM_ConnectAndReadBack)
    ->Arg(0)
    ->Arg(1)
    ->Arg(2)
    ->Iterations(5)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

void BM_LinkBrokenShownAfterDrop(benchmark::State& state) {
    double total = 0;
    for (auto _ : state) {
        TSessionHarness h(Door(0));
        h.StartConnect();
        if (!h.WaitUntil([&] { return h.ReadBackDone(); })) state.SkipWithError("no read-back");
        Clock::time_point dropped, shown;
        h.onModal = [&](TCustomForm& form) {
            if (&form == fmNetwork && fmNetwork->lblScan->Caption() == "Link Broken") {
                if (shown == Clock::time_point{}) shown = Clock::now();
                fmNetwork->btnExit->Click();
            }
        };
        dropped = Clock::now();
        h.Tcp().DropConnection();
        if (!h.WaitUntil([&] { return shown != Clock::time_point{} && !fmNetwork->Visible(); }))
            state.SkipWithError("no Link Broken");
        const double ms = Ms(shown - dropped);
        state.SetIterationTime(ms / 1000.0);
        total += ms;
    }
    const auto n = static_cast<double>(state.iterations());
    state.counters["to_link_broken_ms"] = total / n;
    state.counters["over_dialog_ms"] = total / n - 100.0;
}
BENCHMARK(BM_LinkBrokenShownAfterDrop)
    ->Iterations(5)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    dsp::TApplication application;
    application.Initialize();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

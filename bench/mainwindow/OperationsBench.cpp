// A full unit file (all 30 presets in use) moved between the processor simulator and the editor,
// in the same run as the session's read-back:
// BM_UnitFileUploadAndDownload/{0,1}, over TCP and the pseudo-terminal: "upload" from its start
// to the last preset block taken (the 18 that ends the chain on its way); "download" of the file
// that upload wrote, from its start (file read and checked) to the restart command leaving for
// the processor, after the factory reset and 30 x 16 blocks.
// Beside each its wire time, as for the read-back: for TCP the simulator's own turnaround for the
// same frames, for the serial line the bytes both ways at 115200 baud (the pseudo-terminal itself
// does not pace them). The counter "ratio" is the operation over its wire time. Observed every
// 5 ms at most (the harness's wait).

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <string>

#include "bench/mainwindow/BenchSupport.h"
#include "framework/desktop/ScriptedDialogs.h"
#include "model/UnitFiles.h"
#include "tests/mainwindow/SessionHarness.h"
#include "tests/support/TempFolder.h"
#include "tools/sim/ProcessorSimulator.h"

namespace {

using namespace dsp;
using namespace dsp::test;
using Clock = std::chrono::steady_clock;

// Every preset of the processor in use, each unlike the others.
void FillAllPresets(sim::ProcessorMemory& m) {
    for (int k = 0; k < PresetSlotCount; ++k) {
        m.presetUsed[static_cast<std::size_t>(k)] = true;
        auto& preset = m.presets[static_cast<std::size_t>(k)];
        preset = m.current;
        preset[0] = 0xFF;
        for (int i = 300; i < 340; ++i)
            preset[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(i + k);
    }
}

struct TTimes {
    double operation = 0;
    double wire = 0;
};

// Runs one operation from a cleared frame record until the session is idle again and adds its
// time and the wire time of its frames (answered from the memory the processor had at its
// start). Returns the operation's time.
template <typename Start>
double Measure(TSessionHarness& h, int door, TTimes& times, Start start, bool& finished) {
    const sim::ProcessorMemory memory = h.Processor().Memory();
    h.Processor().ClearRecord();
    const Clock::time_point begun = Clock::now();
    start();
    finished = h.WaitUntil([&] { return h.Form().SessionPhase() == TSessionPhase::Idle; },
                           std::chrono::seconds(60));
    const double ms = Ms(Clock::now() - begun);
    const TWire w = WireOf(h.Processor().FramesRead(), &memory);
    times.operation += ms;
    times.wire += door == 0 ? w.turnaroundMs : w.SerialMs();
    return ms;
}

void Report(benchmark::State& state, const char* what, const TTimes& times) {
    const auto n = static_cast<double>(state.iterations());
    state.counters[std::string(what) + "_ms"] = times.operation / n;
    state.counters[std::string(what) + "_wire_ms"] = times.wire / n;
    state.counters[std::string(what) + "_ratio"] = times.operation / times.wire;
}

void BM_UnitFileUploadAndDownload(benchmark::State& state) {
    const int door = static_cast<int>(state.range(0));
    TTimes upload, download;
    for (auto _ : state) {
        TScriptedDialogs scripted;
        TTempFolder folder;
        TSessionHarness h(Door(door));
        h.Processor().ChangeMemory(FillAllPresets);
        h.StartConnect();
        if (!h.WaitUntil([&] { return h.ReadBackDone(); })) state.SkipWithError("no read-back");

        scripted.AnswerFile(folder.File("rig"));
        bool finished = false;
        double ms = Measure(
            h, door, upload, [&] { h.Form().UploadAllPresets(); }, finished);
        if (!finished) state.SkipWithError("upload not finished");
        // The upload's timer writes the file a moment after the last block.
        const std::string file = folder.File("rig.unt");
        if (!h.WaitUntil([&] {
                std::error_code error;
                return std::filesystem::file_size(file, error) == UnitFileSize;
            }))
            state.SkipWithError("no unit file");

        h.Processor().ChangeMemory([](sim::ProcessorMemory& m) { m.FactoryReset(); });
        scripted.AnswerFile(file);
        ms += Measure(
            h, door, download, [&] { h.Form().DownloadUnitFile(); }, finished);
        const sim::ProcessorMemory after = h.Processor().Memory();
        if (!finished ||
            std::count(after.presetUsed.begin(), after.presetUsed.end(), true) != PresetSlotCount)
            state.SkipWithError("download not finished");
        state.SetIterationTime(ms / 1000.0);
    }
    Report(state, "upload", upload);
    Report(state, "download", download);
    state.SetLabel(door == 0 ? "tcp" : "pty 115200");
}
BENCHMARK(BM_UnitFileUploadAndDownload)
    ->Arg(0)
    ->Arg(1)
    ->Iterations(3)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace

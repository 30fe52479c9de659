// The built editor as a user starts it, each figure beside a reference measured in the same run:
// - from the process start to the first painted main window (the editor's own trace says when
//   its last part has painted; the processor time it used until then is a counter), beside the start and end of a program that does nothing; on the
//   headless platform, and on a virtual X display with a window manager when Xvfb and openbox
//   are there;
// - its resident memory once it has connected to the processor simulator on the default address
//   and read it back, beside its resident memory at the first paint (the default image shown).
// The processor's address goes on the loopback of the private network namespace the benchmark
// must run in; nothing leaves the machine. Each start uses a fresh runtime folder, so no start
// finds an earlier one as its first instance.

#include <benchmark/benchmark.h>

#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <sstream>
#include <string>

#include "tests/realwindow/ChildProcess.h"
#include "tests/realwindow/LineReader.h"
#include "tests/realwindow/PrivateNetwork.h"
#include "tests/realwindow/XSession.h"

namespace dsp {
namespace {

using namespace std::chrono_literals;
using realwindow::NetworkIsPrivate;
using realwindow::TChildOptions;
using realwindow::TChildProcess;
using realwindow::TLineReader;
using Clock = std::chrono::steady_clock;

constexpr char kProcessorAddress[] = "192.168.2.1";

double SecondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// A process's resident memory in megabytes (VmRSS).
double ResidentMegabytes(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string word;
    while (status >> word) {
        if (word == "VmRSS:") {
            double kb = 0;
            status >> kb;
            return kb / 1024.0;
        }
    }
    return 0;
}

// The processor time a process has used so far, user and system, in milliseconds: on a busy
// machine a truer figure than the time on the clock.
double ProcessorMs(pid_t pid) {
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
    // The fields after the command's name in parentheses; utime and stime are the 14th and 15th.
    std::istringstream fields(text.substr(text.rfind(')') + 2));
    std::string field;
    double ticks = 0;
    for (int i = 3; i <= 15 && fields >> field; ++i) {
        if (i >= 14) ticks += std::stod(field);
    }
    return ticks * 1000.0 / static_cast<double>(sysconf(_SC_CLK_TCK));
}

// A runtime folder of its own for one editor start.
struct TRuntimeFolder {
    std::filesystem::path path;
    TRuntimeFolder() {
        static int count = 0;
        path = std::filesystem::temp_directory_path() /
               ("dsp-editor-bench-" + std::to_string(getpid()) + "-" + std::to_string(++count));
        std::filesystem::create_directories(path);
        std::filesystem::permissions(path, std::filesystem::perms::owner_all);
    }
    ~TRuntimeFolder() { std::filesystem::remove_all(path); }
};

// The display the xcb figures use, started once.
realwindow::TXSession* Display() {
    static std::unique_ptr<realwindow::TXSession> session = [] {
        std::string why;
        return realwindow::TXSession::Start(why);
    }();
    return session.get();
}

struct TEditor {
    TRuntimeFolder folder;
    TChildProcess process;
    std::unique_ptr<TLineReader> trace;
    Clock::time_point started;

    bool Start(bool onDisplay, std::string& error) {
        TChildOptions options;
        options.args = {DSP_EDITOR_PROGRAM};
        options.environment = {"XDG_RUNTIME_DIR=" + folder.path.string(), "DSP_EDITOR_TRACE=1",
                               "DSP_EDITOR_SERIAL_PORTS=none"};
        if (onDisplay) {
            options.environment.push_back("DISPLAY=" + Display()->DisplayName());
            options.environment.push_back("QT_QPA_PLATFORM=xcb");
        } else {
            options.environment.push_back("QT_QPA_PLATFORM=offscreen");
        }
        options.pipeOutput = true;
        started = Clock::now();
        if (!process.Start(options, error)) return false;
        trace = std::make_unique<TLineReader>(process.ReadEnd());
        return true;
    }
    // The time of the milestone as the editor traced it ("dsp-editor: first paint 123.4 ms").
    double TracedMs() const {
        double ms = 0;
        std::sscanf(trace->Seen().back().c_str(), "%*[^0-9]%lf", &ms);
        return ms;
    }
};

void BM_StartToFirstPaint(benchmark::State& state) {
    const bool onDisplay = state.range(0) == 1;
    if (onDisplay && Display() == nullptr) {
        state.SkipWithError("no virtual display here (Xvfb and openbox)");
        return;
    }
    double traced = 0;
    double processor = 0;
    for (auto _ : state) {
        TEditor editor;
        std::string error;
        if (!editor.Start(onDisplay, error)) {
            state.SkipWithError(error.c_str());
            return;
        }
        if (!editor.trace->WaitFor("dsp-editor: first paint", 20s)) {
            state.SkipWithError("the editor did not paint its main window");
            return;
        }
        state.SetIterationTime(SecondsSince(editor.started));
        traced += editor.TracedMs();
        processor += ProcessorMs(static_cast<pid_t>(editor.process.Pid()));
        state.PauseTiming();
        editor.process.Stop();
        state.ResumeTiming();
    }
    state.counters["traced_ms"] = benchmark::Counter(traced, benchmark::Counter::kAvgIterations);
    state.counters["cpu_ms"] = benchmark::Counter(processor, benchmark::Counter::kAvgIterations);
    state.SetLabel(onDisplay ? "xcb" : "offscreen");
}
BENCHMARK(BM_StartToFirstPaint)
    ->Arg(0)
    ->Arg(1)
    ->UseManualTime()
    ->Iterations(10)
    ->Unit(benchmark::kMillisecond);

// The reference: a program that starts and ends at once.
void BM_StartAndEndOfNothing(benchmark::State& state) {
    for (auto _ : state) {
        TChildProcess process;
        TChildOptions options;
        options.args = {"/bin/true"};
        std::string error;
        const Clock::time_point started = Clock::now();
        if (!process.Start(options, error) || !process.WaitForExit(10s)) {
            state.SkipWithError("cannot start /bin/true");
            return;
        }
        state.SetIterationTime(SecondsSince(started));
    }
}
BENCHMARK(BM_StartAndEndOfNothing)->UseManualTime()->Iterations(10)->Unit(benchmark::kMillisecond);

void BM_ResidentAfterReadBack(benchmark::State& state) {
    if (!NetworkIsPrivate()) {
        state.SkipWithError("run it inside ./scripts/in-private-network.sh");
        return;
    }
    {
        TChildProcess ip;
        TChildOptions options;
        options.args = {"ip",  "addr", "replace", std::string(kProcessorAddress) + "/32",
                        "dev", "lo"};
        std::string error;
        if (!ip.Start(options, error) || ip.WaitForExit(10s) != 0) {
            state.SkipWithError("cannot put the processor's address on the loopback");
            return;
        }
    }
    double atFirstPaint = 0;
    double afterReadBack = 0;
    for (auto _ : state) {
        TRuntimeFolder simFolder;
        TChildProcess simulator;
        TChildOptions options;
        options.args = {DSP_SIM_PROGRAM, "--tcp", std::string(kProcessorAddress) + ":9761", "--log",
                        (simFolder.path / "sim.log").string()};
        options.pipeOutput = true;
        std::string error;
        if (!simulator.Start(options, error) ||
            !TLineReader(simulator.ReadEnd()).WaitFor("tcp ", 10s)) {
            state.SkipWithError("the simulator does not listen");
            return;
        }
        TEditor editor;
        if (!editor.Start(false, error) || !editor.trace->WaitFor("dsp-editor: first paint", 20s)) {
            state.SkipWithError("the editor did not paint its main window");
            return;
        }
        atFirstPaint += ResidentMegabytes(static_cast<pid_t>(editor.process.Pid()));
        // The image shown after the start-up one is the processor's.
        if (!editor.trace->WaitFor("dsp-editor: image shown", 30s)) {
            state.SkipWithError("the editor did not read the processor back");
            return;
        }
        state.SetIterationTime(SecondsSince(editor.started));
        afterReadBack += ResidentMegabytes(static_cast<pid_t>(editor.process.Pid()));
        state.PauseTiming();
        editor.process.Stop();
        simulator.Stop();
        state.ResumeTiming();
    }
    state.counters["rss_first_paint_MB"] =
        benchmark::Counter(atFirstPaint, benchmark::Counter::kAvgIterations);
    state.counters["rss_read_back_MB"] =
        benchmark::Counter(afterReadBack, benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_ResidentAfterReadBack)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace dsp

#include "bench/framework/controls/BenchForms.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "framework/graphics/FontSet.h"
#include "framework/runtime/Application.h"

extern char** environ;

namespace dsp::bench {

namespace {

using Clock = std::chrono::steady_clock;

constexpr const char* kFirstLifeOption = "--first-life=";
constexpr int kWarmUpLives = 3;

double MsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// Runs this program again with one argument and returns what it printed, or nothing.
std::string RunFreshCopy(const std::string& argument) {
    int out[2];
    if (::pipe(out) != 0) return {};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    posix_spawn_file_actions_addclose(&actions, out[1]);
    std::string program = "/proc/self/exe";
    std::string arg = argument;
    char* argv[] = {program.data(), arg.data(), nullptr};
    pid_t pid = -1;
    const int spawned = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(out[1]);
    std::string text;
    char buffer[256];
    ssize_t n = 0;
    while (spawned == 0 && (n = ::read(out[0], buffer, sizeof buffer)) > 0) text.append(buffer, n);
    ::close(out[0]);
    int status = 0;
    if (spawned == 0) ::waitpid(pid, &status, 0);
    return spawned == 0 && WIFEXITED(status) && WEXITSTATUS(status) == 0 ? text : std::string();
}

bool ParseLife(const std::string& text, TFormLife& life) {
    return std::sscanf(text.c_str(), "build=%lf show_paint=%lf destroy=%lf rss=%lf", &life.buildMs,
                       &life.showPaintMs, &life.destroyMs, &life.residentGrowthMB) == 4;
}

void Report(benchmark::State& state, const TFormLife& sum) {
    const double n = static_cast<double>(state.iterations());
    if (n == 0) return;
    state.counters["build_ms"] = sum.buildMs / n;
    state.counters["show_paint_ms"] = sum.showPaintMs / n;
    state.counters["destroy_ms"] = sum.destroyMs / n;
    state.counters["rss_growth_MB"] = sum.residentGrowthMB / n;
}

void Accumulate(TFormLife& sum, const TFormLife& life) {
    sum.buildMs += life.buildMs;
    sum.showPaintMs += life.showPaintMs;
    sum.destroyMs += life.destroyMs;
    sum.residentGrowthMB += life.residentGrowthMB;
}

}  // namespace

void EnsureApplication() {
    static bool started = [] {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        setenv("QT_FONT_DPI", "96", 0);
        PinFontSet();
        auto* application = new TApplication();
        application->Initialize();
        return true;
    }();
    (void)started;
}

void PaintAll(TWinControl& control) {
    control.Update();
    for (TWinControl* child : control.WinControls()) PaintAll(*child);
}

double ResidentMegabytes() {
    long pages = 0;
    long resident = 0;
    if (FILE* f = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2) resident = 0;
        std::fclose(f);
    }
    return static_cast<double>(resident) * 4096.0 / (1024.0 * 1024.0);
}

TFormLife LiveOnce(const TFormBuilder& build, const std::function<void(TForm&)>& inspect) {
    EnsureApplication();
    TFormLife life;
    const double before = ResidentMegabytes();
    auto start = Clock::now();
    std::unique_ptr<TForm> form = build();
    life.buildMs = MsSince(start);
    start = Clock::now();
    form->Show();
    PaintAll(*form);
    Application->ProcessMessages();
    life.showPaintMs = MsSince(start);
    life.residentGrowthMB = ResidentMegabytes() - before;
    if (inspect) inspect(*form);
    start = Clock::now();
    form.reset();
    Application->ProcessMessages();
    life.destroyMs = MsSince(start);
    return life;
}

void BenchFirstInFreshProcess(benchmark::State& state, const std::string& form) {
    TFormLife sum;
    for (auto _ : state) {
        TFormLife life;
        if (!ParseLife(RunFreshCopy(kFirstLifeOption + form), life)) {
            state.SkipWithError("the fresh copy of the program reported nothing");
            return;
        }
        state.SetIterationTime((life.buildMs + life.showPaintMs) / 1000.0);
        Accumulate(sum, life);
    }
    Report(state, sum);
}

void BenchWarm(benchmark::State& state, const TFormBuilder& build,
               const std::function<void(TForm&)>& inspect) {
    for (int i = 0; i < kWarmUpLives; ++i) LiveOnce(build);
    TFormLife sum;
    for (auto _ : state) {
        const TFormLife life = LiveOnce(build, inspect);
        state.SetIterationTime((life.buildMs + life.showPaintMs + life.destroyMs) / 1000.0);
        Accumulate(sum, life);
    }
    Report(state, sum);
}

int RunControlsBenchmarks(int argc, char** argv, const TFormTable& forms) {
    const std::size_t optionLength = std::strlen(kFirstLifeOption);
    if (argc == 2 && std::strncmp(argv[1], kFirstLifeOption, optionLength) == 0) {
        const auto form = forms.find(argv[1] + optionLength);
        if (form == forms.end()) return 2;
        EnsureApplication();
        const TFormLife life = LiveOnce(form->second);
        std::printf("build=%.3f show_paint=%.3f destroy=%.3f rss=%.3f\n", life.buildMs,
                    life.showPaintMs, life.destroyMs, life.residentGrowthMB);
        return 0;
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

}  // namespace dsp::bench

#pragma once
// What the main window's benchmarks share: the harness on one door (0 TCP, 1 the
// pseudo-terminal, 2 the fake HID bus), and what a run of frames costs on the wire, to set the
// editor's times beside it: the frames the simulator read, answered again by a simulator that
// starts from the same memory.

#include <chrono>
#include <cstddef>
#include <vector>

#include "tests/mainwindow/SessionHarness.h"
#include "tools/sim/ProcessorSimulator.h"

namespace dsp::test {

inline double Ms(std::chrono::steady_clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

inline THarnessOptions Door(int door) {
    THarnessOptions o;
    o.tcp = door == 0;
    o.pty = door == 1;
    o.usb = door == 2;
    return o;
}

// Bytes each way, frames each way, and the simulator's time to answer them all in memory.
struct TWire {
    std::size_t bytes = 0;
    std::size_t frames = 0;
    double turnaroundMs = 0;

    // The bytes at 115200 baud, 10 bits a byte.
    double SerialMs() const { return static_cast<double>(bytes) * 10.0 * 1000.0 / 115200.0; }
};

inline TWire WireOf(const std::vector<sim::SimFrame>& frames,
                    const sim::ProcessorMemory* start = nullptr) {
    TWire w;
    sim::ProcessorSimulator fresh;
    if (start != nullptr) fresh.ChangeMemory([&](sim::ProcessorMemory& m) { m = *start; });
    const auto begun = std::chrono::steady_clock::now();
    for (const sim::SimFrame& f : frames) {
        for (const sim::SimReply& r : fresh.Receive(f.bytes)) {
            w.bytes += r.bytes.size();
            w.frames += r.bytes.empty() ? 0 : 1;
        }
        w.bytes += f.bytes.size();
        ++w.frames;
    }
    w.turnaroundMs = Ms(std::chrono::steady_clock::now() - begun);
    return w;
}

}  // namespace dsp::test

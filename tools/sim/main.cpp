// dsp-sim: plays the loudspeaker processor for the editor over TCP or a pseudo-terminal.
//
//   dsp-sim [--tcp ADDR:PORT] [--pty] [--id N] [--identity TEXT] [--lock PASSWORD]
//           [--log FILE] [--delay MS] [--silent] [--drop-after N] [--strict] [--split N]
//
// Without --tcp or --pty it listens on 127.0.0.1:9761. It runs until interrupted and then
// lists the protocol faults it saw on standard error (exit status 2 when there were any). With
// --drop-after N every connection is dropped after its Nth frame; --strict answers only frames
// sent to its ID or to 255; --split N writes every reply in two pieces, its last N bytes 20 ms
// after the rest.
//
// Commands on standard input, one a line: "drop" ends the TCP connection, "hangup" hangs the
// pseudo-terminal up, "silent" and "talk" stop and resume answering, "malform levels|name|block"
// sends the next level, preset-name or settings-block reply out of shape once.

#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <mutex>
#include <string>
#include <thread>

#include "framework/os/TcpListener.h"
#include "tools/sim/SimFrontEnds.h"

namespace {

volatile std::sig_atomic_t gStop = 0;
void OnSignal(int) { gStop = 1; }

int Usage() {
    std::cerr << "usage: dsp-sim [--tcp ADDR:PORT] [--pty] [--id N] [--identity TEXT]\n"
                 "               [--lock PASSWORD] [--log FILE] [--delay MS] [--silent]\n"
                 "               [--drop-after N] [--strict] [--split N]\n";
    return 64;
}

bool ToInt(const std::string& text, int low, int high, int& value) {
    try {
        std::size_t used = 0;
        value = std::stoi(text, &used);
        return used == text.size() && value >= low && value <= high;
    } catch (...) {
        return false;
    }
}

}  // namespace

int main(int argc, char** argv) {
    using namespace dsp;
    using namespace dsp::sim;

    SimulatorOptions options;
    std::string tcp, logPath;
    bool pty = false, silent = false;
    int delay = 0, dropAfter = 0, split = 0;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        auto value = [&](std::string& out) {
            if (i + 1 >= argc) return false;
            out = argv[++i];
            return true;
        };
        std::string v;
        int n = 0;
        if (arg == "--tcp" && value(tcp)) {
        } else if (arg == "--pty") {
            pty = true;
        } else if (arg == "--id" && value(v) && ToInt(v, 1, 254, n)) {
            options.deviceId = static_cast<std::uint8_t>(n);
        } else if (arg == "--identity" && value(options.identity)) {
        } else if (arg == "--lock" && value(options.lockPassword)) {
        } else if (arg == "--log" && value(logPath)) {
        } else if (arg == "--delay" && value(v) && ToInt(v, 0, 600000, delay)) {
        } else if (arg == "--silent") {
            silent = true;
        } else if (arg == "--drop-after" && value(v) && ToInt(v, 0, 1 << 30, dropAfter)) {
        } else if (arg == "--strict") {
            options.strictReceiver = true;
        } else if (arg == "--split" && value(v) && ToInt(v, 0, 64, split)) {
        } else {
            return Usage();
        }
    }
    if (tcp.empty() && !pty) tcp = "127.0.0.1:9761";

    ProcessorSimulator simulator(options);
    simulator.SetSilent(silent);
    simulator.SetReplyDelay(delay);
    simulator.SetDropAfterFrames(dropAfter);
    simulator.SetSplitReplies(static_cast<std::size_t>(split));

    std::ofstream log;
    std::mutex logLock;
    if (!logPath.empty()) {
        log.open(logPath, std::ios::out | std::ios::trunc);
        if (!log) {
            std::cerr << "dsp-sim: cannot write " << logPath << "\n";
            return 1;
        }
        simulator.SetLogSink([&](const std::string& line) {
            std::lock_guard<std::mutex> guard(logLock);
            log << line << '\n';
            log.flush();
        });
    }

    std::signal(SIGINT, OnSignal);
    std::signal(SIGTERM, OnSignal);

    SimTcpServer server(simulator);
    if (!tcp.empty()) {
        std::string address;
        std::uint16_t port = 0;
        if (!ParseAddressAndPort(tcp, address, port)) return Usage();
        if (!server.Start(address, port)) {
            std::cerr << "dsp-sim: cannot listen on " << tcp << "\n";
            return 1;
        }
        std::cout << "tcp " << address << ":" << server.Port() << std::endl;
    }
    SimPty terminal(simulator);
    if (pty) {
        if (!terminal.Start()) {
            std::cerr << "dsp-sim: no pseudo-terminal to be had\n";
            return 1;
        }
        std::cout << "pty " << terminal.SlavePath() << std::endl;
    }

    // Commands from standard input; the reader is left behind when the simulator stops.
    std::thread([&] {
        std::string line;
        while (std::getline(std::cin, line)) {
            if (line == "drop") {
                server.DropConnection();
            } else if (line == "hangup") {
                terminal.HangUp();
            } else if (line == "silent" || line == "talk") {
                simulator.SetSilent(line == "silent");
            } else if (line == "malform levels") {
                simulator.MalformNext(SimMalformation::ShortLevels);
            } else if (line == "malform name") {
                simulator.MalformNext(SimMalformation::NameSlot30);
            } else if (line == "malform block") {
                simulator.MalformNext(SimMalformation::Block16);
            } else if (!line.empty()) {
                std::cerr << "dsp-sim: unknown command " << line << std::endl;
            }
        }
    }).detach();

    while (gStop == 0) std::this_thread::sleep_for(std::chrono::milliseconds(50));
    server.Stop();
    terminal.Stop();

    const auto faults = simulator.Faults();
    for (const std::string& f : faults) std::cerr << "fault: " << f << "\n";
    const std::size_t count = simulator.FaultCount();
    if (count > faults.size()) std::cerr << "fault: " << count - faults.size() << " more\n";
    return count == 0 ? 0 : 2;
}

#pragma once
// The simulator's doors: a TCP server (one connection at a time, a new one may follow) and a
// pseudo-terminal. Each runs its own thread and hands the bytes to the simulator.

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "tools/sim/ProcessorSimulator.h"

namespace dsp {
class TcpListener;
class PseudoTerminal;
}  // namespace dsp

namespace dsp::sim {

class SimTcpServer {
public:
    explicit SimTcpServer(ProcessorSimulator& simulator);
    SimTcpServer(const SimTcpServer&) = delete;
    SimTcpServer& operator=(const SimTcpServer&) = delete;
    ~SimTcpServer();

    // Listens on a dotted IPv4 address and port (0: any free port) and starts serving.
    bool Start(const std::string& address, std::uint16_t port);
    void Stop();
    std::uint16_t Port() const { return port_; }
    // Connections taken so far.
    int Connections() const { return connections_; }
    // Ends the current connection, as a processor that drops off the network would.
    void DropConnection() { dropRequested_ = true; }

private:
    void Run();

    ProcessorSimulator& simulator_;
    std::unique_ptr<TcpListener> listener_;
    std::thread thread_;
    std::atomic<bool> stop_{false};
    std::atomic<bool> dropRequested_{false};
    std::atomic<int> connections_{0};
    std::uint16_t port_ = 0;
};

class SimPty {
public:
    explicit SimPty(ProcessorSimulator& simulator);
    SimPty(const SimPty&) = delete;
    SimPty& operator=(const SimPty&) = delete;
    ~SimPty();

    // Creates the pseudo-terminal and starts serving; SlavePath is then the port to open.
    bool Start();
    void Stop();
    std::string SlavePath() const;
    // Hangs the line up (the serial cable pulled).
    void HangUp() { hangUpRequested_ = true; }

private:
    void Run();

    ProcessorSimulator& simulator_;
    std::unique_ptr<PseudoTerminal> pty_;
    std::string slavePath_;
    std::thread thread_;
    std::atomic<bool> stop_{false};
    std::atomic<bool> hangUpRequested_{false};
};

}  // namespace dsp::sim

#include "tools/sim/SimFrontEnds.h"

#include <algorithm>
#include <chrono>

#include "framework/os/PseudoTerminal.h"
#include "framework/os/TcpListener.h"

namespace dsp::sim {

namespace {
constexpr int kPollMs = 20;

// Waits ms, in short steps so that a stop is not held up.
void Pause(int ms, const std::atomic<bool>& stop) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (!stop && std::chrono::steady_clock::now() < end) {
        std::this_thread::sleep_for(std::chrono::milliseconds(std::min(ms, 5)));
    }
}
// Writes a reply whole, or in its two pieces with a pause between them.
template <typename Write>
bool WriteReply(const SimReply& reply, Write write) {
    if (reply.splitTail == 0) return write(reply.bytes);
    const auto cut = reply.bytes.end() - static_cast<std::ptrdiff_t>(reply.splitTail);
    if (!write(std::vector<std::uint8_t>(reply.bytes.begin(), cut))) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(kSplitPauseMs));
    return write(std::vector<std::uint8_t>(cut, reply.bytes.end()));
}

}  // namespace

SimTcpServer::SimTcpServer(ProcessorSimulator& simulator) : simulator_(simulator) {}

SimTcpServer::~SimTcpServer() { Stop(); }

bool SimTcpServer::Start(const std::string& address, std::uint16_t port) {
    Stop();
    listener_ = std::make_unique<TcpListener>();
    if (!listener_->Listen(address, port)) {
        listener_.reset();
        return false;
    }
    port_ = listener_->Port();
    stop_ = false;
    thread_ = std::thread([this] { Run(); });
    return true;
}

void SimTcpServer::Stop() {
    stop_ = true;
    if (thread_.joinable()) thread_.join();
    listener_.reset();
}

void SimTcpServer::Run() {
    while (!stop_) {
        std::unique_ptr<TcpConnection> c = listener_->Accept(kPollMs);
        if (!c) continue;
        ++connections_;
        dropRequested_ = false;
        simulator_.StartConnection();
        while (!stop_ && !dropRequested_) {
            bool closed = false;
            std::vector<std::uint8_t> bytes = c->Read(kPollMs, closed);
            bool drop = closed;
            for (const SimReply& r : simulator_.Receive(bytes)) {
                if (r.delayMs > 0) Pause(r.delayMs, stop_);
                if (!r.bytes.empty() &&
                    !WriteReply(r, [&](const std::vector<std::uint8_t>& b) { return c->Write(b); }))
                    drop = true;
                if (r.dropLink) drop = true;
                if (drop) break;
            }
            if (drop) break;
        }
        c->Close();
    }
}

SimPty::SimPty(ProcessorSimulator& simulator) : simulator_(simulator) {}

SimPty::~SimPty() { Stop(); }

bool SimPty::Start() {
    Stop();
    pty_ = std::make_unique<PseudoTerminal>();
    if (!pty_->Open()) {
        pty_.reset();
        return false;
    }
    slavePath_ = pty_->SlavePath();
    stop_ = false;
    hangUpRequested_ = false;
    thread_ = std::thread([this] { Run(); });
    return true;
}

void SimPty::Stop() {
    stop_ = true;
    if (thread_.joinable()) thread_.join();
    pty_.reset();
}

std::string SimPty::SlavePath() const { return slavePath_; }

void SimPty::Run() {
    while (!stop_) {
        if (hangUpRequested_) {
            pty_->Close();
            return;
        }
        std::vector<std::uint8_t> bytes = pty_->Read(kPollMs);
        for (const SimReply& r : simulator_.Receive(bytes)) {
            if (r.delayMs > 0) Pause(r.delayMs, stop_);
            if (!r.bytes.empty())
                WriteReply(r, [&](const std::vector<std::uint8_t>& b) { return pty_->Write(b); });
            if (r.dropLink) {
                pty_->Close();
                return;
            }
        }
    }
}

}  // namespace dsp::sim

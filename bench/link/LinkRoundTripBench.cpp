// Round trips of the level poll through the program's transports against the processor
// simulator running as a process of its own, each beside a bare exchange with the same
// simulator that is the baseline its cost is read against: a blocking socket for the network
// transport, direct port reads for the serial one. The variants of one benchmark take turns
// round trip by round trip, so a slow moment of the machine falls on all of them alike; the
// counters give each variant's time per round trip and frames per second, and their ratios.
// The waits sleep in the event loop or the kernel; none spins.
//
// Run inside scripts/in-private-network.sh: everything stays on 127.0.0.1.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/os/ClientSocket.h"
#include "framework/os/SerialPort.h"
#include "framework/os/SerialPortList.h"
#include "framework/runtime/EventLoop.h"
#include "framework/runtime/MainThread.h"
#include "framework/runtime/MessageWindow.h"
#include "link/Lcomm.h"
#include "link/LinkWindow.h"
#include "link/Lnet.h"
#include "model/Lcmd.h"

namespace {

using namespace dsp;
using Bytes = std::vector<std::uint8_t>;
using Clock = std::chrono::steady_clock;

constexpr std::size_t kLevelReplySize = 37 + 8;  // the level answer's payload and its frame

Bytes Request(std::uint8_t code) { return LCmd::EncodeFrame(LCmd(1, code), FrameMode::Frame); }

// Sleeps in the event loop until done() holds; a slow timer started in main wakes it now and
// then, so a lost event cannot hang the run for more than the limit.
bool WaitUntil(const std::function<bool()>& done) {
    const auto end = Clock::now() + std::chrono::seconds(10);
    while (!done()) {
        if (Clock::now() > end) return false;
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    return true;
}

// The simulator program, started with its arguments; the first line it prints names its door
// ("tcp ADDR:PORT" or "pty PATH").
class SimProcess {
public:
    explicit SimProcess(std::vector<std::string> args) {
        int out[2];
        if (::pipe(out) != 0) return;
        args.insert(args.begin(), DSP_SIM_PROGRAM);
        std::vector<char*> argv;
        for (std::string& a : args) argv.push_back(a.data());
        argv.push_back(nullptr);
        pid_ = ::fork();
        if (pid_ == 0) {
            ::dup2(out[1], STDOUT_FILENO);
            ::close(out[0]);
            ::close(out[1]);
            ::execv(argv[0], argv.data());
            ::_exit(127);
        }
        ::close(out[1]);
        char c = 0;
        while (::read(out[0], &c, 1) == 1 && c != '\n') door_ += c;
        ::close(out[0]);
    }
    ~SimProcess() {
        if (pid_ <= 0) return;
        ::kill(pid_, SIGTERM);
        int status = 0;
        ::waitpid(pid_, &status, 0);
    }
    SimProcess(const SimProcess&) = delete;
    SimProcess& operator=(const SimProcess&) = delete;

    // What follows "tcp " or "pty " on the first line.
    std::string Door() const { return door_.size() > 4 ? door_.substr(4) : std::string(); }
    std::uint16_t Port() const {
        const std::string d = Door();
        const auto colon = d.rfind(':');
        return colon == std::string::npos
                   ? 0
                   : static_cast<std::uint16_t>(std::stoi(d.substr(colon + 1)));
    }

private:
    pid_t pid_ = -1;
    std::string door_;
};

// One variant of an exchange: its round trip and the time it took in all.
struct Variant {
    std::string name;
    std::function<bool()> roundTrip;
    double seconds = 0;
};

// Runs the variants in turn, one round trip each per iteration, and reports each variant's time
// per round trip (us) and frames per second, and each later variant's time over the first's.
void Interleave(benchmark::State& state, std::vector<Variant>& variants) {
    for (auto _ : state) {
        for (Variant& v : variants) {
            const auto start = Clock::now();
            if (!v.roundTrip()) {
                state.SkipWithError((v.name + ": no answer").c_str());
                return;
            }
            v.seconds += std::chrono::duration<double>(Clock::now() - start).count();
        }
    }
    const double n = static_cast<double>(state.iterations());
    for (const Variant& v : variants) {
        state.counters[v.name + "_us"] = v.seconds / n * 1e6;
        state.counters[v.name + "_fps"] = n / v.seconds;
    }
    for (std::size_t i = 1; i < variants.size(); ++i)
        state.counters[variants[i].name + "_over_" + variants[0].name] =
            variants[i].seconds / variants[0].seconds;
}

// --- Network ------------------------------------------------------------------------------

// A plain blocking socket: write the poll, read until the whole answer came.
class BareSocket {
public:
    explicit BareSocket(std::uint16_t port) {
        fd_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in sa{};
        sa.sin_family = AF_INET;
        sa.sin_port = htons(port);
        sa.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        int one = 1;
        ::setsockopt(fd_, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
        if (::connect(fd_, reinterpret_cast<sockaddr*>(&sa), sizeof sa) != 0) {
            ::close(fd_);
            fd_ = -1;
        }
    }
    ~BareSocket() {
        if (fd_ >= 0) ::close(fd_);
    }
    bool RoundTrip(const Bytes& request, std::size_t replySize) {
        if (fd_ < 0 || ::send(fd_, request.data(), request.size(), MSG_NOSIGNAL) < 0) return false;
        std::uint8_t buffer[256];
        std::size_t got = 0;
        while (got < replySize) {
            const ssize_t r = ::recv(fd_, buffer, sizeof buffer, 0);
            if (r <= 0) return false;
            got += static_cast<std::size_t>(r);
        }
        return true;
    }

private:
    int fd_ = -1;
};

// The program's arrangement: socket reads go to the transport, replies to a window.
struct NetSession {
    explicit NetSession(std::uint16_t port) {
        window = AllocateHWnd([this](TMessage& m) {
            if (m.Msg == WM_LINK_REPLY) ++replies;
        });
        owner = std::make_unique<LLinkWindow>(window, nullptr);
        socket.SetAddress("127.0.0.1");
        socket.SetPort(port);
        socket.SetOnRead([this](TObject*, TCustomWinSocket* s) {
            std::uint8_t buffer[100];
            const int r = s->ReceiveBuf(buffer, sizeof buffer);
            if (r > 5) link->PutReceived(buffer, static_cast<std::size_t>(r));
        });
        socket.SetOnError([](TObject*, TCustomWinSocket*, TErrorEvent, int& code) { code = 0; });
        socket.Open();
        WaitUntil([&] { return socket.Socket()->Connected(); });
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
    }
    // The next frame may be handed over as soon as the reply is in: should the worker not yet
    // have taken note, the frame waits in the queue and the worker sends it on.
    bool RoundTrip(const Bytes& request) {
        const int before = replies;
        link->QueueFrame(request, false);
        return WaitUntil([&] { return replies > before; });
    }
    TClientSocket socket{nullptr};
    HWND window{};
    std::unique_ptr<LLinkWindow> owner;
    std::unique_ptr<LNetProc> link;
    int replies = 0;
};

// Each variant talks to a simulator process of its own, since one serves a single connection
// (or line) at a time.
void BM_NetworkRoundTrip(benchmark::State& state) {
    SimProcess forBare({"--tcp", "127.0.0.1:0"});
    SimProcess forTransport({"--tcp", "127.0.0.1:0"});
    BareSocket bare(forBare.Port());
    NetSession session(forTransport.Port());
    const Bytes poll = Request(CommandCode::MCS_GET_LEVELS);
    std::vector<Variant> variants{
        {"bare_socket", [&] { return bare.RoundTrip(poll, kLevelReplySize); }},
        {"transport", [&] { return session.RoundTrip(poll); }},
    };
    Interleave(state, variants);
}
BENCHMARK(BM_NetworkRoundTrip)->UseRealTime()->MinTime(2.0);

// --- Serial line --------------------------------------------------------------------------

// The simulator's pseudo-terminal read directly: write the poll, wait for the line, read.
class BareLine {
public:
    explicit BareLine(const std::string& path) {
        if (port_.Open(path)) port_.Configure(115200, 8, 0, 0);
    }
    // Reads as the serial link once did: one count of the waiting bytes and one read per byte.
    bool RoundTripBytewise(const Bytes& request, std::size_t replySize) {
        if (!port_.Write(request.data(), request.size())) return false;
        std::size_t got = 0;
        while (got < replySize) {
            if (port_.WaitEvent(10000) != SerialPort::peData) return false;
            while (port_.BytesWaiting() > 0) {
                std::uint8_t b = 0;
                if (port_.ReadByte(b) != 1) break;
                ++got;
            }
        }
        return true;
    }

    // Reads as the serial link does: what waits, in one call.
    bool RoundTripBlocks(const Bytes& request, std::size_t replySize) {
        if (!port_.Write(request.data(), request.size())) return false;
        std::uint8_t buffer[LComm::kReceiveBufferSize];
        std::size_t got = 0;
        while (got < replySize) {
            if (port_.WaitEvent(10000) != SerialPort::peData) return false;
            const int r = port_.Read(buffer, sizeof buffer);
            if (r < 0) return false;
            got += static_cast<std::size_t>(r);
        }
        return true;
    }

private:
    SerialPort port_;
};

// The program's serial transport: its worker reads the line and hands replies to a window.
struct SerialSession {
    explicit SerialSession(const std::string& path) {
        AddSerialPortOverride("COM9", path);
        window = AllocateHWnd([this](TMessage& m) {
            if (m.Msg == WM_LINK_REPLY) ++replies;
        });
        owner = std::make_unique<LLinkWindow>(window, nullptr);
        link = std::make_unique<LCommProc>(owner.get());
        link->SetWaitTimeout(60000);
        opened = link->OpenLink(9, 115200, 8, 0, 0);
    }
    ~SerialSession() {
        link.reset();
        DeallocateHWnd(window);
        RemoveSerialPortOverride("COM9");
    }
    bool RoundTrip(const Bytes& request) {
        const int before = replies;
        link->QueueFrame(request, false);
        return WaitUntil([&] { return replies > before; });
    }
    HWND window{};
    std::unique_ptr<LLinkWindow> owner;
    std::unique_ptr<LCommProc> link;
    bool opened = false;
    int replies = 0;
};

void BM_SerialRoundTrip(benchmark::State& state) {
    SimProcess forBytewise({"--pty"});
    SimProcess forBlocks({"--pty"});
    SimProcess forTransport({"--pty"});
    BareLine bytewise(forBytewise.Door());
    BareLine blocks(forBlocks.Door());
    SerialSession session(forTransport.Door());
    if (!session.opened) {
        state.SkipWithError("the transport cannot open the line");
        return;
    }
    const Bytes poll = Request(CommandCode::MCS_GET_LEVELS);
    std::vector<Variant> variants{
        {"bare_bytewise", [&] { return bytewise.RoundTripBytewise(poll, kLevelReplySize); }},
        {"bare_blocks", [&] { return blocks.RoundTripBlocks(poll, kLevelReplySize); }},
        {"transport", [&] { return session.RoundTrip(poll); }},
    };
    Interleave(state, variants);
}
BENCHMARK(BM_SerialRoundTrip)->UseRealTime()->MinTime(2.0);

// --- Inside the transport -----------------------------------------------------------------

// From the reply's bytes handed to the transport to the next waiting frame handed to the write
// routine: assembly, the hand-over to the window and back, and the queue.
void BM_ReplyToNextFrame(benchmark::State& state) {
    int replies = 0;
    HWND window = AllocateHWnd([&](TMessage& m) {
        if (m.Msg == WM_LINK_REPLY) ++replies;
    });
    LLinkWindow owner(window, nullptr);
    LNetProc link(&owner);
    link.SetWaitTimeout(60000);
    // The worker writes; it wakes the UI thread's loop with an empty piece of work.
    std::atomic<int> writes{0};
    std::atomic<Clock::rep> lastWrite{0};
    link.SetWriteRoutine([&](const std::uint8_t*, std::size_t) {
        lastWrite = Clock::now().time_since_epoch().count();
        ++writes;
        PostToMainThread([] {});
    });
    link.OpenLink();
    const Bytes first = Request(CommandCode::MCS_GET_LEVELS);
    const Bytes next = Request(CommandCode::MCS_KEEP_ALIVE);
    const Bytes reply = LCmd::EncodeFrame(LCmd(0, CommandCode::MCS_ACK), FrameMode::Frame);
    for (auto _ : state) {
        link.QueueFrame(first, true);
        link.QueueFrame(next, true);
        WaitUntil([&] { return writes % 2 == 1; });
        const auto start = Clock::now();
        link.PutReceived(reply.data(), reply.size());
        WaitUntil([&] { return writes % 2 == 0; });
        const Clock::time_point written{Clock::duration(lastWrite.load())};
        state.SetIterationTime(std::chrono::duration<double>(written - start).count());
        const int before = replies;
        link.PutReceived(reply.data(), reply.size());
        WaitUntil([&] { return replies > before; });
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
    QTimer wake;
    wake.start(100);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    dsp::DetachEventLoop();
    return 0;
}

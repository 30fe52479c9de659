#include "framework/os/SingleInstance.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <map>

#include "framework/runtime/DescriptorWatch.h"

namespace dsp {

namespace {

// A hand-over: "DSPI", the payload's length, then the payload: the number of arguments and each
// argument as its length and bytes (all lengths 32-bit little-endian). The first instance answers
// with one byte once it has the arguments.
constexpr char kMagic[4] = {'D', 'S', 'P', 'I'};
constexpr std::uint8_t kAck = 0x06;
constexpr std::size_t kMaxPayload = 1 << 20;
// Hand-overs being received at once; more are turned away until some finish.
constexpr std::size_t kMaxPending = 16;

long long NowMs() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

void PutU32(std::string& out, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

std::uint32_t GetU32(const char* in) {
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i) value = (value << 8) | static_cast<unsigned char>(in[i]);
    return value;
}

std::string Encode(const std::vector<std::string>& arguments) {
    std::string payload;
    PutU32(payload, static_cast<std::uint32_t>(arguments.size()));
    for (const std::string& a : arguments) {
        PutU32(payload, static_cast<std::uint32_t>(a.size()));
        payload += a;
    }
    std::string message(kMagic, sizeof kMagic);
    PutU32(message, static_cast<std::uint32_t>(payload.size()));
    return message + payload;
}

// The arguments of a complete payload; false when it does not hold what its counts say.
bool Decode(const char* data, std::size_t size, std::vector<std::string>& arguments) {
    if (size < 4) return false;
    std::uint32_t count = GetU32(data);
    std::size_t pos = 4;
    arguments.clear();
    while (count-- > 0) {
        if (size - pos < 4) return false;
        const std::uint32_t length = GetU32(data + pos);
        pos += 4;
        if (size - pos < length) return false;
        arguments.emplace_back(data + pos, length);
        pos += length;
    }
    return pos == size;
}

bool FillAddress(const std::string& path, sockaddr_un& address) {
    std::memset(&address, 0, sizeof address);
    address.sun_family = AF_UNIX;
    if (path.size() >= sizeof address.sun_path) return false;
    std::memcpy(address.sun_path, path.data(), path.size());
    return true;
}

// Waits for the descriptor until the deadline; false on time-out or error.
bool WaitFor(int fd, short events, long long deadlineMs) {
    for (;;) {
        const long long left = deadlineMs - NowMs();
        if (left <= 0) return false;
        pollfd p{fd, events, 0};
        const int n = ::poll(&p, 1, static_cast<int>(left));
        if (n > 0) return true;
        if (n < 0 && errno != EINTR) return false;
    }
}

bool ValidAppId(const std::string& id) {
    if (id.empty() || id.size() > 64) return false;
    for (char c : id) {
        const bool ok = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                        (c >= '0' && c <= '9') || c == '.' || c == '_' || c == '-';
        if (!ok) return false;
    }
    return id != "." && id != "..";
}

// A folder only this user may enter: a real folder (no link), owned by the user, closed to others.
bool PrivateFolder(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == ::getuid() &&
           (st.st_mode & 077) == 0;
}

}  // namespace

std::string UserRuntimeFolder(const std::string& appId) {
    if (const char* runtime = std::getenv("XDG_RUNTIME_DIR");
        runtime != nullptr && runtime[0] == '/' && PrivateFolder(runtime)) {
        return runtime;
    }
    if (!ValidAppId(appId)) return {};
    const std::string fallback = "/tmp/" + appId + "-" + std::to_string(::getuid());
    if (::mkdir(fallback.c_str(), 0700) != 0 && errno != EEXIST) return {};
    return PrivateFolder(fallback) ? fallback : std::string();
}

// The listening side of a first instance: the socket, its watch, and the hand-overs being read.
struct TSingleInstance::TServer {
    struct Pending {
        int fd = -1;
        std::string bytes;
        std::unique_ptr<TDescriptorWatch> watch;
    };

    TSingleInstance& owner;
    int fd = -1;
    std::unique_ptr<TDescriptorWatch> watch;
    std::map<int, Pending> pending;
    int nextId = 0;

    explicit TServer(TSingleInstance& instance) : owner(instance) {}
    TServer(const TServer&) = delete;
    TServer& operator=(const TServer&) = delete;
    ~TServer() {
        for (auto& [id, p] : pending) {
            p.watch.reset();
            ::close(p.fd);
        }
        watch.reset();
        if (fd >= 0) ::close(fd);
    }

    void Accept() {
        for (;;) {
            const int client = ::accept4(fd, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
            if (client < 0) return;  // EAGAIN: no more waiting
            if (pending.size() >= kMaxPending) {
                ::close(client);
                continue;
            }
            const int id = nextId++;
            Pending& p = pending[id];
            p.fd = client;
            p.watch = std::make_unique<TDescriptorWatch>(client, TDescriptorWatch::wdRead,
                                                         [this, id] { Receive(id); });
        }
    }

    void Drop(int id) {
        auto it = pending.find(id);
        if (it == pending.end()) return;
        it->second.watch.reset();
        ::close(it->second.fd);
        pending.erase(it);
    }

    void Receive(int id) {
        auto it = pending.find(id);
        if (it == pending.end()) return;
        Pending& p = it->second;
        char buffer[4096];
        for (;;) {
            const ssize_t n = ::read(p.fd, buffer, sizeof buffer);
            if (n > 0) {
                p.bytes.append(buffer, static_cast<std::size_t>(n));
                if (p.bytes.size() > kMaxPayload + 8) return Drop(id);
                continue;
            }
            if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) break;
            if (n < 0 && errno == EINTR) continue;
            return Drop(id);  // closed before the message was whole, or failed
        }
        if (p.bytes.size() < 8) return;
        if (std::memcmp(p.bytes.data(), kMagic, sizeof kMagic) != 0) return Drop(id);
        const std::uint32_t length = GetU32(p.bytes.data() + 4);
        if (length > kMaxPayload) return Drop(id);
        if (p.bytes.size() < 8 + static_cast<std::size_t>(length)) return;
        std::vector<std::string> arguments;
        const bool ok = p.bytes.size() == 8 + static_cast<std::size_t>(length) &&
                        Decode(p.bytes.data() + 8, length, arguments);
        if (ok) {
            // The later start may end as soon as it has this byte.
            [[maybe_unused]] const ssize_t sent = ::send(p.fd, &kAck, 1, MSG_NOSIGNAL);
        }
        Drop(id);
        if (!ok) return;
        // Last: the handler may destroy the service.
        auto handler = owner.OnSecondInstance;
        if (handler) handler(arguments);
    }
};

TSingleInstance::TSingleInstance(std::string appId, std::string folder)
    : appId_(std::move(appId)), folder_(std::move(folder)) {}

TSingleInstance::~TSingleInstance() {
    if (server_) {
        server_.reset();
        ::unlink(SocketPath().c_str());
    }
    if (lockFd_ >= 0) ::close(lockFd_);  // lets go of the lock
}

std::string TSingleInstance::LockPath() const { return folder_ + "/" + appId_ + ".lock"; }

std::string TSingleInstance::SocketPath() const { return folder_ + "/" + appId_ + ".socket"; }

bool TSingleInstance::TryLock() {
    if (lockFd_ < 0) {
        lockFd_ = ::open(LockPath().c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
        if (lockFd_ < 0) {
            error_ = "Cannot open " + LockPath() + ": " + std::strerror(errno);
            return false;
        }
    }
    if (::flock(lockFd_, LOCK_EX | LOCK_NB) != 0) return false;
    // The process id, for people looking at the folder.
    const std::string pid = std::to_string(::getpid()) + "\n";
    if (::ftruncate(lockFd_, 0) == 0) {
        [[maybe_unused]] const ssize_t written = ::pwrite(lockFd_, pid.data(), pid.size(), 0);
    }
    return true;
}

bool TSingleInstance::Listen() {
    sockaddr_un address{};
    if (!FillAddress(SocketPath(), address)) {
        error_ = "Socket path too long: " + SocketPath();
        return false;
    }
    auto server = std::make_unique<TServer>(*this);
    server->fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (server->fd < 0) {
        error_ = std::string("Cannot make a socket: ") + std::strerror(errno);
        return false;
    }
    // Whatever socket file is there belongs to an instance that no longer holds the lock.
    ::unlink(SocketPath().c_str());
    if (::bind(server->fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(server->fd, 8) != 0) {
        error_ = "Cannot listen on " + SocketPath() + ": " + std::strerror(errno);
        return false;
    }
    ::chmod(SocketPath().c_str(), 0600);
    TServer* s = server.get();
    server->watch =
        std::make_unique<TDescriptorWatch>(s->fd, TDescriptorWatch::wdRead, [s] { s->Accept(); });
    server_ = std::move(server);
    return true;
}

bool TSingleInstance::HandOver(const std::vector<std::string>& arguments, long long deadlineMs) {
    sockaddr_un address{};
    if (!FillAddress(SocketPath(), address)) return false;
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0) return false;
    struct Closer {
        int fd;
        ~Closer() { ::close(fd); }
    } closer{fd};

    if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        if (errno != EINPROGRESS && errno != EAGAIN) return false;  // nobody listening (yet)
        if (!WaitFor(fd, POLLOUT, deadlineMs)) return false;
        int failure = 0;
        socklen_t size = sizeof failure;
        if (::getsockopt(fd, SOL_SOCKET, SO_ERROR, &failure, &size) != 0 || failure != 0) {
            return false;
        }
    }
    const std::string message = Encode(arguments);
    std::size_t sent = 0;
    while (sent < message.size()) {
        const ssize_t n = ::send(fd, message.data() + sent, message.size() - sent, MSG_NOSIGNAL);
        if (n > 0) {
            sent += static_cast<std::size_t>(n);
        } else if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR)) {
            if (!WaitFor(fd, POLLOUT, deadlineMs)) return false;
        } else {
            return false;
        }
    }
    for (;;) {
        if (!WaitFor(fd, POLLIN, deadlineMs)) return false;
        std::uint8_t answer = 0;
        const ssize_t n = ::recv(fd, &answer, 1, 0);
        if (n == 1) return answer == kAck;
        if (n < 0 && (errno == EAGAIN || errno == EINTR)) continue;
        return false;
    }
}

TInstanceRole TSingleInstance::Start(const std::vector<std::string>& arguments, int timeoutMs) {
    if (role_ != TInstanceRole::None) return role_;
    error_.clear();
    if (!ValidAppId(appId_)) {
        error_ = "Invalid application id \"" + appId_ + "\"";
        return role_;
    }
    if (folder_.empty()) folder_ = UserRuntimeFolder(appId_);
    if (folder_.empty()) {
        error_ = "No private runtime folder for " + appId_;
        return role_;
    }
    const long long deadline = NowMs() + std::max(timeoutMs, 0);
    for (;;) {
        if (TryLock()) {
            if (!Listen()) {
                ::close(lockFd_);
                lockFd_ = -1;
                return role_;
            }
            role_ = TInstanceRole::First;
            return role_;
        }
        if (lockFd_ < 0) return role_;  // the lock file itself cannot be opened
        if (HandOver(arguments, deadline)) {
            role_ = TInstanceRole::Second;
            return role_;
        }
        // The first instance is still starting (no socket yet), or has just ended (its lock is
        // about to be free): try again until the time is up.
        if (NowMs() >= deadline) {
            error_ = "The running instance does not answer";
            return role_;
        }
        pollfd none{-1, 0, 0};
        ::poll(&none, 0, 20);
    }
}

}  // namespace dsp

#include "framework/os/ClientSocket.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <unistd.h>
#include <cerrno>
#include <cstring>

#include <vector>

#include "framework/runtime/DescriptorWatch.h"
#include "framework/runtime/MainThread.h"
#include "framework/runtime/Thread.h"

namespace dsp {

// The UI loop's watch on the handle: writable while connecting, readable once connected.
// A watch that has ended is kept, disabled, until no notification of it is on the stack.
struct TClientSocket::Watch {
    std::unique_ptr<TDescriptorWatch> readable;
    std::unique_ptr<TDescriptorWatch> writable;
    std::vector<std::unique_ptr<TDescriptorWatch>> retired;
    int depth = 0;  // notifications running

    void Retire() {
        for (auto* n : {&readable, &writable}) {
            if (*n) {
                (*n)->SetEnabled(false);
                retired.push_back(std::move(*n));
            }
        }
    }
    void Sweep() {
        if (depth == 0) retired.clear();
    }
};

namespace {

std::string ErrorText(int code) { return std::strerror(code); }

}  // namespace

int TCustomWinSocket::ReceiveBuf(void* buffer, int count) {
    TClientSocket& s = owner_;
    int fd = -1;
    {
        std::lock_guard<std::mutex> guard(s.mutex_);
        if (!s.connected_ || count <= 0) return 0;
        fd = s.fd_;
    }
    const ssize_t n = ::recv(fd, buffer, static_cast<std::size_t>(count), MSG_DONTWAIT);
    if (n >= 0) return static_cast<int>(n);
    if (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR) return 0;
    const int code = errno;
    s.Disconnect(true);
    s.Error(eeReceive, code, true);
    return -1;
}

int TCustomWinSocket::SendBuf(const void* buffer, int count) {
    TClientSocket& s = owner_;
    int code = 0;
    {
        std::lock_guard<std::mutex> guard(s.mutex_);
        if (!s.connected_ || s.broken_ || count <= 0) return 0;
        const ssize_t n =
            ::send(s.fd_, buffer, static_cast<std::size_t>(count), MSG_NOSIGNAL | MSG_DONTWAIT);
        if (n >= 0) return static_cast<int>(n);
        if (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR) return 0;
        code = errno;
        // The connection is of no further use: shut it, so the UI loop sees its end and closes
        // the socket there.
        ::shutdown(s.fd_, SHUT_RDWR);
        s.broken_ = true;
    }
    const bool onUi = IsMainThread();
    if (onUi) s.Disconnect(true);
    s.Error(eeSend, code, onUi);
    return -1;
}

std::string TCustomWinSocket::RemoteAddress() const {
    TClientSocket& s = owner_;
    std::lock_guard<std::mutex> guard(s.mutex_);
    if (s.fd_ >= 0 && s.connected_) {
        sockaddr_in peer{};
        socklen_t len = sizeof peer;
        if (::getpeername(s.fd_, reinterpret_cast<sockaddr*>(&peer), &len) == 0) {
            char text[INET_ADDRSTRLEN] = {};
            if (::inet_ntop(AF_INET, &peer.sin_addr, text, sizeof text)) return text;
        }
    }
    return s.address_;
}

bool TCustomWinSocket::Connected() const {
    std::lock_guard<std::mutex> guard(owner_.mutex_);
    return owner_.connected_;
}

TClientSocket::TClientSocket(TComponent* owner)
    : TComponent(owner), watch_(std::make_unique<Watch>()) {}

TClientSocket::~TClientSocket() {
    Destroying();
    Disconnect(false);
}

bool TClientSocket::Active() const { return active_; }

void TClientSocket::SetActive(bool value) {
    if (value == active_) return;
    if (value) {
        Connect();
    } else {
        Disconnect(true);
    }
}

void TClientSocket::Connect() {
    sockaddr_in sa{};
    sa.sin_family = AF_INET;
    sa.sin_port = htons(static_cast<std::uint16_t>(port_));
    if (port_ <= 0 || port_ > 65535 || ::inet_pton(AF_INET, address_.c_str(), &sa.sin_addr) != 1) {
        Error(eeLookup, EINVAL, true);
        return;
    }
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        Error(eeGeneral, errno, true);
        return;
    }
    int one = 1;
    ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
    {
        std::lock_guard<std::mutex> guard(mutex_);
        fd_ = fd;
        connected_ = false;
        broken_ = false;
    }
    active_ = true;
    if (onConnecting_) onConnecting_(this, &socket_);
    if (!active_) return;  // the handler closed it
    const int r = ::connect(fd, reinterpret_cast<sockaddr*>(&sa), sizeof sa);
    if (r != 0 && errno != EINPROGRESS) {
        const int code = errno;
        Disconnect(false);
        Error(eeConnect, code, true);
        return;
    }
    watch_->Sweep();
    watch_->writable = std::make_unique<TDescriptorWatch>(
        fd, TDescriptorWatch::wdWrite, [this] { Notify([this] { OnWritable(); }); });
}

bool TClientSocket::Broken() const {
    std::lock_guard<std::mutex> guard(mutex_);
    return broken_;
}

void TClientSocket::Notify(const std::function<void()>& handler) {
    // Exceptions go on to the watch, which hands them to the application's display.
    struct Depth {
        Watch& w;
        explicit Depth(Watch& watch) : w(watch) { ++w.depth; }
        ~Depth() {
            --w.depth;
            w.Sweep();
        }
    } depth(*watch_);
    handler();
}

void TClientSocket::OnWritable() {
    if (!watch_->writable) return;
    watch_->writable->SetEnabled(false);
    int code = 0;
    socklen_t len = sizeof code;
    int fd = -1;
    {
        std::lock_guard<std::mutex> guard(mutex_);
        fd = fd_;
    }
    if (::getsockopt(fd, SOL_SOCKET, SO_ERROR, &code, &len) != 0) code = errno;
    if (code != 0) {
        Disconnect(false);
        Error(eeConnect, code, true);
        return;
    }
    {
        std::lock_guard<std::mutex> guard(mutex_);
        connected_ = true;
    }
    watch_->readable = std::make_unique<TDescriptorWatch>(
        fd, TDescriptorWatch::wdRead, [this] { Notify([this] { OnReadable(); }); });
    if (onConnect_) onConnect_(this, &socket_);
}

void TClientSocket::OnReadable() {
    int fd = -1;
    bool connected = false;
    {
        std::lock_guard<std::mutex> guard(mutex_);
        fd = fd_;
        connected = connected_;
    }
    if (fd < 0) return;
    char probe = 0;
    const ssize_t n = ::recv(fd, &probe, 1, MSG_PEEK | MSG_DONTWAIT);
    if (n == 0 || !connected || Broken()) {
        // The peer ended the stream (or a send failed and shut it): close, no read of 0 bytes.
        Disconnect(true);
        return;
    }
    if (n < 0) {
        if (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR) return;
        const int code = errno;
        Disconnect(true);
        Error(eeReceive, code, true);
        return;
    }
    if (onRead_) onRead_(this, &socket_);
}

void TClientSocket::Disconnect(bool raiseEvent) {
    watch_->Retire();
    bool wasConnected = false;
    {
        std::lock_guard<std::mutex> guard(mutex_);
        if (fd_ >= 0) ::close(fd_);
        fd_ = -1;
        wasConnected = connected_;
        connected_ = false;
    }
    const bool wasActive = active_;
    active_ = false;
    // A socket that never connected only ends: its failure went to OnError.
    if (raiseEvent && wasActive && wasConnected && !ComponentState().Contains(csDestroying) &&
        onDisconnect_) {
        onDisconnect_(this, &socket_);
    }
}

void TClientSocket::Error(TErrorEvent event, int code, bool onUiThread) {
    int left = code;
    if (onError_ && !ComponentState().Contains(csDestroying)) onError_(this, &socket_, event, left);
    if (left == 0) return;
    ESocketError error("Socket error " + std::to_string(left) + ": " + ErrorText(left));
    if (onUiThread) throw error;
    HandleUnexpectedException(std::make_exception_ptr(error));
}

}  // namespace dsp

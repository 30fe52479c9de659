#pragma once
// A plain blocking TCP client on loopback for tests that talk to the simulator directly.

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <vector>

#include "tools/sim/SimFrame.h"

namespace dsp::sim {

class LoopbackClient {
public:
    bool Connect(std::uint16_t port) {
        fd_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in sa{};
        sa.sin_family = AF_INET;
        sa.sin_port = htons(port);
        sa.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        int one = 1;
        ::setsockopt(fd_, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
        return ::connect(fd_, reinterpret_cast<sockaddr*>(&sa), sizeof sa) == 0;
    }
    ~LoopbackClient() { Close(); }
    void Close() {
        if (fd_ >= 0) ::close(fd_);
        fd_ = -1;
    }
    bool Send(const std::vector<std::uint8_t>& bytes) {
        return ::send(fd_, bytes.data(), bytes.size(), MSG_NOSIGNAL) ==
               static_cast<ssize_t>(bytes.size());
    }
    // Reads until one whole frame came (or timeoutMs passed); closed tells an ended connection.
    std::vector<std::uint8_t> ReadFrame(int timeoutMs, bool* closed = nullptr) {
        const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
        if (closed) *closed = false;
        while (true) {
            if (pending_.size() >= 5 && pending_.size() >= pending_[4] + 8u) {
                std::vector<std::uint8_t> f(pending_.begin(), pending_.begin() + pending_[4] + 8);
                pending_.erase(pending_.begin(), pending_.begin() + pending_[4] + 8);
                return f;
            }
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                                  end - std::chrono::steady_clock::now())
                                  .count();
            if (left <= 0) return {};
            pollfd p{fd_, POLLIN, 0};
            if (::poll(&p, 1, static_cast<int>(left)) <= 0) return {};
            std::uint8_t buf[512];
            ssize_t n = ::recv(fd_, buf, sizeof buf, 0);
            if (n <= 0) {
                if (closed) *closed = true;
                return {};
            }
            pending_.insert(pending_.end(), buf, buf + n);
        }
    }

    // The bytes of one read as they arrive (empty after timeoutMs).
    std::vector<std::uint8_t> ReadSome(int timeoutMs) {
        pollfd p{fd_, POLLIN, 0};
        if (::poll(&p, 1, timeoutMs) <= 0) return {};
        std::uint8_t buf[512];
        const ssize_t n = ::recv(fd_, buf, sizeof buf, 0);
        return n <= 0 ? std::vector<std::uint8_t>{} : std::vector<std::uint8_t>(buf, buf + n);
    }

private:
    int fd_ = -1;
    std::vector<std::uint8_t> pending_;
};

}  // namespace dsp::sim

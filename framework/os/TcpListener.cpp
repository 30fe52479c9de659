#include "framework/os/TcpListener.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>
#include <cerrno>

namespace dsp {

TcpConnection::TcpConnection(int handle) : fd_(handle) {
    int one = 1;
    ::setsockopt(fd_, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
}

TcpConnection::~TcpConnection() { Close(); }

void TcpConnection::Close() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
}

std::vector<std::uint8_t> TcpConnection::Read(int timeoutMs, bool& closed) {
    std::vector<std::uint8_t> bytes;
    closed = fd_ < 0;
    if (closed) return bytes;
    pollfd p{fd_, POLLIN, 0};
    int r = ::poll(&p, 1, timeoutMs);
    if (r < 0 && errno != EINTR) closed = true;
    if (r <= 0) return bytes;
    std::uint8_t buffer[4096];
    ssize_t n = ::recv(fd_, buffer, sizeof buffer, MSG_DONTWAIT);
    if (n > 0) {
        bytes.assign(buffer, buffer + n);
    } else if (n == 0 || (errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR)) {
        closed = true;
    }
    return bytes;
}

bool TcpConnection::Write(const std::uint8_t* data, std::size_t length) {
    std::size_t done = 0;
    while (fd_ >= 0 && done < length) {
        ssize_t w = ::send(fd_, data + done, length - done, MSG_NOSIGNAL);
        if (w > 0) {
            done += static_cast<std::size_t>(w);
        } else if (w < 0 && errno == EINTR) {
            continue;
        } else {
            return false;
        }
    }
    return fd_ >= 0;
}

TcpListener::~TcpListener() { Close(); }

bool TcpListener::Listen(const std::string& address, std::uint16_t port) {
    Close();
    sockaddr_in sa{};
    sa.sin_family = AF_INET;
    sa.sin_port = htons(port);
    if (::inet_pton(AF_INET, address.c_str(), &sa.sin_addr) != 1) return false;
    int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return false;
    int one = 1;
    ::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
    // Room for every client that connects at once while one is served: a request the queue has
    // no room for is dropped and its client tries again only a second later.
    if (::bind(fd, reinterpret_cast<sockaddr*>(&sa), sizeof sa) != 0 ||
        ::listen(fd, SOMAXCONN) != 0) {
        ::close(fd);
        return false;
    }
    socklen_t len = sizeof sa;
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&sa), &len);
    port_ = ntohs(sa.sin_port);
    fd_ = fd;
    return true;
}

void TcpListener::Close() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    port_ = 0;
}

std::unique_ptr<TcpConnection> TcpListener::Accept(int timeoutMs) {
    if (fd_ < 0) return nullptr;
    pollfd p{fd_, POLLIN, 0};
    if (::poll(&p, 1, timeoutMs) <= 0) return nullptr;
    int c = ::accept4(fd_, nullptr, nullptr, SOCK_CLOEXEC);
    if (c < 0) return nullptr;
    return std::make_unique<TcpConnection>(c);
}

bool ParseAddressAndPort(const std::string& text, std::string& address, std::uint16_t& port) {
    const auto colon = text.rfind(':');
    if (colon == std::string::npos || colon == 0 || colon + 1 >= text.size()) return false;
    const std::string a = text.substr(0, colon);
    in_addr probe{};
    if (::inet_pton(AF_INET, a.c_str(), &probe) != 1) return false;
    unsigned long value = 0;
    for (std::size_t i = colon + 1; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9') return false;
        value = value * 10 + static_cast<unsigned long>(text[i] - '0');
        if (value > 65535) return false;
    }
    address = a;
    port = static_cast<std::uint16_t>(value);
    return true;
}

}  // namespace dsp

#include "framework/os/PseudoTerminal.h"

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>
#include <cerrno>
#include <cstdlib>

namespace dsp {

PseudoTerminal::~PseudoTerminal() { Close(); }

bool PseudoTerminal::Open() {
    Close();
    int fd = ::posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return false;
    char name[128];
    if (::grantpt(fd) != 0 || ::unlockpt(fd) != 0 || ::ptsname_r(fd, name, sizeof name) != 0) {
        ::close(fd);
        return false;
    }
    termios tio{};
    if (::tcgetattr(fd, &tio) == 0) {
        ::cfmakeraw(&tio);
        ::tcsetattr(fd, TCSANOW, &tio);
    }
    fd_ = fd;
    slavePath_ = name;
    slaveFd_ = ::open(name, O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    return true;
}

void PseudoTerminal::Close() {
    if (fd_ >= 0) ::close(fd_);
    if (slaveFd_ >= 0) ::close(slaveFd_);
    fd_ = -1;
    slaveFd_ = -1;
    slavePath_.clear();
}

bool PseudoTerminal::Write(const std::uint8_t* data, std::size_t length) {
    if (fd_ < 0) return false;
    std::size_t done = 0;
    while (done < length) {
        ssize_t w = ::write(fd_, data + done, length - done);
        if (w > 0) {
            done += static_cast<std::size_t>(w);
            continue;
        }
        if (w < 0 && errno == EINTR) continue;
        if (w < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            pollfd p{fd_, POLLOUT, 0};
            if (::poll(&p, 1, 1000) <= 0) return false;
            continue;
        }
        return false;
    }
    return true;
}

std::vector<std::uint8_t> PseudoTerminal::Read(int timeoutMs, bool* hungUp) {
    std::vector<std::uint8_t> bytes;
    if (hungUp != nullptr) *hungUp = false;
    if (fd_ < 0) {
        if (hungUp != nullptr) *hungUp = true;
        return bytes;
    }
    pollfd p{fd_, POLLIN, 0};
    int r = ::poll(&p, 1, timeoutMs);
    if (r <= 0) return bytes;
    std::uint8_t buffer[512];
    for (;;) {
        ssize_t n = ::read(fd_, buffer, sizeof buffer);
        if (n > 0) {
            bytes.insert(bytes.end(), buffer, buffer + n);
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        // EIO: no slave holds the line.
        if (n < 0 && errno == EIO && hungUp != nullptr) *hungUp = true;
        break;
    }
    return bytes;
}

}  // namespace dsp

#include "framework/os/SerialPort.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>
#include <cerrno>

namespace dsp {

namespace {

struct RateCode {
    std::uint32_t baud;
    speed_t code;
};

// The rates from 1200 to 128000 that a termios line takes.
constexpr RateCode kRates[] = {
    {1200, B1200},   {1800, B1800},   {2400, B2400},   {4800, B4800},     {9600, B9600},
    {19200, B19200}, {38400, B38400}, {57600, B57600}, {115200, B115200},
};

bool CodeOf(std::uint32_t baud, speed_t& code) {
    for (const RateCode& r : kRates) {
        if (r.baud == baud) {
            code = r.code;
            return true;
        }
    }
    return false;
}

}  // namespace

SerialPort::~SerialPort() { Close(); }

bool SerialPort::Open(const std::string& path) {
    Close();
    int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return false;
    termios tio{};
    if (::tcgetattr(fd, &tio) != 0) {
        ::close(fd);
        return false;
    }
    // The advisory lock binds root as well; TIOCEXCL alone would not.
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return false;
    }
    ::ioctl(fd, TIOCEXCL);
    fd_ = fd;
    return true;
}

void SerialPort::Close() {
    if (fd_ < 0) return;
    ::ioctl(fd_, TIOCNXCL);
    ::flock(fd_, LOCK_UN);
    ::close(fd_);
    fd_ = -1;
}

bool SerialPort::Configure(std::uint32_t baud, std::uint8_t byteSize, std::uint8_t parity,
                           std::uint8_t stopBits) {
    if (fd_ < 0) return false;
    speed_t code{};
    if (!CodeOf(baud, code)) return false;
    termios tio{};
    if (::tcgetattr(fd_, &tio) != 0) return false;
    ::cfmakeraw(&tio);
    tio.c_cflag |= CLOCAL | CREAD;
    tio.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | PARODD | CSTOPB | CRTSCTS);
#ifdef CMSPAR
    tio.c_cflag &= ~static_cast<tcflag_t>(CMSPAR);
#endif
    switch (byteSize) {
        case 5: tio.c_cflag |= CS5; break;
        case 6: tio.c_cflag |= CS6; break;
        case 7: tio.c_cflag |= CS7; break;
        case 8: tio.c_cflag |= CS8; break;
        default: return false;
    }
    switch (parity) {
        case 0: break;
        case 1: tio.c_cflag |= PARENB | PARODD; break;
        case 2: tio.c_cflag |= PARENB; break;
#ifdef CMSPAR
        case 3: tio.c_cflag |= PARENB | PARODD | CMSPAR; break;
        case 4: tio.c_cflag |= PARENB | CMSPAR; break;
#endif
        default: return false;
    }
    switch (stopBits) {
        case 0: break;
        case 1:
        case 2: tio.c_cflag |= CSTOPB; break;
        default: return false;
    }
    tio.c_cc[VMIN] = 0;
    tio.c_cc[VTIME] = 0;
    if (::cfsetispeed(&tio, code) != 0 || ::cfsetospeed(&tio, code) != 0) return false;
    return ::tcsetattr(fd_, TCSANOW, &tio) == 0;
}

std::uint32_t SerialPort::CurrentBaudRate() const {
    if (fd_ < 0) return 0;
    termios tio{};
    if (::tcgetattr(fd_, &tio) != 0) return 0;
    speed_t code = ::cfgetospeed(&tio);
    for (const RateCode& r : kRates) {
        if (r.code == code) return r.baud;
    }
    return 0;
}

void SerialPort::Purge() {
    if (fd_ >= 0) ::tcflush(fd_, TCIOFLUSH);
}

int SerialPort::BytesWaiting() const {
    if (fd_ < 0) return -1;
    int n = 0;
    if (::ioctl(fd_, FIONREAD, &n) != 0) return -1;
    return n;
}

int SerialPort::Read(std::uint8_t* buffer, std::size_t size) {
    if (fd_ < 0) return -1;
    if (size == 0) return 0;
    for (;;) {
        const ssize_t r = ::read(fd_, buffer, size);
        if (r > 0) return static_cast<int>(r);
        if (r == 0) {
            // A raw line reads 0 both when nothing waits and after a hang-up.
            pollfd p{fd_, POLLIN, 0};
            if (::poll(&p, 1, 0) > 0 && ClassifyReadiness(p.revents) == peError) return -1;
            return 0;
        }
        if (errno == EINTR) continue;
        if (errno == EAGAIN || errno == EWOULDBLOCK) return 0;
        return -1;
    }
}

bool SerialPort::Write(const std::uint8_t* data, std::size_t length) {
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
            int r = ::poll(&p, 1, 1000);
            if (r < 0 && errno == EINTR) continue;
            if (r <= 0 || (p.revents & (POLLERR | POLLHUP | POLLNVAL)) != 0) return false;
            continue;
        }
        return false;
    }
    return true;
}

SerialPort::PortEvent SerialPort::ClassifyReadiness(short revents) {
    if ((revents & (POLLERR | POLLHUP | POLLNVAL)) != 0) return peError;
    if ((revents & POLLIN) != 0) return peData;
    return peNone;
}

SerialPort::PortEvent SerialPort::WaitEvent(int timeoutMs) const {
    if (fd_ < 0) return peWaitFailed;
    pollfd p{fd_, POLLIN, 0};
    for (;;) {
        int r = ::poll(&p, 1, timeoutMs);
        if (r < 0 && errno == EINTR) continue;
        if (r < 0) return peWaitFailed;
        if (r == 0) return peNone;
        return ClassifyReadiness(p.revents);
    }
}

bool SerialPort::IsSupportedBaudRate(std::uint32_t baud) {
    speed_t code{};
    return CodeOf(baud, code);
}

}  // namespace dsp

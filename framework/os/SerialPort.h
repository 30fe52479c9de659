#pragma once
// A serial line opened for the link's worker: raw mode, the frame settings the link asks for,
// exclusive use, reads of what is waiting and the port events the worker waits for.

#include <cstddef>
#include <cstdint>
#include <string>

namespace dsp {

class SerialPort {
public:
    // What a wait for a port event found.
    enum PortEvent {
        peNone,       // nothing happened within the time given
        peData,       // bytes are waiting
        peError,      // error or hang-up on the line: the port is of no further use
        peWaitFailed  // the wait itself failed
    };

    SerialPort() = default;
    SerialPort(const SerialPort&) = delete;
    SerialPort& operator=(const SerialPort&) = delete;
    ~SerialPort();

    // Opens an existing device for reading and writing, non-blocking, not as a controlling
    // terminal, and takes it for this process alone: a second open of the same device fails,
    // also for root. False when the device does not exist, is not a terminal or is taken.
    bool Open(const std::string& path);
    void Close();
    bool IsOpen() const { return fd_ >= 0; }

    // Raw mode with the given rate, data bits (5 to 8), parity (0 none, 1 odd, 2 even, 3 mark,
    // 4 space) and stop bits (0 one, 2 two; 1 (one and a half) counts as two). False for a rate
    // the line cannot take or a setting it refuses.
    bool Configure(std::uint32_t baud, std::uint8_t byteSize, std::uint8_t parity,
                   std::uint8_t stopBits);
    // The line's rate as last configured (read back from the device), 0 when unknown.
    std::uint32_t CurrentBaudRate() const;

    // Drops whatever waits in either direction.
    void Purge();
    // Bytes waiting to be read, or -1 when the port cannot tell (it has failed).
    int BytesWaiting() const;
    // Reads what is waiting, at most size bytes, in one call: the count read, 0 when nothing is
    // waiting, -1 on a port error (hang-up, EIO).
    int Read(std::uint8_t* buffer, std::size_t size);
    // Reads one byte; 1 when read, 0 when none is waiting, -1 on a port error.
    int ReadByte(std::uint8_t& byte) { return Read(&byte, 1); }
    // Writes every byte (waiting while the line's buffer is full); false on a port error.
    bool Write(const std::uint8_t* data, std::size_t length);

    // The handle a wait set watches for port events (readable, error, hang-up); -1 when closed.
    int EventHandle() const { return fd_; }
    // Turns the readiness flags a wait reported for EventHandle into a port event.
    static PortEvent ClassifyReadiness(short revents);
    // Waits at most timeoutMs for a port event on this port alone.
    PortEvent WaitEvent(int timeoutMs) const;

    // True for the rates within 1200 to 128000 that the line accepts.
    static bool IsSupportedBaudRate(std::uint32_t baud);

private:
    int fd_ = -1;
};

}  // namespace dsp

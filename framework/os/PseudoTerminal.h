#pragma once
// The controlling side of a pseudo-terminal: the far end of a serial line that a simulator or a
// test plays. The other side (SlavePath) opens like any serial device.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace dsp {

class PseudoTerminal {
public:
    PseudoTerminal() = default;
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;
    ~PseudoTerminal();

    // Creates a new pair in raw mode; false when none can be had. The pair keeps a slave handle
    // of its own, so the line does not read as hung up before its user opens it.
    bool Open();
    // Closing hangs the line up for whoever holds the slave side.
    void Close();
    bool IsOpen() const { return fd_ >= 0; }

    // The path of the slave side, for example "/dev/pts/5".
    const std::string& SlavePath() const { return slavePath_; }

    // Writes all bytes; false when the line is gone.
    bool Write(const std::uint8_t* data, std::size_t length);
    bool Write(const std::vector<std::uint8_t>& bytes) { return Write(bytes.data(), bytes.size()); }
    // Waits at most timeoutMs for bytes and returns what came (empty on time-out or hang-up).
    // hungUp, when given, tells whether the line is hung up.
    std::vector<std::uint8_t> Read(int timeoutMs, bool* hungUp = nullptr);

    // The handle a wait set watches for bytes from the slave side; -1 when closed.
    int EventHandle() const { return fd_; }

private:
    int fd_ = -1;
    int slaveFd_ = -1;
    std::string slavePath_;
};

}  // namespace dsp

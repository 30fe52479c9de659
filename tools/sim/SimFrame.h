#pragma once
// The processor's own view of the wire: a strict frame reader that checks every frame it is
// given (markers, length, check byte) and a writer for the frames it sends back.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace dsp::sim {

struct SimFrame {
    std::uint8_t sender = 0;
    std::uint8_t receiver = 0;
    std::uint8_t code = 0;
    std::vector<std::uint8_t> payload;
    std::vector<std::uint8_t> bytes;  // the whole frame as it came
};

// The frame bytes: DLE STX, sender, receiver, length (code and payload), code, payload,
// DLE ETX and the XOR of every byte before it.
std::vector<std::uint8_t> BuildFrame(std::uint8_t sender, std::uint8_t receiver, std::uint8_t code,
                                     const std::vector<std::uint8_t>& payload);

// Collects bytes into frames by their length byte. A frame whose end markers or check byte are
// wrong, a length byte of 0 and bytes outside any frame are faults of the sender: each is
// reported and dropped, and reading goes on with the next DLE STX.
class StrictFrameReader {
public:
    void Feed(const std::uint8_t* data, std::size_t length, std::vector<SimFrame>& frames,
              std::vector<std::string>& faults);
    // Bytes of a frame begun but not complete.
    std::size_t Pending() const { return buffer_.size(); }
    void Reset() { buffer_.clear(); }

private:
    std::vector<std::uint8_t> buffer_;
};

// "10 02 00 01 ...": upper-case hex separated by blanks.
std::string HexBytes(const std::vector<std::uint8_t>& bytes);

}  // namespace dsp::sim

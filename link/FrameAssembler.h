#pragma once
// Turns the received byte stream into whole frames by their length byte. Bytes before a DLE STX
// pair are dropped. The check byte is not verified here: the processor's replies are taken as
// they come.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace dsp {

class LFrameAssembler {
public:
    enum TMode {
        // USB and network: before the first frame is sent, bytes are passed on in raw units of
        // 64; then frames of at least 9 bytes. A length byte of 0 (a frame that could never
        // complete) drops what was collected and the search for DLE STX starts again.
        amChunked,
        // Serial: always frames; a length byte of 0 completes at 8 bytes.
        amSerial,
    };

    explicit LFrameAssembler(TMode mode) : mode_(mode) {}

    // Adds one byte; true when FrameBuffer() now holds a whole frame (or a raw unit) to deliver.
    // The caller delivers it and then calls Consumed.
    bool Add(std::uint8_t byte, bool framed);
    const std::vector<std::uint8_t>& FrameBuffer() const { return buffer_; }
    void Consumed() { buffer_.clear(); }

    static constexpr std::size_t kRawUnit = 64;

private:
    TMode mode_;
    std::vector<std::uint8_t> buffer_;
};

}  // namespace dsp

#include "link/FrameAssembler.h"

#include "model/Lcmd.h"

namespace dsp {

bool LFrameAssembler::Add(std::uint8_t byte, bool framed) {
    if (mode_ == amChunked && !framed) {
        buffer_.push_back(byte);
        return buffer_.size() == kRawUnit;
    }
    if (buffer_.empty() && byte != Frame::DLE) return false;
    if (buffer_.size() == 1 && byte != Frame::STX) return false;  // the DLE waits for its STX
    buffer_.push_back(byte);
    const std::size_t n = buffer_.size();
    if (n <= Frame::LengthIndex) return false;
    const std::size_t whole = buffer_[Frame::LengthIndex] + Frame::Overhead;
    if (mode_ == amChunked) {
        if (buffer_[Frame::LengthIndex] == 0) {
            // Such a frame is shorter than the 9 bytes a frame needs here and would swallow
            // every later reply: start over.
            buffer_.clear();
            return false;
        }
        return n >= Frame::MinSize && n == whole;
    }
    return n == whole;
}

}  // namespace dsp

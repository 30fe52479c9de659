#include "link/FrameQueue.h"

#include "model/Lcmd.h"

namespace dsp {

std::uint8_t LFrameQueue::CodeOf(const LFrameBytes& frame) {
    return frame.size() > Frame::CodeIndex ? frame[Frame::CodeIndex] : 0;
}

bool LFrameQueue::AddressesSameTarget(const LFrameBytes& a, const LFrameBytes& b) {
    const std::uint8_t code = CodeOf(a);
    if (code != CodeOf(b)) return false;
    std::size_t targetBytes = 0;
    if (code == CommandCode::CM_MCS_PEQ) {
        targetBytes = 2;
    } else if (code >= CommandCode::CM_MCS_COMP && code <= CommandCode::CM_MCS_GATE &&
               code != CommandCode::CM_MCS_WORK_MODE) {
        targetBytes = 1;
    }
    for (std::size_t i = 0; i < targetBytes; ++i) {
        const std::size_t at = Frame::PayloadIndex + i;
        // A frame too short to name its target is never merged with another.
        if (a.size() <= at || b.size() <= at) return false;
        if (a[at] != b[at]) return false;
    }
    return true;
}

LFrameQueue::TQueueAction LFrameQueue::QueueFrame(const LFrameBytes& frame, bool noCoalesce) {
    const std::uint8_t code = CodeOf(frame);
    const std::uint8_t previousCode = lastCode_;
    lastCode_ = code;
    if (!awaitingReply_) {
        awaitingReply_ = true;
        return qaSendNow;
    }
    if (noCoalesce) {
        queue_.push_back(frame);
        return qaAppended;
    }
    // Only the newest waiting frame may be replaced: a value written over an older one would
    // overtake the frames behind it, and one of those may set the same parameter.
    if (marked_ && *marked_ + 1 == queue_.size() && code == previousCode &&
        AddressesSameTarget(queue_[*marked_], frame)) {
        queue_[*marked_] = frame;
        return qaReplaced;
    }
    queue_.push_back(frame);
    marked_ = queue_.size() - 1;
    return qaAppended;
}

std::optional<LFrameBytes> LFrameQueue::TakeNext() {
    if (queue_.empty()) {
        awaitingReply_ = false;
        return std::nullopt;
    }
    LFrameBytes next = std::move(queue_.front());
    queue_.pop_front();
    if (marked_) {
        if (*marked_ == 0) {
            marked_.reset();
        } else {
            --*marked_;
        }
    }
    return next;
}

void LFrameQueue::Clear() {
    queue_.clear();
    marked_.reset();
}

}  // namespace dsp

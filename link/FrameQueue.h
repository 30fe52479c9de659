#pragma once
// The send side of a transport: one frame in flight, the frames waiting for its reply in
// arrival order, and the replace mark by which a burst of edits of one parameter collapses into
// its last value. Not locked: the transport holds its lock around every call.

#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <vector>

namespace dsp {

using LFrameBytes = std::vector<std::uint8_t>;

class LFrameQueue {
public:
    // What QueueFrame did with a frame.
    enum TQueueAction {
        qaSendNow,   // nothing was awaited: the frame goes to the worker and is now in flight
        qaAppended,  // appended behind the waiting frames (and marked when it may be replaced)
        qaReplaced,  // written over the marked waiting frame, in place
    };

    // Hands a frame over. A frame sent while nothing is awaited goes out at once. Otherwise a
    // frame that may be replaced (noCoalesce clear) overwrites the marked waiting frame when
    // that is the newest waiting frame (so the frame handed over just before) and the new frame
    // sets the same parameter (AddressesSameTarget); otherwise it is appended and marked. A
    // frame with noCoalesce set is appended unmarked and is never replaced.
    TQueueAction QueueFrame(const LFrameBytes& frame, bool noCoalesce);

    // After a reply: the next waiting frame to put in flight (and it leaves the queue), or none,
    // and then nothing is awaited any more.
    std::optional<LFrameBytes> TakeNext();

    // Drops every waiting frame and the mark (the in-flight state stays).
    void Clear();

    bool AwaitingReply() const { return awaitingReply_; }
    std::size_t Waiting() const { return queue_.size(); }
    const std::deque<LFrameBytes>& Frames() const { return queue_; }
    // Index of the marked frame in Frames(), if one is marked.
    std::optional<std::size_t> Marked() const { return marked_; }
    std::uint8_t LastCode() const { return lastCode_; }

    // True when two frames of one code set the same parameter: the same channel (payload byte
    // 0) for the channel commands 48 to 62, the same channel and band (bytes 0 and 1) for the
    // EQ band command 51; commands without a channel (18, 21, 57, 64 and the others) have no
    // target and match whenever their codes do.
    static bool AddressesSameTarget(const LFrameBytes& a, const LFrameBytes& b);
    static std::uint8_t CodeOf(const LFrameBytes& frame);

private:
    std::deque<LFrameBytes> queue_;
    std::optional<std::size_t> marked_;
    std::uint8_t lastCode_ = 0;
    bool awaitingReply_ = false;
};

}  // namespace dsp

#pragma once
// The processor as the editor meets it: takes the bytes the editor sends, answers each frame
// once, keeps and changes its memory, and plays the faults a test asks for. Front ends (TCP,
// pseudo-terminal, HID) move the bytes; this class does not know how.

#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "tools/sim/ProcessorMemory.h"
#include "tools/sim/SimFrame.h"

namespace dsp::sim {

struct SimulatorOptions {
    std::uint8_t deviceId = 1;
    std::string identity = "WQJ V010";
    std::string lockPassword;  // non-empty: the operation lock is set with this password
    // The factory settings; empty: the editor's built-in default image.
    std::vector<std::uint8_t> factoryImage;
    // Answers only frames sent to its own ID or to 255 (every processor), as a processor on a
    // shared line does.
    bool strictReceiver = false;
};

// Replies the simulator can send once, out of shape, to see that the editor drops them.
enum class SimMalformation {
    ShortLevels,  // the next level reply ends after 20 bytes
    NameSlot30,   // the next preset-name reply names slot 30
    Block16,      // the next settings-block reply names block 16
};

// What to send back for one frame, and how.
struct SimReply {
    std::vector<std::uint8_t> bytes;  // empty: no answer
    int delayMs = 0;                  // wait this long before sending
    bool dropLink = false;            // close the link after sending
    // Non-zero: written in two pieces, the last splitTail bytes a moment after the rest.
    std::size_t splitTail = 0;
};

// The pause between the two pieces of a split reply, long enough for the pieces to arrive apart.
inline constexpr int kSplitPauseMs = 20;

class ProcessorSimulator {
public:
    explicit ProcessorSimulator(SimulatorOptions options = {});

    // Bytes from the editor, in any chunks; one reply per complete frame, in order.
    std::vector<SimReply> Receive(const std::uint8_t* data, std::size_t length);
    std::vector<SimReply> Receive(const std::vector<std::uint8_t>& bytes) {
        return Receive(bytes.data(), bytes.size());
    }
    // A new connection begins: a frame begun on the last one is dropped, and the frames for the
    // drop fault are counted afresh.
    void StartConnection();

    // Faults to play.
    void SetSilent(bool silent);                              // answer nothing
    void SetReplyDelay(int ms);                               // answer late
    void SetGarbageBeforeReply(std::vector<std::uint8_t> b);  // bytes sent before each answer
    void SetDeviceId(std::uint8_t id);                        // the ID put into answers
    void SetIdentity(const std::string& text);
    void SetLock(const std::string& password);  // empty: lock off
    void SetDropAfterFrames(int count);         // 0: never; else after that many per connection
    void SetStrictReceiver(bool strict);
    // Every reply of at least tail + 1 bytes written in two pieces (0: whole).
    void SetSplitReplies(std::size_t tail);
    // The next reply of the malformation's kind goes out of shape, once.
    void MalformNext(SimMalformation kind);

    // The level answer (37 bytes: twelve packed levels and the limit flags).
    void SetLevels(const std::vector<std::uint8_t>& levelReply);
    // Packs a level the way the processor sends it.
    static void PackLevel(std::vector<std::uint8_t>& levelReply, int index, float value);

    // Called with one line per frame read ("R ...") or written ("W ...").
    void SetLogSink(std::function<void(const std::string&)> sink);

    // A copy of the memory, taken under the lock, and a change made under it.
    ProcessorMemory Memory() const;
    void ChangeMemory(const std::function<void(ProcessorMemory&)>& change);

    // What is kept of the record, so that a simulator running for days stays small: the newest
    // frames read and the first protocol faults; the counts go on.
    static constexpr std::size_t kKeptFrames = 10000;
    static constexpr std::size_t kKeptFaults = 1000;

    // Protocol faults of the editor seen so far (wrong check byte, bad frame, bad payload): the
    // first kKeptFaults of them, and how many there were.
    std::vector<std::string> Faults() const;
    std::size_t FaultCount() const;
    // The newest kKeptFrames frames read, oldest first, and how many were read.
    std::vector<SimFrame> FramesRead() const;
    int FrameCount() const;
    void ClearRecord();

private:
    SimReply Answer(const SimFrame& frame);
    std::vector<std::uint8_t> ReplyPayload(const SimFrame& frame, std::uint8_t& replyCode,
                                           bool& answer);

    mutable std::mutex lock_;
    SimulatorOptions options_;
    ProcessorMemory memory_;
    StrictFrameReader reader_;
    void RecordFault(std::string fault);

    std::vector<std::string> faults_;
    std::size_t faultCount_ = 0;
    std::deque<SimFrame> framesRead_;
    int framesReadCount_ = 0;
    int connectionFrames_ = 0;  // frames of the current connection, for the drop fault
    bool silent_ = false;
    int delayMs_ = 0;
    std::vector<std::uint8_t> garbage_;
    int dropAfter_ = 0;
    std::size_t splitTail_ = 0;
    std::vector<SimMalformation> malformations_;
    // Takes a pending malformation of that kind; true when there was one.
    bool TakeMalformation(SimMalformation kind);
    std::vector<std::uint8_t> levels_;
    std::function<void(const std::string&)> log_;
};

}  // namespace dsp::sim

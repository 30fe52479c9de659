#pragma once
// What the three transports add to their link: frames handed over go out one at a time (one in
// flight, the others waiting, edits of one parameter collapsing into their last value), received
// bytes are assembled into frames, every complete reply is handed to the owner with its round
// trip time and releases the next waiting frame, and an idle link sends a keep-alive.
//
// Threads: QueueFrame, KeepAlive, SetPaused and SetDeviceId run on the UI thread; OnByte,
// DispatchFrame and SendNextQueued on the link's worker. The queue and the send time are
// guarded by the link's lock, which is not held while a reply is handed to the UI thread.

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

#include "framework/runtime/Clock.h"
#include "framework/runtime/CriticalSection.h"
#include "link/FrameAssembler.h"
#include "link/FrameQueue.h"
#include "link/LinkMessages.h"
#include "link/LinkOwner.h"
#include "model/Lcmd.h"

namespace dsp {

template <class Link>
class LFramedTransport : public Link {
public:
    static constexpr unsigned kKeepAliveIntervalMs = 2000;

    // Hands a whole frame over (UI thread). Dropped when the link is not open.
    void QueueFrame(const std::vector<std::uint8_t>& frame, bool noCoalesce) {
        Enqueue(frame, noCoalesce, true);
    }

    // Frames handed over through the link's own send operation may be replaced; they do not
    // switch the assembler from raw units to frames.
    void SendBytes(const std::uint8_t* data, std::size_t length) override {
        Enqueue(std::vector<std::uint8_t>(data, data + length), false, false);
    }
    void SendBytes(const std::vector<std::uint8_t>& frame) override {
        if (!frame.empty()) Enqueue(frame, false, false);
    }

    void SetPaused(bool paused) { FPaused = paused; }
    void SetDeviceId(int id) { FKeepAliveDeviceId = id; }
    void SetWaitTimeout(unsigned ms) override { Link::SetWaitTimeout(ms); }

    // The keep-alive timer's handler (UI thread).
    void KeepAlive() {
        {
            std::lock_guard<TCriticalSection> guard(this->Lock());
            if (queue_.AwaitingReply() || queue_.Waiting() > 0 || FPaused) return;
        }
        this->SetWaitTimeout(keepAliveWaitMs_);
        const LCmd keepAlive(static_cast<std::uint8_t>(FKeepAliveDeviceId & 0xFF),
                             CommandCode::MCS_KEEP_ALIVE);
        QueueFrame(LCmd::EncodeFrame(keepAlive, FrameMode::Frame), false);
    }

    // State, for the owner and for tests (taken under the lock).
    bool AwaitingReply() {
        std::lock_guard<TCriticalSection> guard(this->Lock());
        return queue_.AwaitingReply();
    }
    std::vector<std::vector<std::uint8_t>> WaitingFrames() {
        std::lock_guard<TCriticalSection> guard(this->Lock());
        return {queue_.Frames().begin(), queue_.Frames().end()};
    }
    bool Paused() const { return FPaused; }
    bool Framed() const { return FFramed; }

    void OnByte(std::uint8_t byte) override {
        if (assembler_.Add(byte, FFramed)) {
            DispatchFrame();
            assembler_.Consumed();
        }
    }

protected:
    LFramedTransport(ILinkOwner* owner, LFrameAssembler::TMode mode, unsigned keepAliveWaitMs,
                     int deviceId)
        : Link(owner),
          assembler_(mode),
          keepAliveWaitMs_(keepAliveWaitMs),
          FKeepAliveDeviceId(deviceId) {}

    ~LFramedTransport() override {
        // Stop the worker while the parts it calls into still exist.
        StopTransport();
    }

    // Opening: the keep-alive timer first, then the link.
    void StartKeepAlive() {
        if (!FKeepAliveTimer && this->FOwner) {
            FKeepAliveTimer =
                this->FOwner->CreateTimer(kKeepAliveIntervalMs, [this] { KeepAlive(); });
        }
    }

    // Closing: timer off, waiting frames dropped, link closed, timer gone.
    void StopTransport() {
        if (FKeepAliveTimer) FKeepAliveTimer->Stop();
        {
            std::lock_guard<TCriticalSection> guard(this->Lock());
            queue_.Clear();
        }
        Link::CloseLink();
        FKeepAliveTimer.reset();
    }

    // The message a reply goes out as, and what is logged of it.
    virtual unsigned ReplyMessage() { return WM_LINK_REPLY; }
    virtual void LogReply(const std::vector<std::uint8_t>&) {}

    void DispatchFrame() {
        std::int64_t sent = 0, frequency = 0;
        {
            std::lock_guard<TCriticalSection> guard(this->Lock());
            sent = FSendTime;
            frequency = FCounterFrequency;
        }
        std::uint32_t roundTrip = 0;
        if (frequency > 0) {  // nothing was sent yet in raw mode
            const std::int64_t ms = (PerformanceCounter() - sent) * 1000 / frequency;
            roundTrip = static_cast<std::uint32_t>(
                std::clamp<std::int64_t>(ms, 0, static_cast<std::int64_t>(kMaxRoundTripMs)));
        }
        LogReply(assembler_.FrameBuffer());
        const bool delivered =
            this->FOwner == nullptr ||
            this->FOwner->SendLinkMessage(ReplyMessage(), ReplyFrameParam(assembler_.FrameBuffer()),
                                          static_cast<std::intptr_t>(roundTrip));
        // A delivery cancelled by the closing UI thread releases nothing more.
        if (delivered) SendNextQueued();
    }

    void SendNextQueued() {
        std::lock_guard<TCriticalSection> guard(this->Lock());
        std::optional<std::vector<std::uint8_t>> next = queue_.TakeNext();
        if (!next) return;
        FSendTime = PerformanceCounter();
        FCounterFrequency = PerformanceFrequency();
        Link::SendBytes(*next);
    }

private:
    void Enqueue(const std::vector<std::uint8_t>& frame, bool noCoalesce, bool switchToFrames) {
        if (!this->IsOpen()) return;
        if (switchToFrames) FFramed = true;
        if (FKeepAliveTimer) FKeepAliveTimer->Restart();
        std::lock_guard<TCriticalSection> guard(this->Lock());
        if (queue_.QueueFrame(frame, noCoalesce) == LFrameQueue::qaSendNow) {
            FSendTime = PerformanceCounter();
            FCounterFrequency = PerformanceFrequency();
            Link::SendBytes(frame);
        }
    }

    std::atomic<bool> FFramed{false};
    std::atomic<bool> FPaused{false};
    LFrameAssembler assembler_;  // worker thread only
    LFrameQueue queue_;          // under the link's lock
    std::unique_ptr<ILinkTimer> FKeepAliveTimer;
    unsigned keepAliveWaitMs_;
    std::atomic<int> FKeepAliveDeviceId;
    std::int64_t FSendTime = 0;  // under the link's lock
    std::int64_t FCounterFrequency = 0;
};

}  // namespace dsp

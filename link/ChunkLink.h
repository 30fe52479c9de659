#pragma once
// The worker of the USB and network links: one thread that waits on three events (bytes
// received, frame to send, quit) with a time-out, writes the frame handed to it through the
// owner's write routine, hands received bytes one at a time to the byte handler, and on
// time-outs writes the last frame again and finally reports a reply time-out. LUsb and LNet
// are this class under their own names.

#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "framework/runtime/CriticalSection.h"
#include "framework/runtime/Event.h"
#include "link/LinkMessages.h"
#include "link/LinkOwner.h"
#include "link/LinkWorker.h"

namespace dsp {

class LChunkLink {
public:
    // Writes a frame to the device; runs on the worker thread with the link's lock held.
    using TWriteRoutine = std::function<void(const std::uint8_t* bytes, std::size_t count)>;

    static constexpr std::size_t kTransmitBufferSize = 128;
    static constexpr unsigned kDefaultWaitTimeoutMs = 800;
    static constexpr int kDefaultMaxResends = 2;
    static constexpr unsigned kStopLimitMs = 5000;
    // After the rewrites, the time-out that finds more than this many misses already counted
    // reports the reply time-out (the fifth one after the rewrites).
    static constexpr int kMissesBeforeGiveUp = 3;

    explicit LChunkLink(ILinkOwner* owner);
    LChunkLink(const LChunkLink&) = delete;
    LChunkLink& operator=(const LChunkLink&) = delete;
    virtual ~LChunkLink();

    // Starts the worker; false when already open or no thread can be had.
    virtual bool OpenLink();
    // Stops the worker (at most kStopLimitMs; lsStopTimeout when it does not end) and releases
    // its events. A reply the worker is handing to the UI thread at that moment is dropped.
    virtual void CloseLink();
    // Puts a frame into the transmit buffer and wakes the worker; nothing when not open.
    virtual void SendBytes(const std::uint8_t* data, std::size_t length);
    virtual void SendBytes(const std::vector<std::uint8_t>& frame);
    // Bytes from the device (UI thread). They are added behind bytes the worker has not taken
    // yet, so none is lost when chunks come faster than the worker drains them.
    virtual void PutReceived(const std::uint8_t* data, std::size_t length);
    // Worker thread: one received byte. This base posts WM_LINK_RXBYTE.
    virtual void OnByte(std::uint8_t byte);
    virtual void NotifyLinkState(int code, int param);
    virtual void SetWaitTimeout(unsigned ms) { FWaitTimeout = ms; }

    unsigned GetWaitTimeout() const { return FWaitTimeout; }
    void SetMaxResends(int count) { FMaxResends = count; }
    int GetMaxResends() const { return FMaxResends; }
    bool IsOpen() const { return FOpen; }

    // The owner's write routine (set before OpenLink).
    void SetWriteRoutine(TWriteRoutine routine) { write_ = std::move(routine); }

    // The lock over the transmit and receive buffers (recursive).
    TCriticalSection& Lock() { return lock_; }

protected:
    void ThreadProc();
    void DrainReceived();
    void WritePending();
    void CloseHandles();

    ILinkOwner* FOwner;
    TCriticalSection lock_;
    std::int8_t FResendCount = 0;  // worker thread only
    LLinkWorker worker_;
    std::atomic<bool> FOpen{false};
    std::unique_ptr<TEvent> FQuitEvent;
    std::unique_ptr<TEvent> FSendEvent;
    std::unique_ptr<TEvent> FReceivedEvent;
    std::array<std::uint8_t, kTransmitBufferSize> FTransmitBuffer{};
    std::size_t FTransmitLength = 0;
    std::vector<std::uint8_t> FReceiveBuffer;
    std::atomic<unsigned> FWaitTimeout{kDefaultWaitTimeoutMs};
    std::atomic<int> FMaxResends{kDefaultMaxResends};
    TWriteRoutine write_;
};

}  // namespace dsp

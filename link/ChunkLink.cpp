#include "link/ChunkLink.h"

#include <algorithm>
#include <mutex>

namespace dsp {

LChunkLink::LChunkLink(ILinkOwner* owner) : FOwner(owner) {}

LChunkLink::~LChunkLink() {
    if (FOpen) {
        // The virtual close of a derived class is gone by now; stop the worker here.
        LChunkLink::CloseLink();
    }
    worker_.Join();
}

bool LChunkLink::OpenLink() {
    if (FOpen) return false;
    FQuitEvent = std::make_unique<TEvent>();
    FSendEvent = std::make_unique<TEvent>();
    FReceivedEvent = std::make_unique<TEvent>();
    if (worker_.Start([this] { ThreadProc(); }, FOpen)) return true;
    CloseHandles();
    return false;
}

void LChunkLink::CloseLink() {
    if (!FQuitEvent && !worker_.Exists()) return;  // never opened, or closed already
    if (FQuitEvent) FQuitEvent->SetEvent();
    if (!worker_.WaitStopped(kStopLimitMs)) {
        NotifyLinkState(lsStopTimeout, 0);
        return;  // the worker still uses the events: they go with the object
    }
    CloseHandles();
}

void LChunkLink::CloseHandles() {
    if (!worker_.Release()) return;
    FReceivedEvent.reset();
    FSendEvent.reset();
    FQuitEvent.reset();
}

void LChunkLink::SendBytes(const std::uint8_t* data, std::size_t length) {
    if (!FOpen || length == 0) return;
    std::lock_guard<TCriticalSection> guard(lock_);
    length = std::min(length, kTransmitBufferSize);
    std::copy_n(data, length, FTransmitBuffer.begin());
    FTransmitLength = length;
    FSendEvent->SetEvent();
}

void LChunkLink::SendBytes(const std::vector<std::uint8_t>& frame) {
    if (frame.empty()) return;
    LChunkLink::SendBytes(frame.data(), frame.size());
}

void LChunkLink::PutReceived(const std::uint8_t* data, std::size_t length) {
    if (!FOpen || length == 0) return;
    std::lock_guard<TCriticalSection> guard(lock_);
    FReceiveBuffer.insert(FReceiveBuffer.end(), data, data + length);
    FReceivedEvent->SetEvent();
}

void LChunkLink::OnByte(std::uint8_t byte) {
    if (FOwner) FOwner->PostLinkMessage(WM_LINK_RXBYTE, byte, 0);
}

void LChunkLink::NotifyLinkState(int code, int param) {
    if (FOwner) FOwner->PostLinkMessage(WM_LINK_STATE, static_cast<std::uintptr_t>(code), param);
}

void LChunkLink::WritePending() {
    std::lock_guard<TCriticalSection> guard(lock_);
    if (write_) write_(FTransmitBuffer.data(), FTransmitLength);
}

void LChunkLink::DrainReceived() {
    std::vector<std::uint8_t> bytes;
    {
        std::lock_guard<TCriticalSection> guard(lock_);
        bytes.swap(FReceiveBuffer);
    }
    // The lock is free while the bytes are handled: a reply goes to the UI thread, whose
    // handler sends further frames through this link.
    for (std::uint8_t b : bytes) OnByte(b);
}

void LChunkLink::ThreadProc() {
    int misses = 0;
    for (;;) {
        const int r = WaitForMultiple({*FReceivedEvent, *FSendEvent, *FQuitEvent}, FWaitTimeout);
        if (r == 0) {
            DrainReceived();
        } else if (r == 1) {
            FResendCount = 0;
            WritePending();
        } else if (r == wrTimeout) {
            if (FResendCount < FMaxResends) {
                misses = 0;
                {
                    std::lock_guard<TCriticalSection> guard(lock_);
                    if (FTransmitBuffer[0] != 0) WritePending();
                }
                ++FResendCount;
            } else if (misses > kMissesBeforeGiveUp) {
                FResendCount = 0;
                int receiver = 0;
                {
                    std::lock_guard<TCriticalSection> guard(lock_);
                    FTransmitBuffer[0] = 0;
                    receiver = FTransmitBuffer[3];
                }
                NotifyLinkState(lsReplyTimeout, receiver);
            } else {
                ++misses;
            }
        } else {
            break;  // quit, or the wait failed
        }
    }
    FOpen = false;
}

}  // namespace dsp

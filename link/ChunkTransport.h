#pragma once
// The transport on a chunk link (LUsbProc, LNetProc): raw 64-byte units until the first frame
// is handed over, then frames; the keep-alive sets a 5000 ms wait. Opening creates the
// keep-alive timer first, then opens the link.

#include "link/FrameAssembler.h"
#include "link/FramedTransport.h"
#include "link/LinkOwner.h"

namespace dsp {

template <class Link>
class LChunkTransport : public LFramedTransport<Link> {
public:
    static constexpr unsigned kKeepAliveWaitMs = 5000;

    explicit LChunkTransport(ILinkOwner* owner, int deviceId = 1)
        : LFramedTransport<Link>(owner, LFrameAssembler::amChunked, kKeepAliveWaitMs, deviceId) {}

    bool OpenLink() override {
        this->StartKeepAlive();
        return Link::OpenLink();
    }
    void CloseLink() override { this->StopTransport(); }
};

}  // namespace dsp

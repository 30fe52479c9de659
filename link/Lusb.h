#pragma once
// The USB link (LUsb) and the USB transport on it (LUsbProc). The link writes each frame through
// the owner's HID report routine; input reports reach it through PutReceived.

#include "link/ChunkLink.h"
#include "link/FramedTransport.h"

namespace dsp {

class LUsb : public LChunkLink {
public:
    explicit LUsb(LLinkOwner* owner) : LChunkLink(owner) {}
    ~LUsb() override;
};

// The USB transport: raw 64-byte units until the first frame is handed over, then frames; the
// keep-alive sets a 5000 ms wait.
class LUsbProc : public LFramedTransport<LUsb> {
public:
    static constexpr unsigned kKeepAliveWaitMs = 5000;

    explicit LUsbProc(LLinkOwner* owner, int deviceId = 1);
    ~LUsbProc() override;

    // The keep-alive timer is created first, then the link opens.
    bool OpenLink() override;
    void CloseLink() override;
};

}  // namespace dsp

#pragma once
// The network link (LNet) and the network transport on it (LNetProc): the USB design, writing
// each frame through the owner's socket routine; socket reads reach it through PutReceived.

#include "link/ChunkLink.h"
#include "link/FramedTransport.h"

namespace dsp {

class LNet : public LChunkLink {
public:
    explicit LNet(LLinkOwner* owner) : LChunkLink(owner) {}
    ~LNet() override;
};

// The network transport: raw 64-byte units until the first frame is handed over, then frames;
// the keep-alive sets a 5000 ms wait.
class LNetProc : public LFramedTransport<LNet> {
public:
    static constexpr unsigned kKeepAliveWaitMs = 5000;

    explicit LNetProc(LLinkOwner* owner, int deviceId = 1);
    ~LNetProc() override;

    bool OpenLink() override;
    void CloseLink() override;
};

}  // namespace dsp

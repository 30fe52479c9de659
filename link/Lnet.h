#pragma once
// The network link (LNet) and the network transport on it (LNetProc): the USB design, writing
// each frame through the owner's socket routine; socket reads reach it through PutReceived.

#include "link/ChunkLink.h"
#include "link/ChunkTransport.h"

namespace dsp {

class LNet : public LChunkLink {
public:
    explicit LNet(ILinkOwner* owner) : LChunkLink(owner) {}
    ~LNet() override;
};

class LNetProc : public LChunkTransport<LNet> {
public:
    using LChunkTransport<LNet>::LChunkTransport;
};

}  // namespace dsp

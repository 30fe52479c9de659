#pragma once
// The USB link (LUsb) and the USB transport on it (LUsbProc). The link writes each frame through
// the owner's HID report routine; input reports reach it through PutReceived.

#include "link/ChunkLink.h"
#include "link/ChunkTransport.h"

namespace dsp {

class LUsb : public LChunkLink {
public:
    explicit LUsb(ILinkOwner* owner) : LChunkLink(owner) {}
    ~LUsb() override;
};

class LUsbProc : public LChunkTransport<LUsb> {
public:
    using LChunkTransport<LUsb>::LChunkTransport;
};

}  // namespace dsp

#include "link/Lnet.h"

namespace dsp {

LNet::~LNet() = default;

LNetProc::LNetProc(LLinkOwner* owner, int deviceId)
    : LFramedTransport<LNet>(owner, LFrameAssembler::amChunked, kKeepAliveWaitMs, deviceId) {}

LNetProc::~LNetProc() = default;

bool LNetProc::OpenLink() {
    StartKeepAlive();
    return LNet::OpenLink();
}

void LNetProc::CloseLink() { StopTransport(); }

}  // namespace dsp

#include "link/Lusb.h"

namespace dsp {

LUsb::~LUsb() = default;

LUsbProc::LUsbProc(LLinkOwner* owner, int deviceId)
    : LFramedTransport<LUsb>(owner, LFrameAssembler::amChunked, kKeepAliveWaitMs, deviceId) {}

LUsbProc::~LUsbProc() = default;

bool LUsbProc::OpenLink() {
    StartKeepAlive();
    return LUsb::OpenLink();
}

void LUsbProc::CloseLink() { StopTransport(); }

}  // namespace dsp

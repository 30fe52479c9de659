#include "link/forms/NetworkSetupHost.h"

namespace dsp {

namespace {
INetworkSetupHost* registered = nullptr;
}  // namespace

INetworkSetupHost* NetworkSetupHost() { return registered; }
void SetNetworkSetupHost(INetworkSetupHost* host) { registered = host; }

}  // namespace dsp

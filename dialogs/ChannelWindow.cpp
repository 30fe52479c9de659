#include "dialogs/ChannelWindow.h"

namespace dsp {

namespace {
IChannelWindow* registered = nullptr;
}  // namespace

IChannelWindow* ChannelWindow() { return registered; }
void SetChannelWindow(IChannelWindow* window) { registered = window; }

}  // namespace dsp

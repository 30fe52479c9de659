#include "link/forms/SessionWindow.h"

namespace dsp {

namespace {
ISessionWindow* registered = nullptr;
}  // namespace

ISessionWindow* SessionWindow() { return registered; }
void SetSessionWindow(ISessionWindow* window) { registered = window; }

}  // namespace dsp

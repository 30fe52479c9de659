#include "dialogs/MainWindowServices.h"

namespace dsp {

namespace {
IMainWindowServices* registered = nullptr;
}  // namespace

IMainWindowServices* MainWindowServices() { return registered; }
void SetMainWindowServices(IMainWindowServices* window) { registered = window; }

}  // namespace dsp

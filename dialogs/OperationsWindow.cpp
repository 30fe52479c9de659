#include "dialogs/OperationsWindow.h"

namespace dsp {

namespace {
IOperationsWindow* registered = nullptr;
}  // namespace

IOperationsWindow* OperationsWindow() { return registered; }
void SetOperationsWindow(IOperationsWindow* window) { registered = window; }

}  // namespace dsp

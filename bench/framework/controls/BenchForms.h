#pragma once
// What the controls benchmarks share: the application started headless, controls placed on a
// form, a form painted at once, and the process's resident memory.

#include "framework/controls/Form.h"

namespace dsp::bench {

// Starts the framework's application once (offscreen, 96 dpi, the project's fonts).
void EnsureApplication();

template <typename T>
T* Add(TComponent* owner, TWinControl* parent, int left, int top, int width, int height) {
    auto* control = new T(owner);
    control->SetParent(parent);
    control->SetBounds(left, top, width, height);
    return control;
}

// Paints what waits to be painted in the control and every windowed control below it.
void PaintAll(TWinControl& control);

double ResidentMegabytes();

}  // namespace dsp::bench

#pragma once
// Framework-internal: the host toolkit's cursor for a TCursor. Controls set it on their
// window; the screen uses it for the cursor that overrides every window.

#include <QCursor>

#include "framework/desktop/Cursors.h"

namespace dsp {

// The stock shape, or the picture registered with the screen under that number; the arrow
// for a number nothing is registered under.
QCursor ToQCursor(TCursor cursor);

}  // namespace dsp

#pragma once
// Framework-internal: the host toolkit's keys as virtual-key codes.

#include <QKeyEvent>

namespace dsp {

// The virtual-key code of a key event (0 for a key without one).
int VirtualKeyOf(const QKeyEvent& event);
// Brings Shift, Ctrl and Alt of the key state in line with the modifiers an event reports.
void SyncModifierKeys(Qt::KeyboardModifiers modifiers);

}  // namespace dsp

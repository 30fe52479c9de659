#pragma once
// Framework-internal: how the top-level window features (TopLevelWindow.h) reach a form's
// native window. The frame code calls ApplyTopLevelFeatures whenever it brings a form's window
// in line with its settings, so the features survive every later change of the frame's flags.

#include <QWidget>

namespace dsp {

class TCustomForm;

// Adds the features' window flags to flags and sets the frame's attributes for them (before the
// native window exists, where the toolkit needs that).
void ApplyTopLevelFeatures(TCustomForm& form, QWidget& frame, Qt::WindowFlags& flags);

}  // namespace dsp

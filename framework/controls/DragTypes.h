#pragma once
// Dragging with the mouse: how a drag starts and what the target is told. A control whose
// DragMode is dmAutomatic starts a drag when the left button is held and the mouse moves a few
// pixels; the controls that take drops ask OnDragOver whether they accept the source and
// receive it in OnDragDrop.

#include <functional>

#include "framework/core/Object.h"
#include "framework/core/TypeInfo.h"

namespace dsp {

enum TDragMode { dmManual, dmAutomatic };
DSP_ENUM_NAMES(TDragMode, "dmManual", "dmAutomatic")

enum TDragState { dsDragEnter, dsDragLeave, dsDragMove };

// Pixels the mouse moves with the button held before a drag starts.
inline constexpr int kDragThreshold = 5;

using TDragOverEvent = std::function<void(TObject* sender, TObject* source, int x, int y,
                                          TDragState state, bool& accept)>;
using TDragDropEvent = std::function<void(TObject* sender, TObject* source, int x, int y)>;
using TEndDragEvent = std::function<void(TObject* sender, TObject* target, int x, int y)>;

}  // namespace dsp

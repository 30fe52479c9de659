#pragma once
// Docking: what a docking control and a dock site are told. A control docks into a windowed
// control whose DockSite is set (ManualDock) and floats out of it in a small form of its own
// (ManualFloat); the site hears OnDockDrop when a control arrives and may refuse a control's
// leaving in OnUnDock; the control hears OnEndDock when it has arrived.

#include <functional>

#include "framework/controls/ControlTypes.h"
#include "framework/core/TypeInfo.h"
#include "framework/graphics/Geometry.h"

namespace dsp {

class TControl;
class TWinControl;

// Whether dragging the control with the mouse drags it (dkDrag) or docks it (dkDock).
enum TDragKind { dkDrag, dkDock };
DSP_ENUM_NAMES(TDragKind, "dkDrag", "dkDock")

// The control on its way into a site, and where it is to go there.
struct TDragDockObject {
    TControl* Control = nullptr;
    // The place it is given in the site's client coordinates (its size when undocked).
    TRect DockRect;
    // Beside which docked control, and on which side of it (alNone: after the others).
    TControl* DropOnControl = nullptr;
    TAlign DropAlign = alNone;
};

using TDockDropEvent = std::function<void(TObject* sender, TDragDockObject* source, int x, int y)>;
using TUnDockEvent =
    std::function<void(TObject* sender, TControl* client, TWinControl* newTarget, bool& allow)>;

}  // namespace dsp

#pragma once
// The enumerations, sets and event types that controls and forms share.

#include <functional>

#include "framework/core/Object.h"
#include "framework/core/Set.h"
#include "framework/core/TypeInfo.h"
#include "framework/desktop/Cursors.h"
#include "framework/desktop/ModalResult.h"
#include "framework/graphics/Geometry.h"

namespace dsp {

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient, alCustom };
DSP_ENUM_NAMES(TAlign, "alNone", "alTop", "alBottom", "alLeft", "alRight", "alClient", "alCustom")

enum TAnchorKind { akLeft, akTop, akRight, akBottom };
DSP_ENUM_NAMES(TAnchorKind, "akLeft", "akTop", "akRight", "akBottom")
using TAnchors = Set<TAnchorKind>;

// What a control is and how the framework treats it.
enum TControlStyleItem {
    csAcceptsControls,  // may be the parent of other controls
    csCaptureMouse,     // takes the mouse capture while a button is held on it
    csDesignInteractive,
    csClickEvents,  // a press and release inside it raises OnClick
    csFramed,
    csSetCaption,    // takes its name as caption at design time
    csOpaque,        // paints its whole area: no erase before its paint
    csDoubleClicks,  // receives double clicks; otherwise a double click is a second press
    csFixedWidth,
    csFixedHeight,
    csNoDesignVisible,
    csReplicatable,
    csNoStdEvents,  // the mouse events (OnMouseDown, ...) are not raised
    csDisplayDragImage,
    csReflector,
    csActionClient,
    csMenuEvents,
    csNeedsBorderPaint,
    csParentBackground,
    csPannable,
    csGestures,
};
DSP_ENUM_NAMES(TControlStyleItem, "csAcceptsControls", "csCaptureMouse", "csDesignInteractive",
               "csClickEvents", "csFramed", "csSetCaption", "csOpaque", "csDoubleClicks",
               "csFixedWidth", "csFixedHeight", "csNoDesignVisible", "csReplicatable",
               "csNoStdEvents", "csDisplayDragImage", "csReflector", "csActionClient",
               "csMenuEvents", "csNeedsBorderPaint", "csParentBackground", "csPannable",
               "csGestures")
using TControlStyle = Set<TControlStyleItem>;

// What a control is doing now.
enum TControlStateItem {
    csLButtonDown,
    csClicked,  // pressed with csClickEvents: the release may click
    csPalette,
    csReadingState,
    csAlignmentNeeded,  // an alignment waits until aligning is enabled again
    csFocusing,
    csCreating,  // the window is being created
    csPaintCopy,
    csCustomPaint,  // painting through Paint (a custom control)
    csDestroyingHandle,
    csDocking,
};
using TControlState = Set<TControlStateItem>;

enum TMouseButton { mbLeft, mbRight, mbMiddle };

enum TShiftStateItem { ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble };
DSP_ENUM_NAMES(TShiftStateItem, "ssShift", "ssAlt", "ssCtrl", "ssLeft", "ssRight", "ssMiddle",
               "ssDouble")
using TShiftState = Set<TShiftStateItem>;

// Frames of forms; controls with a frame use the first two.
enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
DSP_ENUM_NAMES(TFormBorderStyle, "bsNone", "bsSingle", "bsSizeable", "bsDialog", "bsToolWindow",
               "bsSizeToolWin")
using TBorderStyle = TFormBorderStyle;

// Virtual-key code (see KeyMap.h) as the key events hand it over; a handler sets it to 0 to
// consume the key.
using TKeyCode = unsigned short;

class TControl;

using TMouseEvent =
    std::function<void(TObject* sender, TMouseButton button, TShiftState shift, int x, int y)>;
using TMouseMoveEvent = std::function<void(TObject* sender, TShiftState shift, int x, int y)>;
using TMouseWheelEvent = std::function<void(TObject* sender, TShiftState shift, int wheelDelta,
                                            TPoint mousePos, bool& handled)>;
using TMouseWheelUpDownEvent =
    std::function<void(TObject* sender, TShiftState shift, TPoint mousePos, bool& handled)>;
using TKeyEvent = std::function<void(TObject* sender, TKeyCode& key, TShiftState shift)>;
// The character typed (one UTF-16 unit, as the key messages carry it); set it to 0 to drop it.
using TKeyPressEvent = std::function<void(TObject* sender, char16_t& key)>;

}  // namespace dsp

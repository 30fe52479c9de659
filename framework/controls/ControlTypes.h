#pragma once
// The enumerations, sets and event types that controls and forms share.

#include <functional>

#include "framework/core/Object.h"
#include "framework/core/Set.h"
#include "framework/core/TypeInfo.h"
#include "framework/graphics/Geometry.h"

namespace dsp {

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient, alCustom };
DSP_ENUM_NAMES(TAlign, "alNone", "alTop", "alBottom", "alLeft", "alRight", "alClient",
               "alCustom")

enum TAnchorKind { akLeft, akTop, akRight, akBottom };
DSP_ENUM_NAMES(TAnchorKind, "akLeft", "akTop", "akRight", "akBottom")
using TAnchors = Set<TAnchorKind>;

// What a control is and how the framework treats it.
enum TControlStyleItem {
    csAcceptsControls,  // may be the parent of other controls
    csCaptureMouse,     // takes the mouse capture while a button is held on it
    csDesignInteractive,
    csClickEvents,      // a press and release inside it raises OnClick
    csFramed,
    csSetCaption,       // takes its name as caption at design time
    csOpaque,           // paints its whole area: no erase before its paint
    csDoubleClicks,     // receives double clicks; otherwise a double click is a second press
    csFixedWidth,
    csFixedHeight,
    csNoDesignVisible,
    csReplicatable,
    csNoStdEvents,      // the mouse events (OnMouseDown, ...) are not raised
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
    csClicked,          // pressed with csClickEvents: the release may click
    csPalette,
    csReadingState,
    csAlignmentNeeded,  // an alignment waits until aligning is enabled again
    csFocusing,
    csCreating,         // the window is being created
    csPaintCopy,
    csCustomPaint,      // painting through Paint (a custom control)
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

// Mouse cursors: built-in shapes are negative, 0 is the default of the control.
using TCursor = int;
inline constexpr TCursor crDefault = 0;
inline constexpr TCursor crNone = -1;
inline constexpr TCursor crArrow = -2;
inline constexpr TCursor crCross = -3;
inline constexpr TCursor crIBeam = -4;
inline constexpr TCursor crSizeNESW = -6;
inline constexpr TCursor crSizeNS = -7;
inline constexpr TCursor crSizeNWSE = -8;
inline constexpr TCursor crSizeWE = -9;
inline constexpr TCursor crUpArrow = -10;
inline constexpr TCursor crHourGlass = -11;
inline constexpr TCursor crDrag = -12;
inline constexpr TCursor crNoDrop = -13;
inline constexpr TCursor crHSplit = -14;
inline constexpr TCursor crVSplit = -15;
inline constexpr TCursor crMultiDrag = -16;
inline constexpr TCursor crNo = -18;
inline constexpr TCursor crAppStart = -19;
inline constexpr TCursor crHelp = -20;
inline constexpr TCursor crHandPoint = -21;
inline constexpr TCursor crSizeAll = -22;
inline constexpr TCursor crSize = crSizeAll;

// Results of modal forms and the buttons that close them.
using TModalResult = int;
inline constexpr TModalResult mrNone = 0;
inline constexpr TModalResult mrOk = 1;
inline constexpr TModalResult mrCancel = 2;
inline constexpr TModalResult mrAbort = 3;
inline constexpr TModalResult mrRetry = 4;
inline constexpr TModalResult mrIgnore = 5;
inline constexpr TModalResult mrYes = 6;
inline constexpr TModalResult mrNo = 7;
inline constexpr TModalResult mrClose = 8;
inline constexpr TModalResult mrAll = 12;
inline constexpr TModalResult mrNoToAll = 13;
inline constexpr TModalResult mrYesToAll = 14;

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

#pragma once
// The typed contents of the messages controls handle. For each message a handler reads the
// parameters through an unpacking function (`...Of`) and a sender packs them through a packing
// function (`Make...Message` for the whole message, `...Param` for one parameter), so no control casts
// WParam or LParam itself. Objects travel as pointers valid only while the message is handled.

#include <cstdint>
#include <optional>
#include <string>

#include "framework/controls/ControlMessages.h"
#include "framework/controls/ControlTypes.h"
#include "framework/graphics/Colors.h"
#include "framework/graphics/Geometry.h"
#include "framework/runtime/MessageWindow.h"

namespace dsp {

class TControl;
class TWinControl;
class TFont;
struct THintInfo;

// ---- WM_GETTEXT (LParam: the std::string that receives the text) and WM_SETTEXT (LParam: the
// new text)
inline LPARAM GetTextParam(std::string& receiver) { return reinterpret_cast<LPARAM>(&receiver); }
inline LPARAM SetTextParam(const std::string& text) { return reinterpret_cast<LPARAM>(&text); }
// Answers WM_GETTEXT: the text goes into the sender's string, the result is its length in bytes.
// A message without a string is left unanswered.
void AnswerGetText(TMessage& message, const std::string& text);
// The text WM_SETTEXT brings, or null when it brings none. The handler sets the result to 1 when
// it took the text.
inline const std::string* SetTextOf(const TMessage& message) {
    return reinterpret_cast<const std::string*>(message.LParam);
}

// ---- mouse: WM_MOUSEMOVE and the button messages (WParam: MK_ flags, LParam: the point in
// client coordinates)
struct TMouseParams {
    unsigned keys = 0;  // MK_ flags of the buttons and keys held
    TPoint pos;

    bool Holds(unsigned flag) const { return (keys & flag) != 0; }
    TShiftState Shift() const;
};
TMouseParams MouseParamsOf(const TMessage& message);
TMessage MakeMouseMessage(unsigned msg, unsigned keys, TPoint pos);

// ---- WM_CONTEXTMENU (LParam: the mouse in screen coordinates, or -1 when the menu was asked for
// from the keyboard)
inline std::optional<TPoint> ContextMenuPosOf(const TMessage& message) {
    if (message.LParam == -1) return std::nullopt;
    return LParamToPoint(message.LParam);
}

// ---- wheel: WM_MOUSEWHEEL and CM_MOUSEWHEEL (WParam: MK_ flags and the signed distance in
// multiples of WHEEL_DELTA, LParam: the mouse in screen coordinates)
struct TWheelParams {
    unsigned keys = 0;
    int delta = 0;
    TPoint screenPos;

    TShiftState Shift() const;
};
TWheelParams WheelParamsOf(const TMessage& message);
TMessage MakeWheelMessage(unsigned msg, unsigned keys, int delta, TPoint screenPos);

// ---- keys: WM_KEYDOWN, WM_KEYUP, WM_SYSKEYDOWN, WM_SYSKEYUP, their CN_ twins, CM_DIALOGKEY and
// CM_WANTSPECIALKEY (WParam: the virtual-key code, LParam: the key data)
struct TKeyParams {
    unsigned key = 0;
    LPARAM keyData = 0;

    TShiftState Shift() const;
};
inline TKeyParams KeyParamsOf(const TMessage& message) {
    return {static_cast<unsigned>(message.WParam), message.LParam};
}
inline TMessage MakeKeyMessage(unsigned msg, unsigned key, LPARAM keyData) {
    return {msg, key, keyData, 0};
}

// ---- characters: WM_CHAR, WM_SYSCHAR, CN_CHAR, CN_SYSCHAR, CM_DIALOGCHAR (WParam: one UTF-16
// unit, LParam: the key data)
inline char16_t CharOf(const TMessage& message) { return static_cast<char16_t>(message.WParam); }
inline TMessage MakeCharMessage(unsigned msg, char16_t unit, LPARAM keyData) {
    return {msg, unit, keyData, 0};
}

// ---- WM_SETFOCUS and WM_KILLFOCUS (WParam: the window that loses the focus to this one, or
// takes it from this one; HWND{} for none)
inline TMessage MakeFocusMessage(unsigned msg, HWND otherWindow) {
    return {msg, static_cast<WPARAM>(otherWindow), 0, 0};
}
inline HWND FocusWindowOf(const TMessage& message) { return static_cast<HWND>(message.WParam); }

// ---- WM_SIZE (WParam: SIZE_ kind, LParam: the new client width and height)
struct TSizeParams {
    WPARAM kind = SIZE_RESTORED;
    int width = 0;
    int height = 0;
};
TSizeParams SizeParamsOf(const TMessage& message);
TMessage MakeSizeMessage(WPARAM kind, int width, int height);

// ---- WM_WINDOWPOSCHANGED (LParam: where the window now stands, or null)
inline LPARAM WindowPosParam(const TWindowPos& pos) { return reinterpret_cast<LPARAM>(&pos); }
inline const TWindowPos* WindowPosOf(const TMessage& message) {
    return reinterpret_cast<const TWindowPos*>(message.LParam);
}

// ---- control messages that carry objects
// CM_FOCUSCHANGED (LParam: the control that has the focus now, or null).
inline LPARAM FocusedControlParam(const TWinControl* control) {
    return reinterpret_cast<LPARAM>(control);
}
inline const TWinControl* FocusedControlOf(const TMessage& message) {
    return reinterpret_cast<const TWinControl*>(message.LParam);
}

// CM_MOUSEENTER and CM_MOUSELEAVE (LParam: null when the mouse entered or left the control
// itself, else the child whose entering or leaving the parent hears of).
inline LPARAM MouseChildParam(const TControl* child) { return reinterpret_cast<LPARAM>(child); }
inline TControl* MouseChildOf(const TMessage& message) {
    return reinterpret_cast<TControl*>(message.LParam);
}

// CM_CHILDKEY (WParam: the virtual-key code, LParam: the control the key went to).
inline TMessage MakeChildKeyMessage(unsigned key, const TWinControl* control) {
    return {CM_CHILDKEY, key, reinterpret_cast<LPARAM>(control), 0};
}
inline TWinControl* ChildKeyControlOf(const TMessage& message) {
    return reinterpret_cast<TWinControl*>(message.LParam);
}

// CM_CONTROLCHANGE and CM_CONTROLLISTCHANGE (WParam: the child, LParam: 1 when it is being
// inserted, 0 when removed).
struct TControlChangeParams {
    TControl* control = nullptr;
    bool inserting = false;
};
inline TMessage MakeControlChangeMessage(unsigned msg, TControl* control, bool inserting) {
    return {msg, reinterpret_cast<WPARAM>(control), inserting ? 1 : 0, 0};
}
inline TControlChangeParams ControlChangeOf(const TMessage& message) {
    return {reinterpret_cast<TControl*>(message.WParam), message.LParam != 0};
}

// CM_PARENTFONTCHANGED and CM_PARENTCOLORCHANGED: a font or colour handed down (WParam 1, LParam
// the font or colour), or none (WParam 0): take the parent's.
inline TMessage MakeParentFontMessage(TFont* font) {
    return {CM_PARENTFONTCHANGED, 1, reinterpret_cast<LPARAM>(font), 0};
}
inline TFont* ParentFontOf(const TMessage& message) {
    return message.WParam != 0 ? reinterpret_cast<TFont*>(message.LParam) : nullptr;
}
inline TMessage MakeParentColorMessage(TColor color) {
    return {CM_PARENTCOLORCHANGED, 1, static_cast<LPARAM>(color), 0};
}
inline std::optional<TColor> ParentColorOf(const TMessage& message) {
    if (message.WParam == 0) return std::nullopt;
    return static_cast<TColor>(message.LParam);
}

// CM_HINTSHOW (LParam: the hint about to show, which the control may change).
inline LPARAM HintInfoParam(THintInfo& info) { return reinterpret_cast<LPARAM>(&info); }
inline THintInfo* HintInfoOf(const TMessage& message) {
    return reinterpret_cast<THintInfo*>(message.LParam);
}

}  // namespace dsp

#pragma once
// The messages of windows and controls: window messages (WM_), the framework's control
// messages (CM_, numbered from CM_BASE) and the notifications a control reflects to itself
// (CN_), with the flags they carry and helpers to pack and unpack their parameters.
//
// Parameters that are objects travel as pointers: the device context of WM_ERASEBKGND,
// WM_PAINT and WM_PRINTCLIENT is a TCanvas* in WParam (MessageCanvas reads it), the text of
// WM_SETTEXT a const std::string* in LParam, the buffer of WM_GETTEXT a std::string* in LParam,
// the new place of WM_WINDOWPOSCHANGED a TWindowPos* in LParam.

#include <cstdint>

#include "framework/graphics/Geometry.h"
#include "framework/runtime/MessageWindow.h"
#include "framework/runtime/Messages.h"

namespace dsp {

class TCanvas;

// ---- window messages
inline constexpr unsigned WM_CREATE = 0x0001;
inline constexpr unsigned WM_DESTROY = 0x0002;
inline constexpr unsigned WM_MOVE = 0x0003;
inline constexpr unsigned WM_SIZE = 0x0005;
inline constexpr unsigned WM_ACTIVATE = 0x0006;
inline constexpr unsigned WM_SETFOCUS = 0x0007;
inline constexpr unsigned WM_KILLFOCUS = 0x0008;
inline constexpr unsigned WM_ENABLE = 0x000A;
inline constexpr unsigned WM_SETTEXT = 0x000C;
inline constexpr unsigned WM_GETTEXT = 0x000D;
inline constexpr unsigned WM_PAINT = 0x000F;
inline constexpr unsigned WM_CLOSE = 0x0010;
inline constexpr unsigned WM_ERASEBKGND = 0x0014;
inline constexpr unsigned WM_SHOWWINDOW = 0x0018;
inline constexpr unsigned WM_CANCELMODE = 0x001F;
inline constexpr unsigned WM_SETCURSOR = 0x0020;
inline constexpr unsigned WM_MOUSEACTIVATE = 0x0021;
inline constexpr unsigned WM_WINDOWPOSCHANGING = 0x0046;
inline constexpr unsigned WM_WINDOWPOSCHANGED = 0x0047;
inline constexpr unsigned WM_CONTEXTMENU = 0x007B;
inline constexpr unsigned WM_NCHITTEST = 0x0084;
inline constexpr unsigned WM_NCPAINT = 0x0085;
inline constexpr unsigned WM_GETDLGCODE = 0x0087;
inline constexpr unsigned WM_KEYDOWN = 0x0100;
inline constexpr unsigned WM_KEYUP = 0x0101;
inline constexpr unsigned WM_CHAR = 0x0102;
inline constexpr unsigned WM_SYSKEYDOWN = 0x0104;
inline constexpr unsigned WM_SYSKEYUP = 0x0105;
inline constexpr unsigned WM_SYSCHAR = 0x0106;
inline constexpr unsigned WM_COMMAND = 0x0111;
inline constexpr unsigned WM_SYSCOMMAND = 0x0112;
inline constexpr unsigned WM_TIMER = 0x0113;
inline constexpr unsigned WM_HSCROLL = 0x0114;
inline constexpr unsigned WM_VSCROLL = 0x0115;
inline constexpr unsigned WM_MOUSEMOVE = 0x0200;
inline constexpr unsigned WM_LBUTTONDOWN = 0x0201;
inline constexpr unsigned WM_LBUTTONUP = 0x0202;
inline constexpr unsigned WM_LBUTTONDBLCLK = 0x0203;
inline constexpr unsigned WM_RBUTTONDOWN = 0x0204;
inline constexpr unsigned WM_RBUTTONUP = 0x0205;
inline constexpr unsigned WM_RBUTTONDBLCLK = 0x0206;
inline constexpr unsigned WM_MBUTTONDOWN = 0x0207;
inline constexpr unsigned WM_MBUTTONUP = 0x0208;
inline constexpr unsigned WM_MBUTTONDBLCLK = 0x0209;
inline constexpr unsigned WM_MOUSEWHEEL = 0x020A;
inline constexpr unsigned WM_MOUSEFIRST = WM_MOUSEMOVE;
inline constexpr unsigned WM_MOUSELAST = WM_MOUSEWHEEL;
inline constexpr unsigned WM_CAPTURECHANGED = 0x0215;
inline constexpr unsigned WM_PRINT = 0x0317;
inline constexpr unsigned WM_PRINTCLIENT = 0x0318;
inline constexpr unsigned WM_THEMECHANGED = 0x031A;
inline constexpr unsigned WM_MOUSELEAVE = 0x02A3;

// ---- framework control messages
inline constexpr unsigned CM_ACTIVATE = CM_BASE + 0;
inline constexpr unsigned CM_DEACTIVATE = CM_BASE + 1;
inline constexpr unsigned CM_GOTFOCUS = CM_BASE + 2;
inline constexpr unsigned CM_LOSTFOCUS = CM_BASE + 3;
inline constexpr unsigned CM_CANCELMODE = CM_BASE + 4;
inline constexpr unsigned CM_DIALOGKEY = CM_BASE + 5;
inline constexpr unsigned CM_DIALOGCHAR = CM_BASE + 6;
inline constexpr unsigned CM_FOCUSCHANGED = CM_BASE + 7;
inline constexpr unsigned CM_PARENTFONTCHANGED = CM_BASE + 8;
inline constexpr unsigned CM_PARENTCOLORCHANGED = CM_BASE + 9;
inline constexpr unsigned CM_HITTEST = CM_BASE + 10;
inline constexpr unsigned CM_VISIBLECHANGED = CM_BASE + 11;
inline constexpr unsigned CM_ENABLEDCHANGED = CM_BASE + 12;
inline constexpr unsigned CM_COLORCHANGED = CM_BASE + 13;
inline constexpr unsigned CM_FONTCHANGED = CM_BASE + 14;
inline constexpr unsigned CM_CURSORCHANGED = CM_BASE + 15;
inline constexpr unsigned CM_CTL3DCHANGED = CM_BASE + 16;
inline constexpr unsigned CM_PARENTCTL3DCHANGED = CM_BASE + 17;
inline constexpr unsigned CM_TEXTCHANGED = CM_BASE + 18;
inline constexpr unsigned CM_MOUSEENTER = CM_BASE + 19;
inline constexpr unsigned CM_MOUSELEAVE = CM_BASE + 20;
inline constexpr unsigned CM_MENUCHANGED = CM_BASE + 21;
inline constexpr unsigned CM_BUTTONPRESSED = CM_BASE + 24;
inline constexpr unsigned CM_SHOWINGCHANGED = CM_BASE + 25;
inline constexpr unsigned CM_ENTER = CM_BASE + 26;
inline constexpr unsigned CM_EXIT = CM_BASE + 27;
inline constexpr unsigned CM_WANTSPECIALKEY = CM_BASE + 30;
inline constexpr unsigned CM_RELEASE = CM_BASE + 33;
inline constexpr unsigned CM_SHOWHINTCHANGED = CM_BASE + 34;
inline constexpr unsigned CM_PARENTSHOWHINTCHANGED = CM_BASE + 35;
inline constexpr unsigned CM_SYSCOLORCHANGE = CM_BASE + 36;
inline constexpr unsigned CM_TABSTOPCHANGED = CM_BASE + 40;
inline constexpr unsigned CM_CONTROLLISTCHANGE = CM_BASE + 44;
inline constexpr unsigned CM_CHILDKEY = CM_BASE + 46;
inline constexpr unsigned CM_HINTSHOW = CM_BASE + 48;
inline constexpr unsigned CM_RECREATEWND = CM_BASE + 51;
inline constexpr unsigned CM_INVALIDATE = CM_BASE + 52;
inline constexpr unsigned CM_CONTROLCHANGE = CM_BASE + 54;
inline constexpr unsigned CM_CHANGED = CM_BASE + 55;
inline constexpr unsigned CM_BORDERCHANGED = CM_BASE + 59;
inline constexpr unsigned CM_BIDIMODECHANGED = CM_BASE + 60;
inline constexpr unsigned CM_PARENTBIDIMODECHANGED = CM_BASE + 61;
inline constexpr unsigned CM_MOUSEWHEEL = CM_BASE + 67;
inline constexpr unsigned CM_ACTIVECONTROLCHANGE = CM_BASE + 70;
// Ends the control message numbers the framework uses; widgets number their own above it.
inline constexpr unsigned CM_FRAMEWORK_LAST = CM_BASE + 99;

// ---- notifications a control reflects to itself before handling the message
inline constexpr unsigned CN_BASE = 0xBC00;
inline constexpr unsigned CN_KEYDOWN = CN_BASE + WM_KEYDOWN;
inline constexpr unsigned CN_KEYUP = CN_BASE + WM_KEYUP;
inline constexpr unsigned CN_CHAR = CN_BASE + WM_CHAR;
inline constexpr unsigned CN_SYSKEYDOWN = CN_BASE + WM_SYSKEYDOWN;
inline constexpr unsigned CN_SYSCHAR = CN_BASE + WM_SYSCHAR;

// ---- flags
// Mouse messages: the buttons and keys held (WParam).
inline constexpr unsigned MK_LBUTTON = 0x0001;
inline constexpr unsigned MK_RBUTTON = 0x0002;
inline constexpr unsigned MK_SHIFT = 0x0004;
inline constexpr unsigned MK_CONTROL = 0x0008;
inline constexpr unsigned MK_MBUTTON = 0x0010;

// One notch of the mouse wheel.
inline constexpr int WHEEL_DELTA = 120;

// WM_PRINT and WM_PRINTCLIENT: what to paint.
inline constexpr unsigned PRF_CHECKVISIBLE = 0x0001;
inline constexpr unsigned PRF_NONCLIENT = 0x0002;
inline constexpr unsigned PRF_CLIENT = 0x0004;
inline constexpr unsigned PRF_ERASEBKGND = 0x0008;
inline constexpr unsigned PRF_CHILDREN = 0x0010;

// WM_NCHITTEST and CM_HITTEST answers.
inline constexpr LRESULT HTERROR = -2;
inline constexpr LRESULT HTTRANSPARENT = -1;
inline constexpr LRESULT HTNOWHERE = 0;
inline constexpr LRESULT HTCLIENT = 1;

// WM_GETDLGCODE answers: the keys a control keeps from dialog navigation.
inline constexpr LRESULT DLGC_WANTARROWS = 0x0001;
inline constexpr LRESULT DLGC_WANTTAB = 0x0002;
inline constexpr LRESULT DLGC_WANTALLKEYS = 0x0004;
inline constexpr LRESULT DLGC_WANTCHARS = 0x0080;

// WM_SIZE kinds (WParam).
inline constexpr WPARAM SIZE_RESTORED = 0;
inline constexpr WPARAM SIZE_MINIMIZED = 1;
inline constexpr WPARAM SIZE_MAXIMIZED = 2;

// WM_ACTIVATE states (low word of WParam).
inline constexpr WPARAM WA_INACTIVE = 0;
inline constexpr WPARAM WA_ACTIVE = 1;
inline constexpr WPARAM WA_CLICKACTIVE = 2;

// The flags of a TWindowPos.
inline constexpr unsigned SWP_NOSIZE = 0x0001;
inline constexpr unsigned SWP_NOMOVE = 0x0002;
inline constexpr unsigned SWP_NOZORDER = 0x0004;
inline constexpr unsigned SWP_NOACTIVATE = 0x0010;
inline constexpr unsigned SWP_SHOWWINDOW = 0x0040;
inline constexpr unsigned SWP_HIDEWINDOW = 0x0080;

// Where WM_WINDOWPOSCHANGED says a window now stands (LParam points to it). The control's own
// Left, Top, Width and Height still hold the old place while the message is handled, until
// the framework's handling stores the new one.
struct TWindowPos {
    HWND hwnd{};
    int x = 0;
    int y = 0;
    int cx = 0;
    int cy = 0;
    unsigned flags = 0;
};

// ---- packing parameters
constexpr std::uint16_t LoWord(std::uintptr_t value) {
    return static_cast<std::uint16_t>(value & 0xFFFF);
}
constexpr std::uint16_t HiWord(std::uintptr_t value) {
    return static_cast<std::uint16_t>((value >> 16) & 0xFFFF);
}
constexpr LPARAM MakeLParam(int low, int high) {
    return static_cast<LPARAM>((static_cast<std::uint32_t>(low) & 0xFFFF) |
                               ((static_cast<std::uint32_t>(high) & 0xFFFF) << 16));
}
constexpr WPARAM MakeWParam(int low, int high) {
    return static_cast<WPARAM>(static_cast<std::uint32_t>(MakeLParam(low, high)));
}

// A point packed as two signed 16-bit coordinates, as mouse messages carry it.
constexpr LPARAM PointToLParam(TPoint p) { return MakeLParam(p.X, p.Y); }
constexpr TPoint LParamToPoint(LPARAM value) {
    return {static_cast<std::int16_t>(LoWord(static_cast<std::uintptr_t>(value))),
            static_cast<std::int16_t>(HiWord(static_cast<std::uintptr_t>(value)))};
}

// The signed wheel distance of WM_MOUSEWHEEL and CM_MOUSEWHEEL (multiples of WHEEL_DELTA).
constexpr int WheelDeltaOf(WPARAM wParam) { return static_cast<std::int16_t>(HiWord(wParam)); }

// The device context of WM_ERASEBKGND, WM_PAINT and WM_PRINTCLIENT, or null.
inline TCanvas* MessageCanvas(const TMessage& message) {
    return reinterpret_cast<TCanvas*>(message.WParam);
}
inline WPARAM CanvasParam(TCanvas* canvas) { return reinterpret_cast<WPARAM>(canvas); }

}  // namespace dsp

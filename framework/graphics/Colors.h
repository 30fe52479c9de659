#pragma once
// Colours of the drawing layer. A TColor is $00BBGGRR for an RGB colour (red in the low byte),
// $FF0000nn for system colour nn, clNone for "draw nothing" and clDefault for "the control's
// own default". System colours come from one frozen table of classic values, so a picture looks
// the same on every machine.

#include <cstdint>

namespace dsp {

using TColor = std::int32_t;
using TColorRef = std::uint32_t;  // a plain $00BBGGRR value, never a system colour

constexpr TColor MakeSystemColor(int index) {
    return static_cast<TColor>(0xFF000000u | static_cast<std::uint32_t>(index));
}

// Indices of the system colour table.
enum TSysColorIndex {
    COLOR_SCROLLBAR = 0,
    COLOR_BACKGROUND = 1,
    COLOR_ACTIVECAPTION = 2,
    COLOR_INACTIVECAPTION = 3,
    COLOR_MENU = 4,
    COLOR_WINDOW = 5,
    COLOR_WINDOWFRAME = 6,
    COLOR_MENUTEXT = 7,
    COLOR_WINDOWTEXT = 8,
    COLOR_CAPTIONTEXT = 9,
    COLOR_ACTIVEBORDER = 10,
    COLOR_INACTIVEBORDER = 11,
    COLOR_APPWORKSPACE = 12,
    COLOR_HIGHLIGHT = 13,
    COLOR_HIGHLIGHTTEXT = 14,
    COLOR_BTNFACE = 15,
    COLOR_BTNSHADOW = 16,
    COLOR_GRAYTEXT = 17,
    COLOR_BTNTEXT = 18,
    COLOR_INACTIVECAPTIONTEXT = 19,
    COLOR_BTNHIGHLIGHT = 20,
    COLOR_3DDKSHADOW = 21,
    COLOR_3DLIGHT = 22,
    COLOR_INFOTEXT = 23,
    COLOR_INFOBK = 24,
    COLOR_HOTLIGHT = 26,
    COLOR_GRADIENTACTIVECAPTION = 27,
    COLOR_GRADIENTINACTIVECAPTION = 28,
    COLOR_MENUHILIGHT = 29,
    COLOR_MENUBAR = 30,
};

constexpr TColor clBlack = 0x000000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clGreen = 0x008000;
constexpr TColor clOlive = 0x008080;
constexpr TColor clNavy = 0x800000;
constexpr TColor clPurple = 0x800080;
constexpr TColor clTeal = 0x808000;
constexpr TColor clGray = 0x808080;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clFuchsia = 0xFF00FF;
constexpr TColor clAqua = 0xFFFF00;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clLtGray = clSilver;
constexpr TColor clDkGray = clGray;
constexpr TColor clMoneyGreen = 0xC0DCC0;
constexpr TColor clSkyBlue = 0xF0CAA6;
constexpr TColor clCream = 0xF0FBFF;
constexpr TColor clMedGray = 0xA4A0A0;

constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor clDefault = 0x20000000;

constexpr TColor clScrollBar = MakeSystemColor(COLOR_SCROLLBAR);
constexpr TColor clBackground = MakeSystemColor(COLOR_BACKGROUND);
constexpr TColor clActiveCaption = MakeSystemColor(COLOR_ACTIVECAPTION);
constexpr TColor clInactiveCaption = MakeSystemColor(COLOR_INACTIVECAPTION);
constexpr TColor clMenu = MakeSystemColor(COLOR_MENU);
constexpr TColor clWindow = MakeSystemColor(COLOR_WINDOW);
constexpr TColor clWindowFrame = MakeSystemColor(COLOR_WINDOWFRAME);
constexpr TColor clMenuText = MakeSystemColor(COLOR_MENUTEXT);
constexpr TColor clWindowText = MakeSystemColor(COLOR_WINDOWTEXT);
constexpr TColor clCaptionText = MakeSystemColor(COLOR_CAPTIONTEXT);
constexpr TColor clActiveBorder = MakeSystemColor(COLOR_ACTIVEBORDER);
constexpr TColor clInactiveBorder = MakeSystemColor(COLOR_INACTIVEBORDER);
constexpr TColor clAppWorkSpace = MakeSystemColor(COLOR_APPWORKSPACE);
constexpr TColor clHighlight = MakeSystemColor(COLOR_HIGHLIGHT);
constexpr TColor clHighlightText = MakeSystemColor(COLOR_HIGHLIGHTTEXT);
constexpr TColor clBtnFace = MakeSystemColor(COLOR_BTNFACE);
constexpr TColor clBtnShadow = MakeSystemColor(COLOR_BTNSHADOW);
constexpr TColor clGrayText = MakeSystemColor(COLOR_GRAYTEXT);
constexpr TColor clBtnText = MakeSystemColor(COLOR_BTNTEXT);
constexpr TColor clInactiveCaptionText = MakeSystemColor(COLOR_INACTIVECAPTIONTEXT);
constexpr TColor clBtnHighlight = MakeSystemColor(COLOR_BTNHIGHLIGHT);
constexpr TColor cl3DDkShadow = MakeSystemColor(COLOR_3DDKSHADOW);
constexpr TColor cl3DLight = MakeSystemColor(COLOR_3DLIGHT);
constexpr TColor clInfoText = MakeSystemColor(COLOR_INFOTEXT);
constexpr TColor clInfoBk = MakeSystemColor(COLOR_INFOBK);
constexpr TColor clHotLight = MakeSystemColor(COLOR_HOTLIGHT);
constexpr TColor clGradientActiveCaption = MakeSystemColor(COLOR_GRADIENTACTIVECAPTION);
constexpr TColor clGradientInactiveCaption = MakeSystemColor(COLOR_GRADIENTINACTIVECAPTION);
constexpr TColor clMenuHighlight = MakeSystemColor(COLOR_MENUHILIGHT);
constexpr TColor clMenuBar = MakeSystemColor(COLOR_MENUBAR);

constexpr TColorRef RGB(int r, int g, int b) {
    return static_cast<TColorRef>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
constexpr int GetRValue(TColorRef c) { return static_cast<int>(c & 0xFF); }
constexpr int GetGValue(TColorRef c) { return static_cast<int>((c >> 8) & 0xFF); }
constexpr int GetBValue(TColorRef c) { return static_cast<int>((c >> 16) & 0xFF); }

constexpr bool IsSystemColor(TColor c) { return c < 0; }

// The RGB value of a system colour index from the frozen table; black for an unknown index.
TColorRef GetSysColor(int index);

// System colours resolved through the table; RGB colours, clNone and clDefault unchanged.
TColor ColorToRGB(TColor color);

// The colour as a plain RGB value for drawing: system colours resolved, clDefault as black,
// the flag bytes dropped. Callers test for clNone first.
TColorRef ResolveColor(TColor color);

}  // namespace dsp

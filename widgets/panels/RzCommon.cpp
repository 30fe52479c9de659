// The colour arithmetic, line and frame routines, text utilities and system answers of the
// widgets' drawing routines (gradients and bitmaps: RzCommonFills.cpp).

#include "widgets/panels/RzCommon.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "framework/controls/CustomControl.h"
#include "framework/controls/Form.h"
#include "framework/controls/StdControlSupport.h"
#include "framework/controls/WinControl.h"
#include "framework/graphics/FontSet.h"
#include "framework/runtime/SystemInfo.h"
#include "framework/text/Numbers.h"
#include "framework/text/StrUtils.h"

namespace dsp {

namespace {

int RoundToInt(double value) { return static_cast<int>(Round(value)); }

void Line(TCanvas& canvas, int x1, int y1, int x2, int y2) {
    canvas.MoveTo(x1, y1);
    canvas.LineTo(x2, y2);
}

// The theme's colour schemes: gradient start, gradient stop, frame.
struct TSchemeColors {
    TColor start;
    TColor stop;
    TColor frame;
};
constexpr TSchemeColors kXPSchemeColors[] = {
    {0x00FFEFE3, 0x00EABB99, 0x00BF7F57},
    {0x00EDFFFF, 0x0092C7B8, 0x0077A17F},
    {0x00FFF9F9, 0x00D0BCBD, 0x00B19F9F},
};

int& SchemeInForce() {
    static int scheme = ReadXPColorScheme();
    return scheme;
}

}  // namespace

// ---- colour

THslColor SplitColorHSL(TColor color) {
    const TColorRef rgb = ResolveColor(color);
    const double r = GetRValue(rgb) / 255.0;
    const double g = GetGValue(rgb) / 255.0;
    const double b = GetBValue(rgb) / 255.0;
    const double mx = std::max({r, g, b});
    const double mn = std::min({r, g, b});
    const double l = (mx + mn) / 2;
    double h = 0;
    double s = 0;
    if (mx != mn) {
        const double d = mx - mn;
        s = l < 0.5 ? d / (mx + mn) : d / (2 - mx - mn);
        if (r == mx) {
            h = (g - b) / d;
        } else if (g == mx) {
            h = 2 + (b - r) / d;
        } else {
            h = 4 + (r - g) / d;
        }
        h /= 6;
        if (h < 0) h += 1;
    }
    return {RoundToInt(h * 240), RoundToInt(s * 240), RoundToInt(l * 240)};
}

int HueOfColor(TColor color) { return SplitColorHSL(color).h; }

TColor ColorFromHSL(int h, int s, int l) {
    const double hue = h / 239.0;
    const double sat = s / 240.0;
    const double lum = l / 240.0;
    const double v = lum < 0.5 ? lum * (1 + sat) : lum + sat - lum * sat;
    if (v <= 0) return clBlack;
    const double m = 2 * lum - v;
    const double sv = (v - m) / v;
    const double h6 = hue * 6;
    const int sextant = static_cast<int>(h6);
    const double f = h6 - sextant;
    const double vsf = v * sv * f;
    const double mid1 = m + vsf;
    const double mid2 = v - vsf;
    double r = v;
    double g = mid1;
    double b = m;
    switch (sextant) {
        case 1: r = mid2, g = v, b = m; break;
        case 2: r = m, g = v, b = mid1; break;
        case 3: r = m, g = mid2, b = v; break;
        case 4: r = mid1, g = m, b = v; break;
        case 5: r = v, g = m, b = mid2; break;
        default: break;  // 0, and 6 for a hue of 239 or above
    }
    auto channel = [](double c) { return RoundToInt(std::clamp(c, 0.0, 1.0) * 255); };
    return static_cast<TColor>(RGB(channel(r), channel(g), channel(b)));
}

TColor DarkerColor(TColor color, int amount) {
    const THslColor hsl = SplitColorHSL(color);
    return ColorFromHSL(hsl.h, hsl.s, std::max(hsl.l - amount, 0));
}

TColor LighterColor(TColor color, int amount) {
    const THslColor hsl = SplitColorHSL(color);
    return ColorFromHSL(hsl.h, hsl.s, std::min(hsl.l + amount, 255));
}

TColor AdjustedColor(TColor color, int amount) {
    if (amount < 0) return DarkerColor(color, -amount);
    if (amount > 0) return LighterColor(color, amount);
    return color;
}

TColor MixColors(TColor color1, TColor color2, int weight) {
    const TColorRef c1 = ResolveColor(color1);
    const TColorRef c2 = ResolveColor(color2);
    const float w = static_cast<float>(std::clamp(weight, 0, 255)) / 255.0f;
    auto mix = [w](int a, int b) {
        return RoundToInt(
            static_cast<double>(static_cast<float>(a) * w + static_cast<float>(b) * (1.0f - w)));
    };
    return static_cast<TColor>(RGB(mix(GetRValue(c1), GetRValue(c2)),
                                   mix(GetGValue(c1), GetGValue(c2)),
                                   mix(GetBValue(c1), GetBValue(c2))));
}

bool ColorsAreClose(TColor color1, TColor color2) {
    const THslColor a = SplitColorHSL(color1);
    const THslColor b = SplitColorHSL(color2);
    return std::abs(a.h - b.h) < 20 && std::abs(a.l - b.l) < 60;
}

TColor ContrastingHueColor(TColor color, int luminance) {
    const int h = HueOfColor(color);
    return ColorFromHSL(h < 120 ? h + 120 : h - 120, 240, luminance);
}

TGradientColors GradientColorsForStyle(TRzGradientColorStyle style) {
    if (style == gcsMSOffice && ThemesActive()) {
        const TSchemeColors& scheme = kXPSchemeColors[XPColorScheme()];
        return {scheme.start, scheme.stop};
    }
    return {clWindow, DarkerColor(clBtnFace, 10)};
}

TColor FlatColorForStyle(TRzGradientColorStyle style) {
    if (style == gcsMSOffice && ThemesActive()) return kXPSchemeColors[XPColorScheme()].frame;
    return LighterColor(clBtnShadow, 30);
}

TBannerColors BannerColorsForStyle(TRzGradientColorStyle style) {
    if (style == gcsMSOffice && ThemesActive()) {
        const TSchemeColors& scheme = kXPSchemeColors[XPColorScheme()];
        return {scheme.stop, scheme.start, scheme.stop};
    }
    return {DarkerColor(clBtnFace, 20), clWindow, DarkerColor(clBtnFace, 40)};
}

TColor ThemedSystemColor(int kind) {
    if (!ThemesActive()) return clBtnFace;
    // The theme parts of the classic desktop's default scheme: edit and spin borders, the
    // explorer bar's group texts, fills and gradient, the group box's caption.
    switch (kind) {
        case 0: return 0x00B99D7F;
        case 1: return 0x00C65D21;
        case 2: return 0x00FFFFFF;
        case 3: return 0x00F7DFD6;
        case 4: return 0x00E7A27B;
        case 5: return 0x00C65D21;
        case 6: return 0x00D54600;
        case 7: return 0x00B99D7F;
        default: return 0x00FFFFFF;
    }
}

int ReadXPColorScheme() {
    const std::string name = UpperCase(ThemeColorName());
    if (name == "HOMESTEAD") return 1;
    if (name == "METALLIC") return 2;
    return 0;
}

bool IsFullColorScreen() { return ScreenDeviceCaps(NUMCOLORS) == -1; }

int XPColorScheme() { return SchemeInForce(); }

void ReloadXPColorScheme() { SchemeInForce() = ReadXPColorScheme(); }

bool ScreenIsFullColor() {
    static const bool fullColor = IsFullColorScreen();
    return fullColor;
}

// ---- lines and frames

TRect StrokeSides(TCanvas& canvas, TRect r, TColor ulColor, TColor lrColor, TSides sides) {
    if (ulColor != clNone) {
        canvas.Pen()->SetColor(ulColor);
        if (sides.Contains(sdLeft)) Line(canvas, r.Left, r.Top, r.Left, r.Bottom);
        if (sides.Contains(sdTop)) Line(canvas, r.Left, r.Top, r.Right, r.Top);
    }
    if (lrColor != clNone) {
        canvas.Pen()->SetColor(lrColor);
        if (sides.Contains(sdRight)) Line(canvas, r.Right - 1, r.Top, r.Right - 1, r.Bottom);
        if (sides.Contains(sdBottom)) Line(canvas, r.Left, r.Bottom - 1, r.Right, r.Bottom - 1);
    }
    if (sides.Contains(sdLeft)) ++r.Left;
    if (sides.Contains(sdTop)) ++r.Top;
    if (sides.Contains(sdRight)) --r.Right;
    if (sides.Contains(sdBottom)) --r.Bottom;
    return r;
}

TRect StrokeSidesRepeated(TCanvas& canvas, TRect r, TColor ulColor, TColor lrColor, int count,
                          TSides sides) {
    canvas.Pen()->SetWidth(1);
    for (int i = 0; i < count; ++i) r = StrokeSides(canvas, r, ulColor, lrColor, sides);
    return r;
}

TRect StrokeCtl3DSides(TCanvas& canvas, TRect r, bool lowered, TSides sides) {
    if (lowered) {
        r = StrokeSidesRepeated(canvas, r, clBtnShadow, clBtnHighlight, 1, sides);
        return StrokeSidesRepeated(canvas, r, cl3DDkShadow, cl3DLight, 1, sides);
    }
    r = StrokeSidesRepeated(canvas, r, cl3DLight, cl3DDkShadow, 1, sides);
    return StrokeSidesRepeated(canvas, r, clBtnHighlight, clBtnShadow, 1, sides);
}

TRect StrokeButtonSides(TCanvas& canvas, TRect r, bool down, TSides sides) {
    if (down) {
        r = StrokeSidesRepeated(canvas, r, clBtnText, clBtnText, 1, sides);
        return StrokeSidesRepeated(canvas, r, clBtnShadow, clBtnShadow, 1, sides);
    }
    r = StrokeSidesRepeated(canvas, r, clBtnHighlight, cl3DDkShadow, 1, sides);
    return StrokeSidesRepeated(canvas, r, cl3DLight, clBtnShadow, 1, sides);
}

TRect StrokeButtonFrame(TCanvas& canvas, TRect r, bool down) {
    return StrokeButtonSides(canvas, r, down, kAllSides);
}

TRect StrokeColorButtonSides(TCanvas& canvas, TRect r, TColor faceColor, bool lowered,
                             TSides sides) {
    if (lowered) {
        const TColor outer = DarkerColor(faceColor, 100);
        const TColor inner = DarkerColor(faceColor, 50);
        r = StrokeSidesRepeated(canvas, r, outer, outer, 1, sides);
        return StrokeSidesRepeated(canvas, r, inner, inner, 1, sides);
    }
    r = StrokeSidesRepeated(canvas, r, LighterColor(faceColor, 100), DarkerColor(faceColor, 100), 1,
                            sides);
    return StrokeSidesRepeated(canvas, r, LighterColor(faceColor, 40), DarkerColor(faceColor, 50),
                               1, sides);
}

TRect StrokeColorButtonFrame(TCanvas& canvas, TRect r, TColor faceColor, bool lowered) {
    return StrokeColorButtonSides(canvas, r, faceColor, lowered, kAllSides);
}

namespace {

// The groove and bump frames: two offset rings with their corners settled first.
TRect DrawGroove(TCanvas& canvas, TRect r, TColor ul, TColor lr, TSides sides) {
    const bool left = sides.Contains(sdLeft);
    const bool top = sides.Contains(sdTop);
    const bool right = sides.Contains(sdRight);
    const bool bottom = sides.Contains(sdBottom);
    if (right) canvas.SetPixels(r.Right - 1, r.Top, lr);
    if (top && !right) canvas.SetPixels(r.Right - 1, r.Top, ul);
    if (bottom) canvas.SetPixels(r.Left, r.Bottom - 1, lr);
    if (left && !bottom) canvas.SetPixels(r.Left, r.Bottom - 1, ul);
    if (top && !left) canvas.SetPixels(r.Left, r.Top + 1, lr);
    if (left && !top) canvas.SetPixels(r.Left + 1, r.Top, lr);
    if (bottom && !right) canvas.SetPixels(r.Right - 1, r.Bottom - 2, ul);
    if (right && !bottom) canvas.SetPixels(r.Right - 2, r.Bottom - 1, ul);
    const TRect moved{r.Left + 1, r.Top + 1, r.Right, r.Bottom};
    StrokeSides(canvas, moved, lr, lr, sides);
    StrokeSides(canvas, OffsetRect(moved, -1, -1), ul, ul, sides);
    if (left) r.Left += 2;
    if (top) r.Top += 2;
    if (right) r.Right -= 2;
    if (bottom) r.Bottom -= 2;
    return r;
}

}  // namespace

TRect DrawFrameStyleSides(TCanvas& canvas, TRect r, TFrameStyleEx style, TSides sides) {
    switch (style) {
        case fsNone: return r;
        case fsFlat: return StrokeSides(canvas, r, cl3DDkShadow, cl3DDkShadow, sides);
        case fsStatus: return StrokeSides(canvas, r, clBtnShadow, clBtnHighlight, sides);
        case fsPopup: return StrokeSides(canvas, r, clBtnHighlight, clBtnShadow, sides);
        case fsFlatBold: return StrokeSidesRepeated(canvas, r, clBtnShadow, clBtnShadow, 2, sides);
        case fsLowered: return StrokeCtl3DSides(canvas, r, true, sides);
        case fsRaised: return StrokeCtl3DSides(canvas, r, false, sides);
        case fsButtonDown: return StrokeButtonSides(canvas, r, true, sides);
        case fsButtonUp: return StrokeButtonSides(canvas, r, false, sides);
        case fsGroove: return DrawGroove(canvas, r, clBtnShadow, clBtnHighlight, sides);
        case fsBump: return DrawGroove(canvas, r, clBtnHighlight, clBtnShadow, sides);
        // Without colours of its own: the rounded flat frame in the shadow colour.
        case fsFlatRounded: return StrokeRoundedFrame(canvas, r, clBtnShadow, sides);
    }
    return r;
}

TRect DrawFrameStyle(TCanvas& canvas, TRect r, TFrameStyleEx style) {
    return DrawFrameStyleSides(canvas, r, style, kAllSides);
}

TRect DrawColoredFrameStyleSides(TCanvas& canvas, TRect r, TColor faceColor, TFrameStyleEx style,
                                 TSides sides) {
    auto d = [faceColor](int n) { return DarkerColor(faceColor, n); };
    auto l = [faceColor](int n) { return LighterColor(faceColor, n); };
    switch (style) {
        case fsNone: return r;
        case fsFlat: return StrokeSides(canvas, r, d(50), d(50), sides);
        case fsStatus: return StrokeSides(canvas, r, d(50), l(100), sides);
        case fsPopup: return StrokeSides(canvas, r, l(100), d(50), sides);
        case fsFlatBold: return StrokeSidesRepeated(canvas, r, d(50), d(50), 2, sides);
        case fsLowered:
            r = StrokeSides(canvas, r, d(50), l(100), sides);
            return StrokeSides(canvas, r, d(100), l(50), sides);
        case fsRaised:
            r = StrokeSides(canvas, r, l(50), d(100), sides);
            return StrokeSides(canvas, r, l(100), d(50), sides);
        case fsButtonDown: return StrokeColorButtonSides(canvas, r, faceColor, true, sides);
        case fsButtonUp: return StrokeColorButtonSides(canvas, r, faceColor, false, sides);
        case fsGroove: return DrawGroove(canvas, r, d(50), l(100), sides);
        case fsBump:
        case fsFlatRounded: return DrawGroove(canvas, r, l(100), d(50), sides);
    }
    return r;
}

TRect DrawColoredFrameStyle(TCanvas& canvas, TRect r, TColor faceColor, TFrameStyleEx style) {
    return DrawColoredFrameStyleSides(canvas, r, faceColor, style, kAllSides);
}

TRect StrokeFlatFrame(TCanvas& canvas, TRect r, TColor color) {
    StrokeSides(canvas, r, color, color, kAllSides);
    return InflateRect(r, -1, -1);
}

TRect StrokeRoundedFrame(TCanvas& canvas, TRect r, TColor color, TSides sides) {
    const bool left = sides.Contains(sdLeft);
    const bool top = sides.Contains(sdTop);
    const bool right = sides.Contains(sdRight);
    const bool bottom = sides.Contains(sdBottom);
    const int t = top ? 2 : 0;
    const int b = bottom ? 2 : 0;
    const int l = left ? 2 : 0;
    const int rr = right ? 2 : 0;
    canvas.Pen()->SetColor(color);
    if (left) Line(canvas, r.Left, r.Top + t, r.Left, r.Bottom - b);
    if (top) Line(canvas, r.Left + l, r.Top, r.Right - rr, r.Top);
    if (right) Line(canvas, r.Right - 1, r.Top + t, r.Right - 1, r.Bottom - b);
    if (bottom) Line(canvas, r.Left + l, r.Bottom - 1, r.Right - rr, r.Bottom - 1);
    if (left && top) canvas.SetPixels(r.Left + 1, r.Top + 1, color);
    if (top && right) canvas.SetPixels(r.Right - 2, r.Top + 1, color);
    if (right && bottom) canvas.SetPixels(r.Right - 2, r.Bottom - 2, color);
    if (left && bottom) canvas.SetPixels(r.Left + 1, r.Bottom - 2, color);
    if (left) r.Left += 2;
    if (top) r.Top += 2;
    if (right) r.Right -= 2;
    if (bottom) r.Bottom -= 2;
    return r;
}

TRect DrawDottedFrame(TCanvas& canvas, TRect r) {
    for (int y = r.Top + 1; y < r.Bottom; y += 2) {
        canvas.SetPixels(r.Left, y, clBlack);
        canvas.SetPixels(r.Right - 1, y, clBlack);
    }
    for (int x = r.Left + 1; x < r.Right; x += 2) {
        canvas.SetPixels(x, r.Top, clBlack);
        canvas.SetPixels(x, r.Bottom - 1, clBlack);
    }
    return InflateRect(r, -1, -1);
}

namespace {

// The rounded frame of panels and labels: fill rings behind its cut corners, then the frame.
TRect RoundedBorder(TCanvas& canvas, TRect r, TColor frameColor, TColor outerRing, TColor innerRing,
                    const TSides& sides) {
    const TRect inner = StrokeSides(canvas, r, outerRing, outerRing, sides);
    if (innerRing != clNone) StrokeSides(canvas, inner, innerRing, innerRing, sides);
    return StrokeRoundedFrame(canvas, r, frameColor, sides);
}

TRect FrameStep(TCanvas& canvas, TRect r, TFrameStyleEx style, TColor m, const TBorderSettings& s) {
    switch (style) {
        case fsFlat: return StrokeSides(canvas, r, m, m, s.borderSides);
        case fsFlatBold: return StrokeSidesRepeated(canvas, r, m, m, 2, s.borderSides);
        case fsPopup:
            return StrokeSidesRepeated(canvas, r, s.borderHighlight, s.borderShadow, s.bevelWidth,
                                       s.borderSides);
        case fsStatus:
            return StrokeSidesRepeated(canvas, r, s.borderShadow, s.borderHighlight, s.bevelWidth,
                                       s.borderSides);
        default: return DrawFrameStyleSides(canvas, r, style, s.borderSides);
    }
}

}  // namespace

TRect DrawControlBorders(TCanvas& canvas, TRect bounds, const TBorderSettings& s) {
    const TColor m = AdjustedColor(s.flatColor, s.flatColorAdjustment);
    TRect r = bounds;
    if (s.borderOuter == fsFlatRounded) {
        const bool ringInside = s.borderWidth > 0 || s.borderInner != fsNone;
        if (!s.transparent) {
            r = RoundedBorder(canvas, r, m, s.parentColor, ringInside ? s.borderColor : s.color,
                              s.borderSides);
        } else {
            if (ringInside) {
                StrokeSides(canvas, InflateRect(r, -1, -1), s.borderColor, s.borderColor,
                            s.borderSides);
            }
            r = StrokeRoundedFrame(canvas, r, m, s.borderSides);
        }
    } else {
        r = FrameStep(canvas, r, s.borderOuter, m, s);
    }
    if (s.borderWidth > 0) {
        r = StrokeSidesRepeated(canvas, r, s.borderColor, s.borderColor, s.borderWidth,
                                s.borderSides);
    }
    switch (s.borderInner) {
        case fsFlat:
            if (s.roundInnerFlat) {
                canvas.Pen()->SetColor(m);
                Line(canvas, r.Left, r.Top + 1, r.Left, r.Bottom - 1);
                Line(canvas, r.Left + 1, r.Top, r.Right - 1, r.Top);
                Line(canvas, r.Right - 1, r.Top + 1, r.Right - 1, r.Bottom - 1);
                Line(canvas, r.Left + 1, r.Bottom - 1, r.Right - 1, r.Bottom - 1);
                r = InflateRect(r, -1, -1);
            } else {
                r = StrokeSides(canvas, r, m, m, s.borderSides);
            }
            break;
        case fsFlatRounded:
            if (!s.transparent) {
                r = RoundedBorder(canvas, r, m, s.borderColor, s.color, s.borderSides);
            } else {
                r = RoundedBorder(canvas, r, m, s.borderColor, clNone, s.borderSides);
            }
            break;
        default: r = FrameStep(canvas, r, s.borderInner, m, s); break;
    }
    return r;
}

// ---- parent background

namespace {

int& ParentPaintDepth() {
    static int depth = 0;
    return depth;
}

bool InPaintCopy(const TControl& control) {
    for (const TControl* c = &control; c != nullptr; c = c->Parent()) {
        if (c->ControlState().Contains(csPaintCopy)) return true;
    }
    return false;
}

}  // namespace

void PaintParentBackground(TControl& control, TCanvas& canvas, bool invalidateParent) {
    TWinControl* parent = control.Parent();
    if (parent == nullptr) return;
    int& depth = ParentPaintDepth();
    const bool outermost = depth == 0;
    ++depth;
    try {
        PaintParentBackground(control, canvas);
    } catch (...) {
        --depth;
        if (!control.ComponentState().Contains(csDesigning)) throw;
        return;
    }
    --depth;
    // A parent that does not paint itself through Paint is told to paint again, so that what it
    // shows stays in step with what its transparent children copied. Only from the outermost
    // erase and never while painting a copy: the parent's own painting must not start another
    // round of it.
    if (!invalidateParent || !outermost || InPaintCopy(control)) return;
    if (control.ComponentState().Contains(csDesigning)) return;
    if (dynamic_cast<TCustomControl*>(parent) != nullptr) return;
    if (dynamic_cast<TCustomForm*>(parent) != nullptr) return;
    parent->Invalidate();
}

// ---- drop-down arrow

void DrawDropDownArrow(TCanvas& canvas, TRect r, TDropDownArrowStyle style, bool enabled) {
    if (IsWindowsAtLeast(7)) style = TDropDownArrowStyle::Vista;
    TBrush& brush = *canvas.Brush();
    const TColor savedColor = brush.Color();
    const TBrushStyle savedStyle = brush.Style();
    if (enabled) {
        brush.SetColor(ColorsAreClose(savedColor, clBlack) ? cl3DDkShadow : clBlack);
    } else {
        brush.SetColor(clBtnShadow);
    }
    brush.SetStyle(bsSolid);
    const TPenStyle savedPen = canvas.Pen()->Style();
    canvas.Pen()->SetStyle(psClear);
    const int cx = r.Left + (r.Right - r.Left) / 2;
    int cy = r.Top + (r.Bottom - r.Top) / 2;
    if ((r.Bottom - r.Top) % 2 == 0) --cy;
    switch (style) {
        case TDropDownArrowStyle::Classic:
        case TDropDownArrowStyle::Vista:
            // The triangle (cx, cy + 2), (cx - 3, cy - 2), (cx + 4, cy - 2) as the classic
            // platform fills it without a pen: rows of 7, 5, 3 and 1 pixels centred on cx.
            for (int i = 0; i < 4; ++i) {
                canvas.FillRect(Rect(cx - 3 + i, cy - 2 + i, cx + 4 - i, cy - 1 + i));
            }
            break;
        case TDropDownArrowStyle::Themed:
            canvas.Polygon({{cx, cy + 4},
                            {cx - 4, cy - 1},
                            {cx - 3, cy - 3},
                            {cx, cy + 1},
                            {cx + 3, cy - 3},
                            {cx + 5, cy - 1}});
            break;
    }
    canvas.Pen()->SetStyle(savedPen == psClear ? psSolid : savedPen);
    brush.SetStyle(savedStyle);
    brush.SetColor(savedColor);
}

// ---- text, fonts, controls

int DrawTextIn(TCanvas& canvas, const std::string& text, TRect& r, unsigned format) {
    return canvas.DrawText(text, r, format);
}

void DrawTextCentered(TCanvas& canvas, const std::string& text, TRect r) {
    canvas.DrawText(text, r, DT_SINGLELINE | DT_VCENTER | DT_CENTER);
}

std::string StripAccelChars(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '&' || i + 1 == text.size()) {
            out += text[i];
            continue;
        }
        if (text[i + 1] == '&') {
            out += '&';
            ++i;
        }
    }
    return out;
}

std::string LastCharOf(const std::string& text) {
    if (text.empty()) return {};
    std::size_t start = text.size() - 1;
    // Step back over the continuation bytes of a UTF-8 sequence.
    while (start > 0 && (static_cast<unsigned char>(text[start]) & 0xC0) == 0x80) --start;
    return text.substr(start);
}

TLogFont MakeAngledFont(const TFont& font, int angleDegrees) {
    TLogFont lf;
    lf.lfHeight = font.Height();
    lf.lfWidth = 0;
    lf.lfEscapement = angleDegrees * 10;
    lf.lfOrientation = 0;
    lf.lfWeight = font.Style().Contains(fsBold) ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = font.Style().Contains(fsItalic);
    lf.lfUnderline = font.Style().Contains(fsUnderline);
    lf.lfStrikeOut = font.Style().Contains(fsStrikeOut);
    lf.lfCharSet = font.Charset();
    switch (font.Pitch()) {
        case fpVariable: lf.lfPitchAndFamily = VARIABLE_PITCH; break;
        case fpFixed: lf.lfPitchAndFamily = FIXED_PITCH; break;
        default: lf.lfPitchAndFamily = DEFAULT_PITCH; break;
    }
    lf.lfFaceName = font.Name();
    return lf;
}

bool FontIsTrueType(const TFont& font) { return IsFontFamilyInstalled(font.Name()); }

void InvalidateTransparentChildren(TWinControl& control) {
    for (int i = 0; i < control.ControlCount(); ++i) {
        TControl* child = control.Controls(i);
        const TPropInfo* info = GetPropInfo(child, "Transparent");
        if (info == nullptr || info->Kind() != tkEnumeration) continue;
        if (info->GetOrdinal(child) != 0) child->Invalidate();
    }
}

unsigned WordWrapTextFlag(bool wordWrap) { return wordWrap ? DT_WORDBREAK : 0; }

// ---- system versions

bool IsWindowsVersion(int kind) {
    const int platform = Win32Platform();
    const int major = Win32MajorVersion();
    const int minor = Win32MinorVersion();
    const bool nt = platform == VER_PLATFORM_WIN32_NT;
    const bool w9x = platform == VER_PLATFORM_WIN32_WINDOWS;
    switch (kind) {
        case 0: return w9x && major == 4 && minor == 0;
        case 1: return nt && major <= 4;
        case 2: return w9x && major == 4 && minor == 10;
        case 3: return w9x && major == 4 && minor == 90;
        case 4: return nt && major == 5 && minor == 0;
        case 5: return nt && major == 5 && minor == 1;
        case 6: return nt && major == 5 && minor == 2;
        case 7: return nt && major == 6 && minor == 0;
        case 8: return nt && major == 6 && minor == 1;
        default: return false;
    }
}

bool IsWindowsAtLeast(int kind) {
    const int platform = Win32Platform();
    const int major = Win32MajorVersion();
    const int minor = Win32MinorVersion();
    const bool nt = platform == VER_PLATFORM_WIN32_NT;
    switch (kind) {
        case 0: return major > 3;
        case 1: return nt && major > 3;
        case 2: return major > 3 && minor > 9;
        case 3: return (major == 4 && minor >= 90) || major > 4;
        case 4: return nt && major > 4;
        case 5: return nt && ((major == 5 && minor >= 1) || major > 5);
        case 6: return nt && ((major > 4 && minor > 1) || major > 5);
        case 7: return nt && major > 5;
        case 8: return nt && major > 5 && minor > 0;
        default: return false;
    }
}

}  // namespace dsp

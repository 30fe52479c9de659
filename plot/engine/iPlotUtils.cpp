#include "plot/engine/iPlotUtils.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

#include "framework/controls/Form.h"
#include "framework/controls/KeyMap.h"
#include "framework/controls/PageControl.h"
#include "framework/core/TypeInfo.h"
#include "framework/desktop/Printers.h"
#include "framework/text/DateTime.h"
#include "framework/text/Numbers.h"
#include "framework/text/StrUtils.h"
#include "framework/text/StringList.h"

namespace dsp {

// ---- drawing

unsigned TextFlagsToFormat(TiTextFlags flags) {
    struct Bit {
        TiTextFlags flag;
        unsigned format;
    };
    static constexpr Bit kBits[] = {
        {kTextCenter, DT_CENTER},
        {kTextRight, DT_RIGHT},
        {kTextVCenter, DT_VCENTER},
        {kTextBottom, DT_BOTTOM},
        {kTextWordBreak, DT_WORDBREAK},
        {kTextSingleLine, DT_SINGLELINE},
        {kTextExpandTabs, DT_EXPANDTABS},
        {kTextNoClip, DT_NOCLIP},
        {kTextCalcRect, DT_CALCRECT},
        {kTextEndEllipsis, DT_END_ELLIPSIS},
        {kTextPathEllipsis, DT_PATH_ELLIPSIS},
        {kTextWordEllipsis, DT_WORD_ELLIPSIS},
        {kTextModifyString, DT_MODIFYSTRING},
    };
    unsigned format = 0;
    for (const Bit& b : kBits) {
        if ((flags & b.flag) != 0) format |= b.format;
    }
    if ((flags & kTextShowPrefix) == 0) format |= DT_NOPREFIX;
    return format;
}

TColor ChangeBrightness(TColor color, int amount, bool lighten) {
    const TColorRef rgb = ResolveColor(color);
    const int delta = lighten ? amount : -amount;
    auto component = [delta](int c) { return std::clamp(c + delta, 0, 255); };
    return static_cast<TColor>(
        RGB(component(GetRValue(rgb)), component(GetGValue(rgb)), component(GetBValue(rgb))));
}

int DrawTextFormatted(TCanvas* canvas, const std::string& text, TRect& rect, TiTextFlags flags,
                      bool enabled, TColor color) {
    const unsigned format = TextFlagsToFormat(flags);
    const bool engraved =
        !enabled && (flags & kTextCalcRect) == 0 && (ColorToRGB(color) & 0xFFFFFF) != 0;
    if (!engraved) return canvas->DrawText(text, rect, format);

    TFont* font = canvas->Font();
    const TColor saved = font->Color();
    TRect shifted = OffsetRect(rect, 1, 1);
    font->SetColor(ChangeBrightness(clBtnFace, 64, true));
    canvas->DrawText(text, shifted, format);
    font->SetColor(ChangeBrightness(clBtnFace, 32, false));
    const int height = canvas->DrawText(text, rect, format);
    font->SetColor(saved);
    return height;
}

void DrawRotatedText(TCanvas* canvas, const std::string& text, const TRect& r,
                     TiRotationAngle rotation, TiAlignmentHorizontal alignment, bool enabled,
                     TColor color, TRect& outRect) {
    const int cx = (r.Left + r.Right) / 2;
    const int cy = (r.Top + r.Bottom) / 2;
    const TSize extent = canvas->TextExtent(text);
    const int tw = extent.cx;
    const int th = extent.cy;

    if (rotation == ira000) {
        TiTextFlags flags = kTextNoClip | kTextVCenter;
        switch (alignment) {
            case iahCenter: flags |= kTextCenter; break;
            case iahLeft: flags |= kTextLeft; break;
            case iahRight: flags |= kTextRight; break;
        }
        if (text.find('\r') == std::string::npos) flags |= kTextSingleLine;
        TRect box = r;
        DrawTextFormatted(canvas, text, box, flags, enabled, color);
        outRect = {cx - tw / 2, cy - th / 2, cx + tw / 2, cy + th / 2};
        return;
    }

    TPoint start;
    int escapement = 0;
    switch (rotation) {
        case ira090:
            escapement = 900;
            start = {cx - th / 2, cy + tw / 2};
            outRect = {cx - th / 2, cy - tw / 2, cx + th / 2, cy + tw / 2};
            break;
        case ira180:
            escapement = 1800;
            start = {cx + tw / 2, cy + th / 2};
            outRect = {cx - tw / 2, cy - th / 2, cx + tw / 2, cy + th / 2};
            break;
        default:
            escapement = 2700;
            start = {cx + th - th / 2, cy - tw / 2};
            outRect = {cx - th / 2, cy - tw / 2, cx + th / 2, cy + tw / 2};
            break;
    }
    TFont saved;
    saved.Assign(canvas->Font());
    TLogFont turned = canvas->Font()->LogFont();
    turned.lfEscapement = escapement;
    turned.lfOrientation = escapement;
    canvas->Font()->SetLogFont(turned);
    TRect at{start.X, start.Y, start.X, start.Y};
    DrawTextFormatted(canvas, text, at, kTextLeft | kTextTop | kTextSingleLine | kTextNoClip,
                      enabled, color);
    canvas->Font()->Assign(&saved);
}

int GetTextHeight(TCanvas* canvas, const std::string& text) {
    TRect r{};
    return DrawTextFormatted(canvas, text, r, kTextNoClip | kTextCalcRect, true, clBtnFace);
}

int GetWrappedTextHeight(TCanvas* canvas, const std::string& text, int width) {
    TRect r{0, -800, width, -100};
    return DrawTextFormatted(canvas, text, r, kTextLeft | kTextTop | kTextWordBreak, true,
                             clBtnFace);
}

int GetMaxLineWidth(TCanvas* canvas, std::string_view text) {
    int widest = 0;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) end = text.size();
        widest = std::max(widest, canvas->TextWidth(std::string(text.substr(start, end - start))));
        if (end < text.size() && text[end] == '\r' && end + 1 < text.size() &&
            text[end + 1] == '\n') {
            ++end;
        }
        start = end + 1;
    }
    return widest;
}

void DrawFocusRectangle(TCanvas* canvas, const TRect& r) { canvas->DrawFocusRect(r); }

void DrawFrameEdge(TCanvas* canvas, const TRect& r, int style) {
    TRect edge = r;
    switch (style) {
        case 0: canvas->DrawEdge(edge, EDGE_SUNKEN, BF_RECT); break;
        case 1: canvas->DrawEdge(edge, EDGE_RAISED, BF_RECT); break;
        case 2:
            canvas->Pen()->SetColor(clBtnShadow);
            canvas->Pen()->SetStyle(psSolid);
            canvas->Polygon({{r.Left, r.Top},
                             {r.Right - 1, r.Top},
                             {r.Right - 1, r.Bottom - 1},
                             {r.Left, r.Bottom - 1}});
            break;
        default: break;
    }
}

namespace {

TColor BlendColor(double f, TColorRef from, TColorRef to) {
    auto mix = [f](int a, int b) { return static_cast<int>(Round(f * b + (1.0 - f) * a)); };
    return static_cast<TColor>(RGB(mix(GetRValue(from), GetRValue(to)),
                                   mix(GetGValue(from), GetGValue(to)),
                                   mix(GetBValue(from), GetBValue(to))));
}

int RoundToInt(double value) { return static_cast<int>(Round(value)); }

}  // namespace

void PaintGradient(TCanvas* canvas, const TRect& r, TiFillDirection direction, TColor startColor,
                   TColor stopColor) {
    const int w = r.Right - r.Left;
    const int h = r.Bottom - r.Top;
    const int m = std::max(r.Right, r.Bottom);
    const TColorRef start = static_cast<TColorRef>(startColor) & 0xFFFFFF;
    const TColorRef stop = static_cast<TColorRef>(stopColor) & 0xFFFFFF;
    // The second direction of each pair runs the same steps with the colours exchanged.
    const bool reversed = direction == ifdBottomTop || direction == ifdRightLeft ||
                          direction == ifdBottomRightTopLeft ||
                          direction == ifdTopRightBottomLeft || direction == ifdRectangleIn ||
                          direction == ifdCircleIn;
    const TColorRef from = reversed ? stop : start;
    const TColorRef to = reversed ? start : stop;

    int steps = 0;
    int penWidth = 1;
    switch (direction) {
        case ifdTopBottom:
        case ifdBottomTop: steps = h - 1; break;
        case ifdLeftRight:
        case ifdRightLeft: steps = w - 1; break;
        case ifdTopLeftBottomRight:
        case ifdBottomRightTopLeft:
        case ifdBottomLeftTopRight:
        case ifdTopRightBottomLeft: steps = 2 * (m - 1); break;
        case ifdRectangleOut:
        case ifdRectangleIn:
            steps = (m - 1) / 3;
            penWidth = 2;
            break;
        case ifdCircleOut:
        case ifdCircleIn:
            steps = (m - 1) / 8;
            penWidth = 16;
            break;
    }
    if (steps < 0) return;

    canvas->Brush()->SetStyle(bsClear);
    canvas->Pen()->SetStyle(psSolid);
    canvas->Pen()->SetWidth(penWidth);
    const double cx = (r.Right - 1) / 2.0;
    const double cy = (r.Bottom - 1) / 2.0;
    for (int n = 0; n <= steps; ++n) {
        const double f = steps == 0 ? 0.0 : static_cast<double>(n) / steps;
        canvas->Pen()->SetColor(BlendColor(f, from, to));
        switch (direction) {
            case ifdTopBottom:
            case ifdBottomTop:
                canvas->MoveTo(r.Left, r.Top + n);
                canvas->LineTo(r.Right, r.Top + n);
                break;
            case ifdLeftRight:
            case ifdRightLeft:
                canvas->MoveTo(r.Left + n, r.Top);
                canvas->LineTo(r.Left + n, r.Bottom);
                break;
            case ifdTopLeftBottomRight:
            case ifdBottomRightTopLeft:
                canvas->MoveTo(RoundToInt(2 * f * (r.Right - 1)) - 1, 0);
                canvas->LineTo(-1, RoundToInt(2 * f * (r.Bottom - 1)));
                break;
            case ifdBottomLeftTopRight:
            case ifdTopRightBottomLeft:
                canvas->MoveTo(0, (r.Bottom - 1) - RoundToInt(2 * f * (r.Bottom - 1)));
                canvas->LineTo(RoundToInt(2 * f * (r.Right - 1)), r.Bottom - 1);
                break;
            case ifdRectangleOut:
            case ifdRectangleIn: {
                const double hw = f * (r.Right - 1) / 2.0;
                const double hh = f * (r.Bottom - 1) / 2.0;
                canvas->Rectangle(RoundToInt(cx - hw), RoundToInt(cy - hh), RoundToInt(cx + hw),
                                  RoundToInt(cy + hh));
                break;
            }
            case ifdCircleOut:
            case ifdCircleIn: {
                const double hw = f * (r.Right - 1) / 2.0 * 1.414;
                const double hh = f * (r.Bottom - 1) / 2.0 * 1.414;
                canvas->Ellipse(RoundToInt(cx - hw), RoundToInt(cy - hh), RoundToInt(cx + hw),
                                RoundToInt(cy + hh));
                break;
            }
        }
    }
    canvas->Pen()->SetWidth(1);
    if (direction == ifdRectangleOut || direction == ifdRectangleIn) {
        canvas->SetPixels(r.Left + w / 2 - 1, r.Top + h / 2 - 1,
                          static_cast<TColor>(direction == ifdRectangleOut ? start : stop));
    }
}

// ---- published properties as text lines

namespace {

std::string EscapeLineBreaks(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        if (c == '\r') {
            out += "#13";
        } else if (c == '\n') {
            out += "#10";
        } else {
            out += c;
        }
    }
    return out;
}

std::string UnescapeLineBreaks(const std::string& text) {
    std::string out = StringReplace(text, "#13", "\r", {rfReplaceAll, rfIgnoreCase});
    return StringReplace(out, "#10", "\n", {rfReplaceAll, rfIgnoreCase});
}

bool IsExcluded(const TStrings* exclude, const std::string& name) {
    if (exclude == nullptr) return false;
    for (int i = 0; i < exclude->Count(); ++i) {
        if (SameText(exclude->Strings(i), name)) return true;
    }
    return false;
}

}  // namespace

void SavePropertiesToStrings(TObject* instance, const std::string& path, TStrings& lines,
                             bool onlyChanged, const TStrings* exclude) {
    if (instance == nullptr) return;
    const bool hasPath = !Trim(path).empty();
    for (const TPropInfo* p : instance->ClassInfo().Properties()) {
        if (!p->IsStored(instance) || !p->HasSetter()) continue;
        const std::string fullName = hasPath ? path + "." + p->Name() : p->Name();
        if (IsExcluded(exclude, fullName)) continue;
        switch (p->Kind()) {
            case tkInteger:
            case tkChar:
            case tkEnumeration:
            case tkSet:
                if (onlyChanged && p->IsDefaultValue(instance)) break;
                lines.Add(fullName + " = " + IntToStr(p->GetOrdinal(instance)));
                break;
            case tkFloat: lines.Add(fullName + " = " + FloatToStr(p->GetFloat(instance))); break;
            case tkString:
                lines.Add(fullName + " = " + EscapeLineBreaks(p->GetString(instance)));
                break;
            case tkClass:
                if (TPersistent* nested = p->GetObject(instance)) {
                    SavePropertiesToStrings(nested, fullName, lines, onlyChanged, exclude);
                }
                break;
            default: break;
        }
    }
}

void SetPropertyFromString(TObject* instance, const std::string& name, const std::string& value,
                           char decimalSeparator) {
    if (instance == nullptr) return;
    const std::size_t dot = name.find('.');
    if (dot != std::string::npos) {
        if (TPersistent* nested = GetObjectProperty(instance, name.substr(0, dot))) {
            SetPropertyFromString(nested, name.substr(dot + 1), value, decimalSeparator);
        }
        return;
    }
    const TPropInfo* p = GetPropInfo(instance, name);
    if (p == nullptr || !p->HasSetter()) return;
    switch (p->Kind()) {
        case tkInteger:
        case tkChar:
        case tkEnumeration:
        case tkSet: p->SetOrdinal(instance, StrToInt64(Trim(value))); break;
        case tkFloat: {
            std::string text = value;
            const char other = decimalSeparator == '.' ? ',' : '.';
            if (decimalSeparator == '.' || decimalSeparator == ',') {
                const std::size_t at = text.find(other);
                if (at != std::string::npos) text[at] = decimalSeparator;
            }
            p->SetFloat(instance, StrToFloat(Trim(text)));
            break;
        }
        case tkString: p->SetString(instance, UnescapeLineBreaks(value)); break;
        default: break;
    }
}

void LoadPropertiesFromStrings(TObject* instance, const std::string& path, TStrings& lines) {
    const std::string sample = FloatToStr(1.1);
    const char separator = sample.size() > 1 ? sample[1] : '.';
    while (lines.Count() > 0) {
        std::string name;
        std::string value;
        SplitAt(lines.Strings(0), '=', name, value);
        std::string head;
        StripPathPrefix(path, name, head);
        if (head != path) return;
        SetPropertyFromString(instance, name, value, separator);
        lines.Delete(0);
    }
}

bool ExtractValue(const std::string& name, std::string& value, TStrings& lines) {
    const std::string key = Trim(name);
    for (int i = 0; i < lines.Count(); ++i) {
        const std::string line = lines.Strings(i);
        const std::size_t eq = line.find('=');
        if (eq == std::string::npos) continue;
        if (!SameText(Trim(std::string_view(line).substr(0, eq)), key)) continue;
        value = Trim(std::string_view(line).substr(eq + 1));
        lines.Delete(i);
        return true;
    }
    return false;
}

void SplitAt(std::string_view text, char separator, std::string& left, std::string& right) {
    const std::size_t at = text.find(separator);
    if (at == std::string_view::npos) {
        left.clear();
        right.clear();
        return;
    }
    left = Trim(text.substr(0, at));
    right = Trim(text.substr(at + 1));
}

void StripPathPrefix(const std::string& path, std::string& name, std::string& head) {
    head.clear();
    if (path.empty()) return;
    const std::size_t dot = name.find('.');
    if (dot == std::string::npos) return;
    if (!SameText(std::string_view(name).substr(0, dot), path)) return;
    head = name.substr(0, dot);
    name = name.substr(dot + 1);
}

TPersistent* GetObjectProperty(TObject* instance, const std::string& propName) {
    const TPropInfo* p = GetPropInfo(instance, propName);
    if (p == nullptr || p->Kind() != tkClass) return nullptr;
    return p->GetObject(instance);
}

// ---- geometry

TRect NormalizedRect(int x1, int y1, int x2, int y2) {
    return {std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2)};
}

TRect MakeOrientedRect(bool swap, int x1, int y1, int x2, int y2) {
    return swap ? NormalizedRect(y1, x1, y2, x2) : NormalizedRect(x1, y1, x2, y2);
}

TPoint MakeOrientedPoint(bool swap, int x, int y) { return swap ? TPoint{y, x} : TPoint{x, y}; }

void SwapIntegers(int& a, int& b) { std::swap(a, b); }

TiDoublePoint DoublePoint(double x, double y) { return {x, y}; }

// ---- numbers and time

int PrecisionToDecimals(int precision, TiPrecisionStyle style, double a, double b) {
    switch (style) {
        case ipsFixedDecimalPoints: return precision;
        case ipsSignificantDigits: {
            if (precision <= 0) return 0;
            const double span = std::fabs(a - b);
            int d = 0;
            if (span != 0 && std::isfinite(span)) {
                d = precision - (static_cast<int>(Trunc(std::log10(span))) + 1);
            }
            if (span < 1) ++d;
            return std::max(d, 0);
        }
    }
    return 0;
}

namespace {

// Whole units of a span, or the fallback when the span is negative or beyond 32 bits.
int SpanUnits(double span, std::int64_t perDay, std::int64_t perHour, std::int64_t perMinute,
              std::int64_t perSecond, std::int64_t perMs, int fallback) {
    if (!(span >= 0) || !std::isfinite(span) || span > 1e9) return fallback;
    const std::int64_t days = static_cast<std::int64_t>(span + 1e-15);
    int hour = 0;
    int minute = 0;
    int second = 0;
    int ms = 0;
    DecodeTime(span, hour, minute, second, ms);
    const std::int64_t total =
        days * perDay + hour * perHour + minute * perMinute + second * perSecond + ms * perMs;
    if (total < 0 || total > std::numeric_limits<std::int32_t>::max()) return fallback;
    return static_cast<int>(total);
}

constexpr int kSpanOverflow = 2147483647;

}  // namespace

int DateTimeToMilliseconds(double span) {
    return SpanUnits(span, 86400000, 3600000, 60000, 1000, 1, kSpanOverflow);
}

int DateTimeToSeconds(double span) { return SpanUnits(span, 86400, 3600, 60, 1, 0, kSpanOverflow); }

int DateTimeToMinutes(double span) { return SpanUnits(span, 1440, 60, 1, 0, 0, 10000); }

int DateTimeToHours(double span) { return SpanUnits(span, 24, 1, 0, 0, 0, kSpanOverflow); }

// ---- printing

double MillimetersToInches(double x) { return x / 10 / 2.54; }

void GetPaperSizeInches(int paperCode, double& width, double& height) {
    struct Paper {
        int code;
        double width;
        double height;
        bool millimetres;
    };
    // clang-format off
    static constexpr Paper kPapers[] = {
        {3, 11, 17, false}, {17, 11, 17, false}, {4, 17, 11, false}, {5, 8.5, 14, false},
        {6, 5.5, 8.5, false}, {7, 7.25, 10.5, false}, {8, 297, 420, true}, {67, 297, 420, true},
        {9, 210, 297, true}, {10, 210, 297, true}, {55, 210, 297, true}, {11, 148, 210, true},
        {61, 148, 210, true}, {12, 250, 354, true}, {13, 182, 257, true}, {62, 182, 257, true},
        {14, 8.5, 13, false}, {41, 8.5, 13, false}, {15, 215, 275, true}, {16, 10, 14, false},
        {18, 8.5, 11, false}, {54, 8.5, 11, false}, {19, 3.875, 8.875, false},
        {20, 4.125, 9.5, false}, {21, 4.5, 10.375, false}, {22, 4.75, 11, false},
        {23, 5, 11.5, false}, {24, 17, 22, false}, {25, 22, 34, false}, {26, 34, 44, false},
        {27, 110, 220, true}, {28, 162, 229, true}, {29, 324, 458, true}, {30, 229, 324, true},
        {31, 114, 162, true}, {32, 114, 229, true}, {33, 250, 353, true}, {42, 250, 353, true},
        {34, 176, 250, true}, {35, 176, 125, true}, {36, 110, 230, true},
        {37, 3.875, 7.5, false}, {38, 3.625, 6.5, false}, {39, 14.875, 11, false},
        {40, 8.5, 12, false}, {43, 100, 148, true}, {44, 9, 11, false}, {45, 10, 11, false},
        {46, 15, 11, false}, {47, 220, 220, true}, {50, 9.5, 12, false}, {56, 9.5, 12, false},
        {51, 9.5, 15, false}, {52, 11.69, 18, false}, {53, 9.27, 12.69, false},
        {57, 227, 356, true}, {58, 305, 487, true}, {59, 8.5, 12.69, false},
        {60, 210, 330, true}, {63, 322, 445, true}, {68, 322, 445, true}, {64, 174, 235, true},
        {65, 201, 276, true}, {66, 420, 594, true},
    };
    // clang-format on
    width = 8.5;
    height = 11;
    for (const Paper& p : kPapers) {
        if (p.code != paperCode) continue;
        width = p.millimetres ? MillimetersToInches(p.width) : p.width;
        height = p.millimetres ? MillimetersToInches(p.height) : p.height;
        return;
    }
}

void GetPrinterPaperSizeInches(double& width, double& height) {
    TPrinter* printer = Printer();
    GetPaperSizeInches(printer->PaperSize(), width, height);
    if (printer->Orientation() == poLandscape) std::swap(width, height);
}

// ---- small routines

bool IsShiftDown() { return GetKeyState(VK_SHIFT) < 0; }

bool IsCtrlDown() { return GetKeyState(VK_CONTROL) < 0; }

TComponent* FindOwnerForm(TComponent* component) {
    TComponent* lastWinControl = nullptr;
    for (TComponent* owner = component != nullptr ? component->Owner() : nullptr; owner != nullptr;
         owner = owner->Owner()) {
        if (dynamic_cast<TCustomForm*>(owner) != nullptr) return owner;
        if (dynamic_cast<TWinControl*>(owner) != nullptr) lastWinControl = owner;
    }
    return lastWinControl;
}

void FocusComponent(TWinControl* control) {
    if (control != nullptr && control->CanFocus()) control->SetFocus();
}

void SetActivePageIndex(TPageControl* pageControl, int index) {
    if (pageControl != nullptr && index < pageControl->PageCount()) {
        pageControl->SetActivePageIndex(index);
    }
}

int GetActivePageIndex(const TPageControl* pageControl) {
    return pageControl != nullptr ? pageControl->ActivePageIndex() : -1;
}

}  // namespace dsp

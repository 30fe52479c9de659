// TiPlotAxis: scale geometry, tick generation, the thickness asked of the layout, and drawing.

#include <algorithm>
#include <cmath>

#include "framework/text/DateTime.h"
#include "framework/text/Numbers.h"
#include "framework/text/StrUtils.h"
#include "plot/engine/iPlotAxis.h"
#include "plot/engine/iPlotComponent.h"
#include "plot/engine/iPlotUtils.h"

namespace dsp {

namespace {

constexpr std::size_t kMaxTicks = 5000;

int RoundInt(double value) {
    if (!std::isfinite(value)) return 0;
    return static_cast<int>(Round(std::clamp(value, -2e9, 2e9)));
}

bool IsUpright(TiRotationAngle r) { return r == ira000 || r == ira180; }

int DaysInMonth(int year, int month) {
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

// The date moved by whole months, the day kept within the month, the time of day kept.
double AddMonths(double date, int months) {
    int year = 0;
    int month = 0;
    int day = 0;
    DecodeDate(date, year, month, day);
    const double time = date - std::floor(date);
    int index = year * 12 + (month - 1) + months;
    year = index / 12;
    month = index % 12 + 1;
    if (month <= 0) {
        month += 12;
        --year;
    }
    day = std::min(day, DaysInMonth(year, month));
    TDateTime result = 0;
    if (!TryEncodeDate(std::max(year, 1), month, day, result)) return date;
    return result + time;
}

double WithDate(double date, int year, int month, int day) {
    const double time = date - std::floor(date);
    TDateTime result = 0;
    if (!TryEncodeDate(std::clamp(year, 1, 9999), month, day, result)) return date;
    return result + time;
}

}  // namespace

int TiPlotAxis::TextWidth(TCanvas* canvas, const std::string& text) {
    return GetMaxLineWidth(canvas, text);
}

int TiPlotAxis::TextHeight(TCanvas* canvas, const std::string& text) {
    return GetTextHeight(canvas, text);
}

// ---- geometry

void TiPlotAxis::CalcScaleRect(TCanvas* canvas) {
    const bool cartesian = FCartesianStyle != ipcsNone;
    if (!cartesian) {
        FQuadSide =
            IsHorz() ? (ReverseSide() ? iqsTop : iqsBottom) : (ReverseSide() ? iqsRight : iqsLeft);
    } else {
        FQuadSide = IsHorz() ? iqsBottom : iqsRight;
    }
    canvas->Font()->Assign(FLabelsFont.get());
    const TRect d = DrawRect();
    if (FQuadSide == iqsTop || FQuadSide == iqsBottom) {
        FScaleRect.Top = d.Top;
        FScaleRect.Bottom = d.Bottom;
        FFocusRect.Top = d.Top + 2;
        FFocusRect.Bottom = d.Bottom - 2;
        const int z = TextWidth(canvas, "0");
        int c = IsUpright(FLabelsRotation) ? GetLabelsMaxWidth(canvas, FLabelsFont.get())
                                           : TextHeight(canvas, GetLabelText(FMin));
        if (!FLabelsVisible) c = 0;
        const int e = cartesian ? 0 : RoundInt(c / 2.0) + RoundInt(z * FStackingEndsMargin);
        FScaleRect.Left = StartStacked() ? d.Left + e : d.Left;
        FScaleRect.Right = StopStacked() ? d.Right - e : d.Right;
        FFocusRect.Left = FScaleRect.Left - e;
        FFocusRect.Right = FScaleRect.Right + e;
    } else {
        FScaleRect.Left = d.Left;
        FScaleRect.Right = d.Right;
        FFocusRect.Left = d.Left + 2;
        FFocusRect.Right = d.Right - 2;
        const int z = TextHeight(canvas, "0");
        const int c = IsUpright(FLabelsRotation) ? TextHeight(canvas, GetLabelText(FMin))
                                                 : GetLabelsMaxWidth(canvas, FLabelsFont.get());
        const int e = cartesian ? 0 : (c + RoundInt(z * FStackingEndsMargin)) / 2;
        FScaleRect.Bottom = StartStacked() ? d.Bottom - e : d.Bottom;
        FScaleRect.Top = StopStacked() ? d.Top + e : d.Top;
        FFocusRect.Bottom = FScaleRect.Bottom + e;
        FFocusRect.Top = FScaleRect.Top - e;
    }
    if (IsHorz()) {
        FActualStart = FReverseScale ? FScaleRect.Right : FScaleRect.Left;
        FActualStop = FReverseScale ? FScaleRect.Left : FScaleRect.Right;
    } else {
        FActualStart = FReverseScale ? FScaleRect.Top : FScaleRect.Bottom;
        FActualStop = FReverseScale ? FScaleRect.Bottom : FScaleRect.Top;
    }
    FPixelsPerSpanUnit = (FActualStart - FActualStop) / FSpan;
    if (!(std::fabs(FPixelsPerSpanUnit) <= 1e300)) FPixelsPerSpanUnit = 0;
}

// ---- ticks

void TiPlotAxis::AddAutoTick(TiPlotTickType tickType, double value) {
    if (!PointOnScale(value)) return;
    if (FScaleType != ipstLinear && !(value > 0)) return;
    TiPlotTickObject tick;
    tick.TickType = tickType;
    tick.Position = value;
    if (tickType == ipttMajor) tick.Text = GetLabelText(value);
    FTickList.push_back(std::move(tick));
}

void TiPlotAxis::UpdateTickPixels() {
    for (TiPlotTickObject& tick : FTickList) {
        tick.Show = PointOnScale(tick.Position);
        if (tick.Show) tick.PositionPixels = PositionToPixels(tick.Position);
    }
}

void TiPlotAxis::GenerateTicks(TCanvas* canvas) {
    FMonthModeEnabled = false;
    FYearModeEnabled = false;
    CalcScaleRect(canvas);
    try {
        GenerateTickList(canvas);
    } catch (...) {
        UpdateTickPixels();
        throw;
    }
    UpdateTickPixels();
}

void TiPlotAxis::CalcValueIncrement(int& n, int& k) {
    int d = static_cast<int>(Trunc(std::log10(FSpan) - 1 - std::log10(static_cast<double>(n))));
    k = 1;
    for (;; ++d) {
        for (const double m : {1.0, 2.0, 5.0}) {
            const double c = m * std::pow(10.0, d);
            if (n >= FSpan / c) {
                k = RoundInt(FSpan / c);
                FMajorIncrement = c;
                return;
            }
        }
    }
}

void TiPlotAxis::CalcPrice32ndsIncrement(int n, int& k) {
    for (const double c :
         {1.0 / 256, 1.0 / 128, 1.0 / 64, 1.0 / 32, 1.0 / 16, 1.0 / 8, 0.25, 0.5}) {
        if (n >= FSpan / c) {
            k = static_cast<int>(Trunc(FSpan / c));
            FMajorIncrement = c;
            return;
        }
    }
    for (int i = 0;; ++i) {
        const double h = static_cast<double>(Trunc(std::pow(10.0, i)));
        for (const double c : {h, 2 * h, 5 * h}) {
            if (n >= FSpan / c) {
                FMajorIncrement = c;
                k = static_cast<int>(Trunc(FSpan / c));
                return;
            }
        }
    }
}

void TiPlotAxis::CalcDateTimeIncrement(int n, int& k) {
    const long long a = n - 1;
    auto count = [](long long units, long long step) {
        return static_cast<int>(std::max<long long>(units / step, 1));
    };
    struct Stage {
        long long units;
        std::vector<long long> steps;
        double dayFactor;
    };
    const Stage stages[] = {
        {DateTimeToMilliseconds(FSpan), {1, 2, 5, 10, 20, 50, 100, 200, 500}, 1.0 / 86400000},
        {DateTimeToSeconds(FSpan), {1, 2, 5, 10, 15, 20, 30}, 1.0 / 86400},
        {DateTimeToMinutes(FSpan), {1, 2, 5, 10, 15, 20, 30}, 1.0 / 1440},
        {DateTimeToHours(FSpan), {1, 2, 4, 6, 12}, 1.0 / 24},
        {Trunc(FSpan), {1, 7, 14}, 1.0},
    };
    for (const Stage& stage : stages) {
        for (const long long s : stage.steps) {
            if (a >= stage.units / s) {
                k = count(stage.units, s);
                FMajorIncrement = s * stage.dayFactor;
                return;
            }
        }
    }
    const long long days = Trunc(FSpan);
    for (const auto& [s, months] : {std::pair{31, 1}, {61, 2}, {92, 3}, {183, 6}}) {
        if (a >= days / s) {
            k = count(days, s);
            FMajorIncrement = months;
            FMonthModeEnabled = true;
            return;
        }
    }
    FYearModeEnabled = true;
    for (int i = 0; i < 18; ++i) {
        const long long o = Trunc(std::pow(10.0, i));
        for (const auto& [s, years] :
             {std::pair{365 * o, o}, {730 * o, 2 * o}, {1825 * o, 5 * o}}) {
            if (a >= days / s) {
                k = count(days, s);
                FMajorIncrement = static_cast<double>(years);
                return;
            }
        }
    }
    k = 1;
    FMajorIncrement = 1;
}

void TiPlotAxis::GenerateLog10Ticks(int n) {
    const double m = FMin > 0 ? FMin : 1;
    const double d = std::log10(Max()) - std::log10(FMin);
    double s = 1;
    double e = 0;
    if (n >= d) {
        e = Int(std::log10(FMin)) - 1;
    } else {
        s = 200;
        for (const double step : {2.0, 5.0, 10.0, 20.0, 50.0, 100.0}) {
            if (n >= d / step) {
                s = step;
                break;
            }
        }
        e = Int(std::log10(m));
    }
    while (std::pow(10.0, e) <= m + FSpan && FTickList.size() <= kMaxTicks) {
        const double decade = std::pow(10.0, e);
        if (PointOnScale(decade)) AddAutoTick(ipttMajor, decade);
        if (s == 1) {
            for (int i = 2; i <= 9; ++i) {
                if (PointOnScale(i * decade)) AddAutoTick(ipttMinor, i * decade);
            }
        }
        e += s;
    }
}

void TiPlotAxis::GenerateTickList(TCanvas* canvas) {
    if (FTickListCustom) return;
    FTickList.clear();
    canvas->Font()->Assign(FLabelsFont.get());

    const bool horizontal = FQuadSide == iqsTop || FQuadSide == iqsBottom;
    const bool alongText = horizontal == IsUpright(FLabelsRotation);
    int spacing = alongText ? RoundInt(TextWidth(canvas, "0") * (FLabelSeparation + 1) +
                                       GetLabelsMaxWidth(canvas, FLabelsFont.get()))
                            : RoundInt(TextHeight(canvas, "0") * (FLabelSeparation + 1));
    spacing = std::max(spacing, 1);
    const int length = GetScaleLength();
    int n = std::max(static_cast<int>(Trunc(static_cast<double>(length) / spacing)), 1);

    if (FScaleType == ipstLog10 && std::log10(Max()) - std::log10(FMin) > 1) {
        GenerateLog10Ticks(n);
        return;
    }

    FMajorIncrement = 0;
    int k = 0;
    const int minorParts = std::max(FMinorCount, 0) + 1;
    if (FSpan <= 1e-299) {
        k = 1;
        FMajorIncrement = FSpan;
    } else if (FDesiredIncrement != 0 && !FLabelsVisible &&
               FSpan / FDesiredIncrement < static_cast<double>(length) / minorParts) {
        k = RoundInt(FSpan / FDesiredIncrement);
        FMajorIncrement = FDesiredIncrement;
        n = k;
    }
    if (k == 0 && FDesiredIncrement != 0 && n > FSpan / FDesiredIncrement) {
        k = RoundInt(FSpan / FDesiredIncrement);
        FMajorIncrement = FDesiredIncrement;
        n = k;
    }
    n = std::max(n, 1);
    if (k == 0) {
        switch (FLabelsFormatStyle) {
            case iptfDateTime: CalcDateTimeIncrement(n, k); break;
            case iptfPrice32nds: CalcPrice32ndsIncrement(n, k); break;
            default: CalcValueIncrement(n, k); break;
        }
    }
    if (k < 2 && n > 1) {
        FMajorIncrement /= 2;
        k = 2;
    }
    if (n < k) {
        k = n;
        FMajorIncrement = FSpan / n;
    }

    const double aligned = Int(FMin / FMajorIncrement) * FMajorIncrement;
    FMinorIncrement = FMajorIncrement / minorParts;
    const double max = Max();
    double p = 0;
    if (FDesiredStart != 0 && FMin <= FDesiredStart && FDesiredStart <= max) {
        p = FDesiredStart;
        while (p > FMin) p -= FMajorIncrement;
    } else if (FMonthModeEnabled) {
        FMin = std::clamp(FMin, 0.0, 2593224.0);
        FSpan = std::min(FSpan, 36525.0);
        FMajorIncrement = std::max(FMajorIncrement, 1.0);
        const int step = RoundInt(FMajorIncrement);
        int year = 0;
        int month = 0;
        int day = 0;
        DecodeDate(FMin, year, month, day);
        month = std::max(1, (month / step) * step);
        p = AddMonths(WithDate(FMin, year, month, 1), -step);
    } else if (FYearModeEnabled) {
        FMin = std::clamp(FMin, -182625.0, 2593224.0);
        FSpan = std::min(FSpan, 36525.0);
        FMajorIncrement = std::max(FMajorIncrement, 1.0);
        const int step = RoundInt(FMajorIncrement);
        int year = 0;
        int month = 0;
        int day = 0;
        DecodeDate(FMin, year, month, day);
        if (step != 0) year = (year / step) * step;
        p = WithDate(FMin, year - step, 1, 1);
    } else {
        p = aligned - FMajorIncrement;
    }

    const bool minors =
        FMinorCount >= 1 && !FMonthModeEnabled && !FYearModeEnabled && FMinorIncrement != 0;
    const double end = Max() + FMajorIncrement;
    while (p <= end) {
        AddAutoTick(ipttMajor, p);
        if (minors) {
            for (int i = 0; i < FMinorCount; ++i) {
                p += FMinorIncrement;
                AddAutoTick(ipttMinor, p);
            }
            p += FMinorIncrement;
        } else if (FMonthModeEnabled) {
            p = AddMonths(p, RoundInt(FMajorIncrement));
        } else if (FYearModeEnabled) {
            p = AddMonths(p, 12 * RoundInt(FMajorIncrement));
        } else {
            if (p + FMajorIncrement == p) break;
            p += FMajorIncrement;
        }
        if (FTickList.size() > kMaxTicks || p + FMinorIncrement == p) {
            // A tiny increment against a huge span: one tick in the middle instead.
            FTickList.clear();
            AddAutoTick(ipttMajor, FMin + FSpan / 2);
            return;
        }
    }
}

// ---- layout

int TiPlotAxis::GetLabelsMaxWidth(TCanvas* canvas, TFont* font) {
    canvas->Font()->Assign(font);
    int r = RoundInt(canvas->TextWidth("0") * FLabelsMinLength);
    const double sample = (Int(FMin / FSpan) + 1) * FSpan;
    r = std::max(r, TextWidth(canvas, GetLabelTextAdjusting(sample)));
    for (const TiPlotTickObject& tick : FTickList) r = std::max(r, TextWidth(canvas, tick.Text));
    return r;
}

int TiPlotAxis::GetRequiredWidth(TCanvas* canvas) {
    int title = 0;
    if (FTitleShow && FCartesianStyle == ipcsNone) {
        canvas->Font()->Assign(FTitleFont.get());
        const int h = TextHeight(canvas, FTitle);
        title = FTitleRotated ? RoundInt(h * FTitleMargin + TextWidth(canvas, FTitle))
                              : RoundInt(h * FTitleMargin + h);
    }
    const int ticks = FScaleLinesShow ? std::max(std::max(FMajorLength, 0), FMinorLength) : 0;
    int labelsMargin = 0;
    int labels = 0;
    if (FLabelsVisible) {
        canvas->Font()->Assign(FLabelsFont.get());
        labelsMargin = RoundInt(TextHeight(canvas, "A") * FLabelsMargin);
        const bool acrossIsHeight = IsHorz() == IsUpright(FLabelsRotation);
        labels = acrossIsHeight ? TextHeight(canvas, GetLabelText(FMin))
                                : GetLabelsMaxWidth(canvas, FLabelsFont.get());
    }
    FTitleOffset = ticks + FInnerMargin + labelsMargin + labels;
    FRequiredWidth = FInnerMargin + FOuterMargin + ticks + labelsMargin + labels + title;
    return FRequiredWidth;
}

int TiPlotAxis::GetRequiredEndMargin(TCanvas* canvas) {
    if (!FLabelsVisible) return 0;
    canvas->Font()->Assign(FLabelsFont.get());
    const bool alongIsHeight = IsHorz() != IsUpright(FLabelsRotation);
    return alongIsHeight ? TextHeight(canvas, "XYZ") / 2
                         : GetLabelsMaxWidth(canvas, FLabelsFont.get()) / 2;
}

// ---- drawing

void TiPlotAxis::PrepareDraw(TCanvas* canvas) {
    TiPlotLayoutObject::PrepareDraw(canvas);
    if (FCartesianStyle == ipcsNone || Plot() == nullptr) return;
    const TRect& s = FScaleRect;
    TRect r{};
    switch (FQuadSide) {
        case iqsLeft: r = {s.Right, s.Top, s.Right + 1, s.Bottom + 1}; break;
        case iqsTop: r = {s.Left, s.Bottom, s.Right, s.Bottom + 1}; break;
        case iqsRight: r = {s.Left, s.Top, s.Left + 1, s.Bottom + 1}; break;
        case iqsBottom: r = {s.Left, s.Top, s.Right + 1, s.Top + 1}; break;
    }
    Plot()->AddAxesCollisionRect(r);
}

void TiPlotAxis::Draw(TCanvas* canvas, TColor) {
    if (!Visible()) return;
    for (TiPlotTickObject& tick : FTickList) {
        if (PointOnScale(tick.Position)) {
            tick.Show = true;
            tick.PositionPixels = PositionToPixels(tick.Position);
            if (tick.TickType == ipttMajor && FLabelsVisible) DrawLabel(canvas, tick);
        } else {
            tick.Show = false;
        }
    }
    if (FScaleLinesShow) DrawScale(canvas);
    if (FCartesianStyle != ipcsNone) {
        const TRect d = DrawRect();
        if (IsHorz()) {
            FFocusRect.Top = d.Top - (FMajorLength + 1) / 2 - 5;
            FFocusRect.Bottom = FFocusRect.Top + FRequiredWidth;
        } else {
            FFocusRect.Left = d.Left - (FMajorLength + 1) / 2 - 5;
            FFocusRect.Right = FFocusRect.Left + FRequiredWidth;
        }
    } else {
        DrawTitle(canvas);
    }
    if (UserSelected()) {
        canvas->Font()->SetColor(clWhite);
        DrawFocusRectangle(
            canvas, {FFocusRect.Left, FFocusRect.Top, FFocusRect.Right + 1, FFocusRect.Bottom + 1});
    }
}

void TiPlotAxis::DrawScale(TCanvas* canvas) {
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Pen()->SetStyle(psSolid);
    canvas->Pen()->SetWidth(1);
    DrawScaleLine(canvas);
    for (const TiPlotTickObject& tick : FTickList) {
        if (!tick.Show) continue;
        if (tick.TickType == ipttMajor) {
            DrawMajorTick(canvas, tick.PositionPixels);
        } else {
            DrawMinorTick(canvas, tick.PositionPixels);
        }
    }
}

void TiPlotAxis::DrawScaleLine(TCanvas* canvas) {
    if (!FScaleLineShow) return;
    canvas->Pen()->SetColor(FScaleLinesColor);
    canvas->Pen()->SetWidth(1);
    const int i = FCartesianStyle != ipcsNone ? 0 : FInnerMargin;
    const TRect& s = FScaleRect;
    switch (FQuadSide) {
        case iqsLeft: canvas->Polyline({{s.Right - i, s.Top}, {s.Right - i, s.Bottom + 1}}); break;
        case iqsTop: canvas->Polyline({{s.Left, s.Bottom - i}, {s.Right, s.Bottom - i}}); break;
        case iqsRight: canvas->Polyline({{s.Left + i, s.Top}, {s.Left + i, s.Bottom + 1}}); break;
        case iqsBottom: canvas->Polyline({{s.Left, s.Top + i}, {s.Right + 1, s.Top + i}}); break;
    }
}

void TiPlotAxis::DrawTickLine(TCanvas* canvas, int pixel, int b, int c) {
    canvas->Pen()->SetColor(FScaleLinesColor);
    const TRect d = DrawRect();
    TPoint from;
    TPoint to;
    switch (FQuadSide) {
        case iqsLeft:
            from = {d.Right - c, pixel};
            to = {d.Right - b, pixel};
            break;
        case iqsTop:
            from = {pixel, d.Bottom - c};
            to = {pixel, d.Bottom - b};
            break;
        case iqsRight:
            from = {d.Left + c, pixel};
            to = {d.Left + b, pixel};
            break;
        case iqsBottom:
            from = {pixel, d.Top + c};
            to = {pixel, d.Top + b};
            break;
    }
    if (FCartesianStyle != ipcsNone && Plot() != nullptr) {
        TRect r = NormalizedRect(from.X, from.Y, to.X, to.Y);
        if (r.Left == r.Right) ++r.Right;
        if (r.Top == r.Bottom) ++r.Bottom;
        Plot()->AddAxesCollisionRect(r);
    }
    canvas->Polyline({from, to});
}

void TiPlotAxis::DrawMajorTick(TCanvas* canvas, int pixel) {
    if (FCartesianStyle != ipcsNone) {
        const int h = (FMajorLength + 1) / 2;
        DrawTickLine(canvas, pixel, -h - 1, h);
    } else {
        DrawTickLine(canvas, pixel, FInnerMargin + FMajorLength, FInnerMargin);
    }
}

void TiPlotAxis::DrawMinorTick(TCanvas* canvas, int pixel) {
    if (FCartesianStyle != ipcsNone) {
        const int h = (FMinorLength + 1) / 2;
        DrawTickLine(canvas, pixel, -h - 1, h);
    } else {
        DrawTickLine(canvas, pixel, FInnerMargin, FInnerMargin + FMinorLength);
    }
}

void TiPlotAxis::DrawLabel(TCanvas* canvas, const TiPlotTickObject& tick) {
    canvas->Brush()->SetStyle(bsClear);
    canvas->Font()->Assign(FLabelsFont.get());
    const int labelsMargin = RoundInt(TextHeight(canvas, "A") * FLabelsMargin);
    const int th = TextHeight(canvas, tick.Text);
    const int tw = TextWidth(canvas, tick.Text);
    int d = 0;
    if (FCartesianStyle != ipcsNone) {
        d = labelsMargin + (FMajorLength + 1) / 2;
    } else if (FScaleLinesShow) {
        d = FInnerMargin + FMajorLength + labelsMargin;
    } else {
        d = FInnerMargin + labelsMargin;
    }
    const int p = tick.PositionPixels;
    const TRect dr = DrawRect();
    const bool upright = IsUpright(FLabelsRotation);
    // Across the axis the label is "a" deep, along it "b" long.
    const int a = upright ? tw : th;
    const int b = upright ? th : tw;
    TRect r{};
    switch (FQuadSide) {
        case iqsLeft: r = {dr.Right - d - a, p - b / 2, dr.Right - d, p + b / 2}; break;
        case iqsRight: r = {dr.Left + d, p - b / 2, dr.Left + d + a, p + b / 2}; break;
        case iqsTop: r = {p - a / 2, dr.Bottom - d - b, p + a / 2, dr.Bottom - d}; break;
        case iqsBottom: r = {p - a / 2, dr.Top + d, p + a / 2, dr.Top + d + b}; break;
    }
    if (FCartesianStyle != ipcsNone && Plot() != nullptr && !Plot()->TryAddAxesCollisionRect(r)) {
        return;
    }
    TRect out{};
    DrawRotatedText(canvas, tick.Text, r, FLabelsRotation, iahCenter, true, clBtnFace, out);
}

void TiPlotAxis::DrawTitle(TCanvas* canvas) {
    if (!FTitleShow || Trim(FTitle).empty()) return;
    canvas->Font()->Assign(FTitleFont.get());
    canvas->Brush()->SetStyle(bsClear);
    const int w = TextWidth(canvas, FTitle);
    const int h = TextHeight(canvas, FTitle);
    const int a = FTitleRotated ? w : h;
    const int b = FTitleRotated ? h : w;
    const TRect& s = FScaleRect;
    TRect r{};
    TiRotationAngle rotation = ira000;
    switch (FQuadSide) {
        case iqsTop: {
            const int y = s.Top + FOuterMargin;
            r = {s.Left, y, s.Right, y + a};
            rotation = FTitleRotated ? ira090 : ira000;
            break;
        }
        case iqsBottom: {
            const int y = s.Bottom - FOuterMargin;
            r = {s.Left, y - a, s.Right, y};
            rotation = FTitleRotated ? ira090 : ira000;
            break;
        }
        case iqsLeft: {
            const int cy = (s.Bottom + s.Top) / 2;
            const int x = s.Left + FOuterMargin;
            r = {x, cy - b / 2, x + a, cy + b / 2};
            rotation = FTitleRotated ? ira000 : ira090;
            break;
        }
        case iqsRight: {
            const int cy = (s.Bottom + s.Top) / 2;
            const int x = s.Right - FOuterMargin;
            r = {x - a, cy - b / 2, x, cy + b / 2};
            rotation = FTitleRotated ? ira000 : ira090;
            break;
        }
    }
    TRect out{};
    DrawRotatedText(canvas, FTitle, r, rotation, iahCenter, true, clBtnFace, out);
}

void TiPlotAxis::DrawGridLines(TCanvas* canvas, const TRect& rect, int minorWidth, int majorWidth,
                               TColor minorColor, TColor majorColor, TiPlotGridLineStyle minorStyle,
                               TiPlotGridLineStyle majorStyle, bool showMinors, bool showMajors) {
    if (!FGridLinesVisible) return;
    auto penStyle = [](TiPlotGridLineStyle style) {
        switch (style) {
            case ipglsDash: return psDash;
            case ipglsDot: return psDot;
            default: return psSolid;
        }
    };
    for (const TiPlotTickObject& tick : FTickList) {
        if (!tick.Show) continue;
        const bool major = tick.TickType == ipttMajor;
        if (major ? !showMajors : !showMinors) continue;
        canvas->Pen()->SetStyle(penStyle(major ? majorStyle : minorStyle));
        canvas->Pen()->SetWidth(major ? majorWidth : minorWidth);
        canvas->Pen()->SetColor(major ? majorColor : minorColor);
        const int p = tick.PositionPixels;
        if (IsHorz()) {
            canvas->Polyline({{p, rect.Top}, {p, rect.Bottom}});
        } else {
            canvas->Polyline({{rect.Left, p}, {rect.Right, p}});
        }
    }
}

}  // namespace dsp

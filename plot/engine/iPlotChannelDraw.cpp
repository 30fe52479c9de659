// TiPlotChannel drawing: the draw range and pixel cache, then the fill, the bars, the trace in
// its style, the markers and the high/low bars.

#include <algorithm>
#include <cmath>
#include <vector>

#include "framework/core/Exceptions.h"
#include "plot/engine/iClasses.h"
#include "plot/engine/iMath.h"
#include "plot/engine/iPlot.h"
#include "plot/engine/iPlotAxis.h"
#include "plot/engine/iPlotComponent.h"
#include "plot/engine/iPlotDataView.h"

namespace dsp {

void TiPlotChannel::PrepareDraw(TCanvas*) {
    FCanDraw = false;
    TiPlotXAxis* xAxis = GetXAxis();
    TiPlotYAxis* yAxis = GetYAxis();
    if (xAxis == nullptr || yAxis == nullptr || !Visible() || Count() == 0) return;
    UpdateXIncreasing();
    if (!FDrawOutOfOrderXValues) {
        const double first = XFirst();
        const double last = XLast();
        if (FXIncreasing ? (last < xAxis->Min() || first > xAxis->Max())
                         : (first < xAxis->Min() || last > xAxis->Max())) {
            return;
        }
    }
    CalcStartIndex();
    CalcStopIndex();
    const bool steps = FInterpolationStyle == ipistDifferential ||
                       FInterpolationStyle == ipistDifferentialTerminated;
    if (!steps && (FStartIndex == -1 || FStopIndex == -1)) return;
    if (FDigitalReferenceStyle == ipdrPercent) {
        FPixelsHigh =
            yAxis->PositionToPixels(yAxis->Span() * FDigitalReferenceHigh / 100 + yAxis->Min());
        FPixelsLow =
            yAxis->PositionToPixels(yAxis->Span() * FDigitalReferenceLow / 100 + yAxis->Min());
    } else {
        FPixelsHigh = yAxis->PositionToPixels(FDigitalReferenceHigh);
        FPixelsLow = yAxis->PositionToPixels(FDigitalReferenceLow);
    }
    FPixelListStart = std::min(xAxis->GetMinPixels(), xAxis->GetMaxPixels());
    FPixelListStop = std::max(xAxis->GetMinPixels(), xAxis->GetMaxPixels());
    const std::size_t needed = static_cast<std::size_t>(FPixelListStop - FPixelListStart + 1);
    // The cache grows with the plot and is only reset per paint.
    if (FPixelList.size() < needed) FPixelList.resize(needed);
    for (std::size_t k = 0; k < needed; ++k) {
        FPixelList[k].Null = true;
        FPixelList[k].XPixel = FPixelListStart + static_cast<int>(k);
    }
    FCanDraw = true;
}

void TiPlotChannel::PixelCacheSet(int xPixel, double y) {
    if (xPixel < FPixelListStart || xPixel > FPixelListStop) {
        throw Exception("Pixel List XPixel out of Range");
    }
    TiPlotPixelPoint& entry = FPixelList[static_cast<std::size_t>(xPixel - FPixelListStart)];
    entry.Null = false;
    entry.YValue = y;
}

void TiPlotChannel::Draw(TCanvas* canvas, TColor backGroundColor) {
    const bool reversed = XYAxesReversed();
    try {
        if (FClipToAxes) {
            const TiPlotXAxis* x = GetXAxis();
            const TiPlotYAxis* y = GetYAxis();
            const TRect clip = reversed ? NormalizedRect(y->GetMinPixels(), x->GetMinPixels(),
                                                         y->GetMaxPixels(), x->GetMaxPixels())
                                        : NormalizedRect(x->GetMinPixels(), y->GetMinPixels(),
                                                         x->GetMaxPixels(), y->GetMaxPixels());
            canvas->IntersectClipRect(clip.Left, clip.Top, clip.Right, clip.Bottom);
        }
        DrawFill(canvas, reversed, backGroundColor);
        DrawBars(canvas, reversed, backGroundColor);
        DrawTrace(canvas, reversed, backGroundColor);
        DrawMarkers(canvas, reversed, backGroundColor);
        if (FHighLowEnabled) {
            if (FHighLowStyle == iphlsCandleStick) {
                DrawCandleSticks(canvas, reversed, backGroundColor);
            } else {
                DrawOpenClose(canvas, reversed, backGroundColor);
            }
        }
    } catch (const std::exception&) {
        // A degenerate run or a conversion ends the channel's drawing; the plot paints on.
    }
}

void TiPlotChannel::DrawFill(TCanvas* canvas, bool reversed, TColor backGroundColor) {
    if (!FFillEnabled || FFillStyle == bsClear || FInterpolationStyle != ipistStraightLine ||
        FDigitalEnabled || FStartIndex < 0) {
        return;
    }
    canvas->Brush()->SetStyle(FFillStyle);
    canvas->Brush()->SetColor(FillBrushColor());
    canvas->Pen()->SetColor(FillBrushColor());
    canvas->Pen()->SetWidth(0);
    canvas->Pen()->SetStyle(psClear);
    canvas->SetBkColor(backGroundColor);
    bool haveLast = false;
    double lastX = 0;
    double lastY = 0;
    for (int i = FStartIndex; i <= FStopIndex; ++i) {
        if (GetDataEmpty(i)) continue;
        if (GetDataNull(i)) {
            haveLast = false;
            continue;
        }
        const double x = GetDataX(i);
        const double y = GetDataY(i);
        if (haveLast) {
            FillQuad(canvas, reversed, {lastX, FFillReference}, {lastX, lastY}, {x, y},
                     {x, FFillReference});
        }
        haveLast = true;
        lastX = x;
        lastY = y;
    }
}

TRect TiPlotChannel::BarRect(int index) const {
    const double x = GetDataX(index);
    const double w = FDataList->GetBarWidth(index);
    return ValueRectToPixels(x - w / 2, FDataList->GetBarReference(index), x + w / 2,
                             GetDataY(index));
}

void TiPlotChannel::DrawBars(TCanvas* canvas, bool, TColor backGroundColor) {
    if (!FBarEnabled || FStartIndex < 0) return;
    canvas->SetBkColor(backGroundColor);
    for (int i = FStartIndex; i <= FStopIndex; ++i) {
        if (!GetDataValid(i) || !FDataList->GetBarVisible(i)) continue;
        canvas->Brush()->SetColor(FBarBrushUseChannelColor ? Color()
                                                           : FDataList->GetBarBrushColor(i));
        canvas->Brush()->SetStyle(FDataList->GetBarBrushStyle(i));
        canvas->Pen()->SetColor(FBarPenUseChannelColor ? Color() : FDataList->GetBarPenColor(i));
        canvas->Pen()->SetWidth(FDataList->GetBarPenWidth(i));
        canvas->Pen()->SetStyle(FDataList->GetBarPenStyle(i));
        TRect r = BarRect(i);
        if (r.Width() == 0) ++r.Right;
        canvas->Rectangle(r);
    }
}

void TiPlotChannel::DrawTrace(TCanvas* canvas, bool reversed, TColor backGroundColor) {
    if (!FTraceVisible) return;
    ApplyTracePen(canvas, Color(), TraceLineStyle(), TraceLineWidth());
    canvas->Brush()->SetStyle(bsClear);
    canvas->SetBkColor(backGroundColor);
    if (FDigitalEnabled) {
        DrawDigitalTrace(canvas, reversed);
        return;
    }
    switch (FInterpolationStyle) {
        case ipistStraightLine:
            if (FFastDrawEnabled) {
                DrawFastTrace(canvas, reversed);
            } else {
                TiPlotChannelCustom::DrawTrace(canvas, reversed, backGroundColor);
            }
            break;
        case ipistCubicSpline:
        case ipistPolynomial:
        case ipistRational: DrawInterpolatedTrace(canvas, reversed); break;
        case ipistDifferential:
        case ipistDifferentialTerminated: DrawStepTrace(canvas, reversed); break;
    }
}

// ---- fast trace: three pixel columns P, Q, R; at most two segments per column.

namespace {

// The columns' segments, drawn together: one pen set-up for many segments.
class TSegmentBatch {
public:
    explicit TSegmentBatch(TCanvas* canvas) : canvas_(canvas) {}

    void Add(TPoint from, TPoint to) {
        points_.push_back(from);
        points_.push_back(to);
        if (points_.size() >= kMaxPoints) Flush();
    }
    void Flush() {
        if (points_.empty()) return;
        counts_.assign(points_.size() / 2, 2);
        canvas_->PolyPolyline(points_, counts_);
        points_.clear();
    }

private:
    static constexpr std::size_t kMaxPoints = 4096;
    TCanvas* canvas_;
    std::vector<TPoint> points_;
    std::vector<int> counts_;
};

// Segment(x1, y1, x2, y2) draws one value segment.
template <class Segment>
class TColumns {
public:
    explicit TColumns(Segment& segment) : segment_(segment) {}
    void Add(int pixel, double x, double y) {
        if (p_.Empty || p_.XPixels == pixel) {
            p_.AddData(pixel, x, y);
        } else if (q_.Empty || q_.XPixels == pixel) {
            q_.AddData(pixel, x, y);
        } else {
            r_.AddData(pixel, x, y);
            Flush();
            p_.AssignDown(r_);
            q_.Clear();
            r_.Clear();
        }
    }
    void Break() {
        Flush();
        p_.Clear();
        q_.Clear();
        r_.Clear();
    }
    void Flush() {
        Vertical(p_);
        Vertical(q_);
        if (!p_.Empty && !q_.Empty) segment_(p_.XValue, p_.YLast, q_.XValue, q_.YFirst);
        if (!q_.Empty && !r_.Empty) segment_(q_.XValue, q_.YLast, r_.XValue, r_.YFirst);
    }

private:
    void Vertical(const TiPlotMinMaxPoint& c) {
        if (!c.Empty && c.YMin != c.YMax) segment_(c.XValue, c.YMax, c.XValue, c.YMin);
    }
    Segment& segment_;
    TiPlotMinMaxPoint p_;
    TiPlotMinMaxPoint q_;
    TiPlotMinMaxPoint r_;
};

}  // namespace

void TiPlotChannel::DrawFastTrace(TCanvas* canvas, bool reversed) {
    if (FStartIndex < 0 || FStartIndex == FStopIndex) return;
    const TiPlotXAxis* axis = GetXAxis();
    const TiPlotAxis::TLinearPixels linear = axis->LinearPixels();
    TiPlotAxis::TPixelRun pixelRun(linear);
    TSegmentBatch batch(canvas);
    auto segment = [&](double x1, double y1, double x2, double y2) {
        TPoint from;
        TPoint to;
        if (ClipSegment(reversed, false, x1, y1, x2, y2, from, to)) batch.Add(from, to);
    };
    TColumns columns(segment);
    auto point = [&](double x, double y, bool empty, bool null) {
        if (empty) return;
        if (null) {
            columns.Break();
            return;
        }
        if (!std::isfinite(x) || !std::isfinite(y)) return;
        columns.Add(linear.Linear ? pixelRun(x) : axis->PositionToPixels(x), x, y);
    };
    const int total = FStopIndex - FStartIndex + 1;
    if (DataStyle() == ipdsStandard) {
        // The usual list: straight from its records.
        static_cast<const TiPlotDataNullList*>(FDataList.get())
            ->VisitPoints(FStartIndex, total, point);
    } else {
        // The others a block at a time: one call to the list for many points.
        constexpr int kBlock = 512;
        TiPlotDataCustomList::TPointValues block[kBlock];
        for (int first = FStartIndex; first <= FStopIndex; first += kBlock) {
            const int count = std::min(kBlock, FStopIndex - first + 1);
            FDataList->ReadPoints(first, count, block);
            for (int k = 0; k < count; ++k)
                point(block[k].X, block[k].Y, block[k].Empty, block[k].Null);
        }
    }
    columns.Flush();
    batch.Flush();
}

// ---- step trace

void TiPlotChannel::DrawStepTrace(TCanvas* canvas, bool reversed) {
    if (Count() == 0) return;
    const TColor brush = FillBrushColor();
    canvas->Brush()->SetStyle(FFillStyle);
    canvas->Brush()->SetColor(brush);
    const bool fill = FFillEnabled && FFillStyle != bsClear;
    bool havePrevious = false;
    double px = 0;
    double py = 0;
    const auto quadTo = [&](double x) {
        if (!fill) return;
        canvas->Pen()->SetColor(brush);
        FillQuad(canvas, reversed, {px, FFillReference}, {px, py}, {x, py}, {x, FFillReference});
        canvas->Pen()->SetColor(Color());
    };
    if (FStartIndex == -1 || FStopIndex == -1) {
        for (int i = Count() - 1; i >= 0; --i) {
            if (!GetDataValid(i)) continue;
            havePrevious = true;
            px = GetDataX(i);
            py = GetDataY(i);
            break;
        }
    } else {
        for (int i = FStartIndex; i <= FStopIndex; ++i) {
            if (GetDataEmpty(i)) continue;
            const double x = GetDataX(i);
            if (GetDataNull(i)) {
                if (havePrevious) {
                    quadTo(x);
                    DrawClippedSegment(canvas, reversed, false, px, py, x, py);
                }
                havePrevious = false;
                continue;
            }
            const double y = GetDataY(i);
            if (havePrevious) {
                quadTo(x);
                DrawClippedSegment(canvas, reversed, false, px, py, x, py);
                DrawClippedSegment(canvas, reversed, false, x, py, x, y);
            }
            havePrevious = true;
            px = x;
            py = y;
        }
    }
    if (FInterpolationStyle == ipistDifferential && havePrevious) {
        canvas->Pen()->SetColor(Color());
        DrawClippedSegment(canvas, reversed, false, px, py, GetXAxis()->Max(), py);
    }
}

// ---- interpolated traces

void TiPlotChannel::DrawInterpolatedTrace(TCanvas* canvas, bool reversed) {
    if (FStartIndex < 0) return;
    // Only valid points of the draw range: a Null or Empty point's stored Y is no value.
    std::vector<std::vector<double>> runsX(1);
    std::vector<std::vector<double>> runsY(1);
    int total = 0;
    for (int i = FStartIndex; i <= FStopIndex; ++i) {
        if (GetDataEmpty(i)) continue;
        if (GetDataNull(i)) {
            if (FInterpolationStyle == ipistCubicSpline && !runsX.back().empty()) {
                runsX.emplace_back();
                runsY.emplace_back();
            }
            continue;
        }
        runsX.back().push_back(GetDataX(i));
        runsY.back().push_back(GetDataY(i));
        ++total;
    }
    if (total > kMaxInterpolationPoints) {
        // Too many points for a curve through all of them: straight lines show the data.
        DrawFastTrace(canvas, reversed);
        return;
    }
    for (std::size_t r = 0; r < runsX.size(); ++r) {
        if (runsX[r].size() < 2) continue;
        DrawInterpolatedRun(canvas, reversed, runsX[r], runsY[r]);
    }
}

void TiPlotChannel::DrawInterpolatedRun(TCanvas* canvas, bool reversed,
                                        const std::vector<double>& xs,
                                        const std::vector<double>& ys) {
    const int n = static_cast<int>(xs.size());
    // One-based arrays in ascending X for the numeric routines.
    DoubleDynamicArray xa(static_cast<std::size_t>(n) + 1);
    DoubleDynamicArray ya(static_cast<std::size_t>(n) + 1);
    const bool ascending = xs.back() >= xs.front();
    for (int k = 0; k < n; ++k) {
        const int from = ascending ? k : n - 1 - k;
        xa[static_cast<std::size_t>(k) + 1] = xs[static_cast<std::size_t>(from)];
        ya[static_cast<std::size_t>(k) + 1] = ys[static_cast<std::size_t>(from)];
    }
    for (int k = 2; k <= n; ++k) {
        // Equal X values would divide by zero in the spline: this run is not drawn.
        if (!(xa[static_cast<std::size_t>(k)] > xa[static_cast<std::size_t>(k) - 1])) return;
    }
    DoubleDynamicArray y2(static_cast<std::size_t>(n) + 1);
    if (FInterpolationStyle == ipistCubicSpline) Spline(xa, ya, n, 1e30, 1e30, y2);
    const auto valueAt = [&](double x) {
        double y = 0;
        double dy = 0;
        switch (FInterpolationStyle) {
            case ipistCubicSpline: Splint(xa, ya, y2, n, x, y); break;
            case ipistPolynomial: PolInt(xa, ya, n, x, y, dy); break;
            default: RatInt(xa, ya, n, x, y, dy); break;
        }
        return y;
    };
    const TiPlotXAxis* axis = GetXAxis();
    const double lo = std::max(xa[1], std::min(axis->Min(), axis->Max()));
    const double hi = std::min(xa[static_cast<std::size_t>(n)], std::max(axis->Min(), axis->Max()));
    if (lo > hi) return;
    int from = axis->PositionToPixels(lo);
    int to = axis->PositionToPixels(hi);
    if (from > to) std::swap(from, to);
    from = std::max(from, FPixelListStart);
    to = std::min(to, FPixelListStop);
    const bool fill = FFillEnabled && FFillStyle != bsClear;
    double lastX = 0;
    double lastY = 0;
    for (int c = from; c <= to; ++c) {
        const double x = axis->PixelsToPosition(c);
        const double y = valueAt(x);
        if (fill) {
            canvas->Pen()->SetColor(FillBrushColor());
            DrawClippedSegment(canvas, reversed, false, x, FFillReference, x, y);
            canvas->Pen()->SetColor(Color());
        }
        if (c > from) DrawClippedSegment(canvas, reversed, false, lastX, lastY, x, y);
        PixelCacheSet(c, y);
        lastX = x;
        lastY = y;
    }
}

// ---- digital trace

void TiPlotChannel::DrawDigitalTrace(TCanvas* canvas, bool reversed) {
    if (FStartIndex < 0 || FStartIndex == FStopIndex) return;
    const bool percent = FDigitalReferenceStyle == ipdrPercent;
    const TColor brush = FillBrushColor();
    canvas->Brush()->SetStyle(FFillStyle);
    canvas->Brush()->SetColor(brush);
    TDigitalSequenceData run;
    const auto level = [&](bool high) {
        return high ? FDigitalReferenceHigh : FDigitalReferenceLow;
    };
    const auto drawRun = [&] {
        if (!run.StartSet || (!run.TransitionSet && !run.StopSet)) return;
        const double l = level(run.StartYValue);
        const double end = run.TransitionSet ? run.TransitionXValue : run.StopXValue;
        if (FFillEnabled) {
            canvas->Pen()->SetColor(brush);
            FillQuad(canvas, reversed, {run.StartXValue, FFillReference}, {run.StartXValue, l},
                     {end, l}, {end, FFillReference});
            canvas->Pen()->SetColor(Color());
        }
        DrawClippedSegment(canvas, reversed, percent, run.StartXValue, l, end, l);
        if (run.TransitionSet) {
            DrawClippedSegment(canvas, reversed, percent, end, l, end, level(!run.StartYValue));
        }
    };
    for (int i = FStartIndex; i <= FStopIndex; ++i) {
        if (GetDataEmpty(i)) continue;
        if (GetDataNull(i)) {
            drawRun();
            run.Clear();
            continue;
        }
        const double x = GetDataX(i);
        const bool high = GetDataY(i) != 0;
        if (!run.StartSet) {
            run.StartSet = true;
            run.StartXValue = x;
            run.StartYValue = high;
        } else if (high == run.StartYValue) {
            run.StopSet = true;
            run.StopXValue = x;
        } else {
            run.TransitionSet = true;
            run.TransitionXValue = x;
            drawRun();
            run.Clear();
            run.StartSet = true;
            run.StartXValue = x;
            run.StartYValue = high;
        }
    }
    drawRun();
}

void TiPlotChannel::DrawMarkers(TCanvas* canvas, bool reversed, TColor backGroundColor) {
    if (FStartIndex == -1 || FStopIndex == -1 || !MarkersVisible()) return;
    if (!FDigitalEnabled) {
        TiPlotChannelCustom::DrawMarkers(canvas, reversed, backGroundColor);
        return;
    }
    const TiPlotXAxis* xAxis = GetXAxis();
    const TiPlotYAxis* yAxis = GetYAxis();
    for (int i = FStartIndex; i <= FStopIndex; ++i) {
        if (!GetDataValid(i) || !GetDataMarkerVisible(i)) continue;
        if (!xAxis->PointOnScale(GetDataX(i)) || !yAxis->PointOnScale(GetDataY(i))) continue;
        const int px = xAxis->PositionToPixels(GetDataX(i));
        const int py = GetDataY(i) != 0 ? FPixelsHigh : FPixelsLow;
        DrawMarker(canvas, i, backGroundColor, reversed ? TPoint{py, px} : TPoint{px, py});
    }
}

// ---- high/low bars

static TRect Oriented(bool reversed, int left, int top, int right, int bottom) {
    return reversed ? TRect{top, left, bottom, right} : TRect{left, top, right, bottom};
}

void TiPlotChannel::DrawOpenClose(TCanvas* canvas, bool reversed, TColor backGroundColor) {
    if (FStartIndex < 0) return;
    const TiPlotXAxis* xAxis = GetXAxis();
    const TiPlotYAxis* yAxis = GetYAxis();
    canvas->Pen()->SetWidth(0);
    canvas->Pen()->SetStyle(psSolid);
    canvas->Brush()->SetStyle(bsSolid);
    canvas->SetBkColor(backGroundColor);
    const auto box = [&](TColor color, const TRect& r) {
        canvas->Pen()->SetColor(color);
        canvas->Brush()->SetColor(color);
        canvas->Rectangle(r);
    };
    for (int i = FStartIndex; i <= FStopIndex; ++i) {
        if (!GetDataValid(i)) continue;
        const int x = xAxis->PositionToPixels(GetDataX(i));
        const int w = xAxis->WidthToPixels(FHighLowBarWidth);
        const int h = w / 2;
        const int left = w == 0 ? x : x - h;
        const int right = w == 0 ? x + 1 : x + w - h;
        int top = yAxis->PositionToPixels(GetDataHigh(i));
        int bottom = yAxis->PositionToPixels(GetDataLow(i));
        if (top > bottom) std::swap(top, bottom);
        if (top == bottom) ++bottom;
        const int m = (left + right) / 2;
        const auto tick = [&](double value, double width, double height, bool pointsLeft) {
            const int o = xAxis->WidthToPixels(width);
            const int t = yAxis->WidthToPixels(height);
            const int yo = yAxis->PositionToPixels(value);
            const int tickTop = yo - t / 2;
            int tickBottom = yo + t - t / 2 - 1;
            if (tickBottom == tickTop) ++tickBottom;
            const int l = pointsLeft ? m - o + 1 : m;
            const int r = pointsLeft ? (o == 1 ? m + 1 : m) : (o == 1 ? m + 1 : m + o - 1);
            return Oriented(reversed, l, tickTop, r, tickBottom);
        };
        if (FHighLowOpenShow) {
            box(FHighLowOpenColor,
                tick(GetDataOpen(i), FHighLowOpenWidth, FHighLowOpenHeight, true));
        }
        if (FHighLowCloseShow) {
            box(FHighLowCloseColor,
                tick(GetDataClose(i), FHighLowCloseWidth, FHighLowCloseHeight, false));
        }
        box(FHighLowBarColor, Oriented(reversed, left, top, right, bottom));
    }
}

void TiPlotChannel::DrawCandleSticks(TCanvas* canvas, bool reversed, TColor backGroundColor) {
    if (FStartIndex < 0) return;
    const TiPlotXAxis* xAxis = GetXAxis();
    const TiPlotYAxis* yAxis = GetYAxis();
    canvas->Pen()->SetWidth(0);
    canvas->Pen()->SetStyle(psSolid);
    canvas->Brush()->SetStyle(bsSolid);
    canvas->SetBkColor(backGroundColor);
    for (int i = FStartIndex; i <= FStopIndex; ++i) {
        if (!GetDataValid(i)) continue;
        const int x = xAxis->PositionToPixels(GetDataX(i));
        const int h = xAxis->WidthToPixels(FHighLowBarWidth) / 2;
        const int high = yAxis->PositionToPixels(GetDataHigh(i));
        const int low = yAxis->PositionToPixels(GetDataLow(i));
        canvas->Pen()->SetColor(FHighLowShadowColor);
        canvas->Polyline(reversed ? std::vector<TPoint>{{high, x}, {low, x}}
                                  : std::vector<TPoint>{{x, high}, {x, low}});
        int top = yAxis->PositionToPixels(GetDataOpen(i));
        int bottom = yAxis->PositionToPixels(GetDataClose(i));
        if (top > bottom) std::swap(top, bottom);
        if (top == bottom) ++bottom;
        int left = x - h;
        int right = x + h + 1;
        if (left == right) ++right;
        canvas->Brush()->SetColor(GetDataOpen(i) > GetDataClose(i) ? FHighLowBearishColor
                                                                   : FHighLowBullishColor);
        canvas->Rectangle(Oriented(reversed, left, top, right, bottom));
    }
}

}  // namespace dsp

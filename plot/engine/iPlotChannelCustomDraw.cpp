// TiPlotChannelCustom: the trace, the markers, and the mouse over points.

#include <cmath>
#include <vector>

#include "framework/desktop/Cursors.h"
#include "plot/engine/iPlotAxis.h"
#include "plot/engine/iPlotChannelCustom.h"
#include "plot/engine/iPlotComponent.h"
#include "plot/engine/iPlotDataView.h"

namespace dsp {

namespace {

bool Finite(double x, double y) { return std::isfinite(x) && std::isfinite(y); }

bool Within(double v, double lo, double hi) { return v >= lo && v <= hi; }

// The marker character as UTF-8 (a lone surrogate shows as U+FFFD).
std::string CharacterText(char16_t c) {
    unsigned code = c;
    if (code >= 0xD800 && code <= 0xDFFF) code = 0xFFFD;
    std::string text;
    if (code < 0x80) {
        text += static_cast<char>(code);
    } else if (code < 0x800) {
        text += static_cast<char>(0xC0 | (code >> 6));
        text += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        text += static_cast<char>(0xE0 | (code >> 12));
        text += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        text += static_cast<char>(0x80 | (code & 0x3F));
    }
    return text;
}

// Trace segments joined into polylines: a segment that starts where the chain ends extends it
// forward, one that ends where the chain starts extends it backward (a run drawn right to left
// is stored reversed). Every segment keeps its own direction, so the pixels are those of
// drawing the segments one by one.
class TTraceChain {
public:
    explicit TTraceChain(TCanvas* canvas) : canvas_(canvas) { points_.reserve(256); }
    ~TTraceChain() { Flush(); }
    TTraceChain(const TTraceChain&) = delete;
    TTraceChain& operator=(const TTraceChain&) = delete;

    void Add(TPoint from, TPoint to) {
        if (from == to) return;  // a line to its own start draws no pixel
        if (!points_.empty()) {
            if (direction_ >= 0 && from == points_.back()) {
                direction_ = 1;
                points_.push_back(to);
                return;
            }
            if (direction_ == 0 && to == points_.front()) {
                std::swap(points_[0], points_[1]);
                direction_ = -1;
            }
            if (direction_ < 0 && to == points_.back()) {
                points_.push_back(from);
                return;
            }
            Flush();
        }
        points_.push_back(from);
        points_.push_back(to);
        direction_ = 0;
    }

    void Flush() {
        if (points_.empty()) return;
        if (direction_ < 0) std::reverse(points_.begin(), points_.end());
        canvas_->Polyline(points_);
        points_.clear();
        direction_ = 0;
    }

private:
    TCanvas* canvas_;
    std::vector<TPoint> points_;
    int direction_ = 0;  // 0 one segment, 1 forward, -1 backward
};

}  // namespace

double TiPlotChannelCustom::LineYAtX(double x, double x1, double y1, double x2, double y2) {
    if (x1 == x2) return 0;
    return y1 + (x - x1) * (y2 - y1) / (x2 - x1);
}

double TiPlotChannelCustom::LineXAtY(double y, double x1, double y1, double x2, double y2) {
    if (x1 == x2) return x1;
    if (y1 == y2) return x1;
    return x1 + (y - y1) * (x2 - x1) / (y2 - y1);
}

void TiPlotChannelCustom::ApplyTracePen(TCanvas* canvas, TColor color, TiPlotLineStyle style,
                                        int width) const {
    TPen* pen = canvas->Pen();
    pen->SetColor(color);
    pen->SetStyle(ToPenStyle(style));
    pen->SetWidth(width == 1 ? 0 : width);
}

bool TiPlotChannelCustom::ClipSegment(bool reversed, bool percent, double x1, double y1, double x2,
                                      double y2, TPoint& from, TPoint& to) const {
    const TiPlotXAxis* xAxis = GetXAxis();
    const TiPlotYAxis* yAxis = GetYAxis();
    if (xAxis == nullptr || (!percent && yAxis == nullptr)) return false;
    if (!Finite(x1, y1) || !Finite(x2, y2)) return false;
    // The left end first; on equal X the first point given.
    double lx = x1;
    double ly = y1;
    double rx = x2;
    double ry = y2;
    if (x2 < x1) {
        std::swap(lx, rx);
        std::swap(ly, ry);
    }
    const double xMin = xAxis->Min();
    const double xMax = xAxis->Max();
    if (!((lx < xMin && rx > xMax) || Within(lx, xMin, xMax) || Within(rx, xMin, xMax))) {
        return false;
    }
    const bool clipY = !percent && FClipToAxes;
    double yMin = 0;
    double yMax = 0;
    if (clipY) {
        yMin = yAxis->Min();
        yMax = yAxis->Max();
        if (!((ly < yMin && ry > yMax) || (ly > yMax && ry < yMin) || Within(ly, yMin, yMax) ||
              Within(ry, yMin, yMax))) {
            return false;
        }
    }
    if (lx < xMin) {
        ly = LineYAtX(xMin, lx, ly, rx, ry);
        lx = xMin;
    }
    if (rx > xMax) {
        ry = LineYAtX(xMax, lx, ly, rx, ry);
        rx = xMax;
    }
    if (clipY) {
        auto clip = [&](double& x, double& y) {
            if (y < yMin) {
                x = LineXAtY(yMin, lx, ly, rx, ry);
                y = yMin;
            } else if (y > yMax) {
                x = LineXAtY(yMax, lx, ly, rx, ry);
                y = yMax;
            }
        };
        double nlx = lx;
        double nly = ly;
        double nrx = rx;
        double nry = ry;
        clip(nlx, nly);
        clip(nrx, nry);
        lx = nlx;
        ly = nly;
        rx = nrx;
        ry = nry;
        if (!(xAxis->ValueOnScale(lx) && yAxis->ValueOnScale(ly) && xAxis->ValueOnScale(rx) &&
              yAxis->ValueOnScale(ry))) {
            return false;
        }
    } else if (FClipToAxes && !(xAxis->ValueOnScale(lx) && xAxis->ValueOnScale(rx))) {
        return false;
    }
    auto yPixels = [&](double y) {
        if (!percent) return yAxis->PositionToPixels(y);
        const TiPlotDataView* view =
            Plot() != nullptr && Plot()->DataViewCount() > 0 ? Plot()->GetDataView(0) : nullptr;
        if (view == nullptr) return 0;
        return reversed ? view->PositionPercentToPixelsX(y) : view->PositionPercentToPixelsY(y);
    };
    const int fx = xAxis->PositionToPixels(lx);
    const int fy = yPixels(ly);
    const int tx = xAxis->PositionToPixels(rx);
    const int ty = yPixels(ry);
    from = reversed ? TPoint{fy, fx} : TPoint{fx, fy};
    to = reversed ? TPoint{ty, tx} : TPoint{tx, ty};
    return true;
}

void TiPlotChannelCustom::DrawClippedSegment(TCanvas* canvas, bool reversed, bool percent,
                                             double x1, double y1, double x2, double y2) {
    TPoint from;
    TPoint to;
    if (!ClipSegment(reversed, percent, x1, y1, x2, y2, from, to)) return;
    canvas->Polyline({from, to});
}

void TiPlotChannelCustom::DrawTrace(TCanvas* canvas, bool reversed, TColor backGroundColor) {
    if (!FTraceVisible) return;
    ApplyTracePen(canvas, Color(), TraceLineStyle(), TraceLineWidth());
    canvas->Brush()->SetStyle(bsClear);
    if (FStopIndex <= FStartIndex) return;
    const bool thinSolid = TraceLineStyle() == iplsSolid && TraceLineWidth() <= 1;
    if (traceBatching_ && thinSolid && !FDataList->HasPointTraceStyles()) {
        DrawTraceBatched(canvas, reversed, backGroundColor);
    } else {
        DrawTraceSegments(canvas, reversed, backGroundColor);
    }
}

void TiPlotChannelCustom::DrawTraceSegments(TCanvas* canvas, bool reversed,
                                            TColor backGroundColor) {
    bool broken = true;
    double px = 0;
    double py = 0;
    for (int i = FStartIndex; i <= FStopIndex; ++i) {
        double x = 0;
        double y = 0;
        bool empty = false;
        bool null = false;
        FDataList->GetXYEmptyNull(i, x, y, empty, null);
        if (empty) continue;
        if (null || !Finite(x, y)) {
            broken = true;
            continue;
        }
        if (broken) {
            broken = false;
        } else {
            ApplyTracePen(canvas, GetDataTraceLineColor(i), GetDataTraceLineStyle(i),
                          GetDataTraceLineWidth(i));
            canvas->SetBkColor(backGroundColor);
            DrawClippedSegment(canvas, reversed, false, px, py, x, y);
        }
        px = x;
        py = y;
    }
}

void TiPlotChannelCustom::DrawTraceBatched(TCanvas* canvas, bool reversed, TColor backGroundColor) {
    canvas->SetBkColor(backGroundColor);
    const TiPlotXAxis* xAxis = GetXAxis();
    const TiPlotYAxis* yAxis = GetYAxis();
    if (xAxis == nullptr || yAxis == nullptr) return;
    const double xMin = xAxis->Min();
    const double xMax = xAxis->Max();
    // A point within the X range needs no clipping (without ClipToAxes): its pixel is worked out
    // once and serves both segments it ends.
    auto pixel = [&](double x, double y) {
        const int px = xAxis->PositionToPixels(x);
        const int py = yAxis->PositionToPixels(y);
        return reversed ? TPoint{py, px} : TPoint{px, py};
    };
    TTraceChain chain(canvas);
    bool broken = true;
    double px = 0;
    double py = 0;
    bool previousInside = false;
    TPoint previousPixel;
    for (int i = FStartIndex; i <= FStopIndex; ++i) {
        double x = 0;
        double y = 0;
        bool empty = false;
        bool null = false;
        FDataList->GetXYEmptyNull(i, x, y, empty, null);
        if (empty) continue;
        if (null || !Finite(x, y)) {
            broken = true;
            continue;
        }
        const bool inside = !FClipToAxes && x >= xMin && x <= xMax;
        const TPoint here = inside ? pixel(x, y) : TPoint{};
        if (broken) {
            broken = false;
        } else if (inside && previousInside) {
            // Left end first; on equal X the earlier point.
            if (x < px) {
                chain.Add(here, previousPixel);
            } else {
                chain.Add(previousPixel, here);
            }
        } else {
            TPoint from;
            TPoint to;
            if (ClipSegment(reversed, false, px, py, x, y, from, to)) chain.Add(from, to);
        }
        px = x;
        py = y;
        previousInside = inside;
        previousPixel = here;
    }
}

void TiPlotChannelCustom::FillQuad(TCanvas* canvas, bool reversed, const TiDoublePoint& p1,
                                   const TiDoublePoint& p2, const TiDoublePoint& p3,
                                   const TiDoublePoint& p4) {
    const TiPlotXAxis* xAxis = GetXAxis();
    const TiPlotYAxis* yAxis = GetYAxis();
    if (xAxis == nullptr || yAxis == nullptr) return;
    std::vector<TPoint> points;
    for (const TiDoublePoint* p : {&p1, &p2, &p3, &p4}) {
        if (!Finite(p->X, p->Y)) return;
        const int x = xAxis->PositionToPixels(p->X);
        const int y = yAxis->PositionToPixels(p->Y);
        points.push_back(reversed ? TPoint{y, x} : TPoint{x, y});
    }
    canvas->Polygon(points);
}

// ---- markers

bool TiPlotChannelCustom::IsMarkerDrawable(int index) const {
    if (!MarkersVisible()) return false;
    double x = 0;
    double y = 0;
    bool empty = false;
    bool null = false;
    FDataList->GetXYEmptyNull(index, x, y, empty, null);
    if (null || empty || !Finite(x, y)) return false;
    const TiPlotXAxis* xAxis = GetXAxis();
    const TiPlotYAxis* yAxis = GetYAxis();
    if (xAxis == nullptr || yAxis == nullptr) return false;
    if (FMarkersAllowIndividual && !GetDataMarkerVisible(index)) return false;
    if (FClipToAxes && !(xAxis->ValueOnScale(x) && yAxis->ValueOnScale(y))) return false;
    return true;
}

TPoint TiPlotChannelCustom::PointToPixels(int index) const {
    const TiPlotXAxis* xAxis = GetXAxis();
    const TiPlotYAxis* yAxis = GetYAxis();
    if (xAxis == nullptr || yAxis == nullptr) return {};
    const int x = xAxis->PositionToPixels(GetDataX(index));
    const int y = yAxis->PositionToPixels(GetDataY(index));
    return XYAxesReversed() ? TPoint{y, x} : TPoint{x, y};
}

TRect TiPlotChannelCustom::MarkerRect(int index) const {
    const int s = FMarkersAllowIndividual ? GetDataMarkerSize(index) : MarkersSize();
    const TPoint p = PointToPixels(index);
    return {p.X - s, p.Y - s, p.X + s, p.Y + s};
}

TRect TiPlotChannelCustom::ValueRectToPixels(double x1, double y1, double x2, double y2) const {
    const TiPlotXAxis* xAxis = GetXAxis();
    const TiPlotYAxis* yAxis = GetYAxis();
    if (xAxis == nullptr || yAxis == nullptr) return {};
    const int px1 = xAxis->PositionToPixels(x1);
    const int py1 = yAxis->PositionToPixels(y1);
    const int px2 = xAxis->PositionToPixels(x2);
    const int py2 = yAxis->PositionToPixels(y2);
    if (XYAxesReversed()) return NormalizedRect(py1, px1, py2, px2);
    return NormalizedRect(px1, py1, px2, py2);
}

void TiPlotChannelCustom::DrawMarkers(TCanvas* canvas, bool, TColor backGroundColor) {
    if (!MarkersVisible()) return;
    canvas->Font()->Assign(FMarkersFont.get());
    if (FMarkersTurnOffLimit > 0 && std::abs(FStopIndex - FStartIndex) > FMarkersTurnOffLimit) {
        return;
    }
    if (FStartIndex < 0) return;
    for (int i = FStartIndex; i <= FStopIndex; ++i) {
        if (IsMarkerDrawable(i)) DrawMarker(canvas, i, backGroundColor, PointToPixels(i));
    }
}

void TiPlotChannelCustom::DrawMarker(TCanvas* canvas, int index, TColor backGroundColor,
                                     TPoint point) {
    if (!MarkersVisible()) return;
    TiPlotMarkerStyle style = MarkersStyle();
    int r = MarkersSize();
    int penWidth = MarkersPenWidth();
    TPenStyle penStyle = MarkersPenStyle();
    TColor penColor = FMarkersPenUseChannelColor ? Color() : MarkersPenColor();
    TColor brushColor = FMarkersBrushUseChannelColor ? Color() : MarkersBrushColor();
    TBrushStyle brushStyle = MarkersBrushStyle();
    char16_t character = FDataList->StoredMarkerCharacter();
    if (index == -1) {
        r = std::min(r, 6);
    } else if (FMarkersAllowIndividual) {
        style = GetDataMarkerStyle(index);
        r = GetDataMarkerSize(index);
        penWidth = GetDataMarkerPenWidth(index);
        penStyle = GetDataMarkerPenStyle(index);
        if (!FMarkersPenUseChannelColor) penColor = GetDataMarkerPenColor(index);
        if (!FMarkersBrushUseChannelColor) brushColor = GetDataMarkerBrushColor(index);
        brushStyle = GetDataMarkerBrushStyle(index);
        character = GetDataMarkerCharacter(index);
    } else {
        character = GetDataMarkerCharacter(index);
    }
    canvas->Pen()->SetColor(penColor);
    canvas->Pen()->SetWidth(penWidth);
    canvas->Pen()->SetStyle(penStyle);
    canvas->Brush()->SetColor(brushColor);
    canvas->Brush()->SetStyle(brushStyle);

    const int x = point.X;
    const int y = point.Y;
    switch (style) {
        case ipmsCircle: canvas->Ellipse(x - r, y - r, x + r, y + r); break;
        case ipmsSquare: canvas->Rectangle(x - r, y - r, x + r, y + r); break;
        case ipmsDiamond: canvas->Polygon({{x + r, y}, {x, y + r}, {x - r, y}, {x, y - r}}); break;
        case ipmsCross:
            canvas->Polyline({{x + r, y + r}, {x - r, y - r}});
            canvas->Polyline({{x + r, y - r}, {x - r, y + r}});
            break;
        case ipmsPlus:
            canvas->Polyline({{x, y + r}, {x, y - r}});
            canvas->Polyline({{x + r, y}, {x - r, y}});
            break;
        case ipmsTriangleUp: canvas->Polygon({{x - r, y + r}, {x, y}, {x + r, y + r}}); break;
        case ipmsTriangleDown: canvas->Polygon({{x - r, y - r}, {x, y}, {x + r, y - r}}); break;
        case ipmsTriangleLeft: canvas->Polygon({{x + r, y - r}, {x, y}, {x + r, y + r}}); break;
        case ipmsTriangleRight: canvas->Polygon({{x - r, y - r}, {x, y}, {x - r, y + r}}); break;
        case ipmsVerticalLine: canvas->Polyline({{x, y - r}, {x, y + r}}); break;
        case ipmsHorizontalLine: canvas->Polyline({{x - r, y}, {x + r, y}}); break;
        case ipmsCharacter: {
            if (character == 0) break;
            canvas->Brush()->SetStyle(bsClear);
            canvas->SetBkColor(backGroundColor);
            TRect box{x, y, x, y};
            DrawTextFormatted(canvas, CharacterText(character), box,
                              kTextCenter | kTextVCenter | kTextSingleLine | kTextNoClip, true,
                              clBtnFace);
            break;
        }
    }
}

// ---- mouse

bool TiPlotChannelCustom::MouseHitTest(const TiPlotMouseData& mouseData) {
    const TPoint p{mouseData.X, mouseData.Y};
    if (FVisibleInLegend && PtInRect(FLegendRect, p)) return true;
    if (Plot() == nullptr || !Plot()->GetSelectMode()) return false;
    FSelectDataIndex = -1;
    const bool bars = HasBars();
    if ((!bars && !MarkersVisible()) || Count() == 0) return false;
    CalcStartIndex();
    CalcStopIndex();
    if (FStartIndex < 0) return false;
    for (int i = FStartIndex; i <= FStopIndex; ++i) {
        if (!GetDataValid(i)) continue;
        if (bars) {
            FSelectHitTestRect = BarRect(i);
        } else if (IsMarkerDrawable(i)) {
            FSelectHitTestRect = MarkerRect(i);
        } else {
            continue;
        }
        if (PtInRect(FSelectHitTestRect, p)) {
            FSelectDataIndex = i;
            return true;
        }
    }
    return false;
}

void TiPlotChannelCustom::DoMouseHint(const TiPlotMouseData& mouseData, TiHintData& hintData) {
    if (Plot() == nullptr) return;
    Plot()->DoDataPointMouseMove(this, FSelectDataIndex, mouseData.Shift, mouseData.X, mouseData.Y);
    if (!FShowDataPointHints || FSelectDataIndex == -1 ||
        !PtInRect(FSelectHitTestRect, {mouseData.X, mouseData.Y})) {
        return;
    }
    TiPlotXAxis* xAxis = GetXAxis();
    TiPlotYAxis* yAxis = GetYAxis();
    if (xAxis == nullptr || yAxis == nullptr || Plot()->DataViewCount() == 0) return;
    std::string text = xAxis->GetLabelText(GetDataX(FSelectDataIndex)) + ", " +
                       yAxis->GetLabelText(GetDataY(FSelectDataIndex));
    Plot()->DoDataPointCustomizeHint(this, FSelectDataIndex, text);
    hintData.Text = text;
    TCanvas* canvas = Plot()->Canvas();
    canvas->Font()->Assign(Plot()->HintsFont());
    hintData.Width = GetMaxLineWidth(canvas, text) + 4;
    const int h = GetTextHeight(canvas, text);
    hintData.Height = h + 4;
    const TRect d = Plot()->GetDataView(0)->DrawRect();
    const int x = mouseData.X;
    const int y = mouseData.Y;
    const int half = MarkersSize() / 2;
    const int m = h + half + 8;
    hintData.Top = y - m;
    hintData.Left = x - hintData.Width / 2;
    if (d.Top >= y - m) hintData.Top = y + m;
    if (d.Left >= hintData.Left) {
        hintData.Left = x + half + 8;
        hintData.Top = y - hintData.Height / 2;
    } else if (hintData.Left + hintData.Width >= d.Right) {
        hintData.Left = x - half - hintData.Width - 4;
        hintData.Top = y - hintData.Height / 2;
    }
    if (hintData.Top + hintData.Height >= d.Bottom) hintData.Top = d.Bottom - hintData.Height;
    if (d.Top >= hintData.Top) hintData.Top = d.Top;
}

void TiPlotChannelCustom::DoMouseLeft(const TiPlotMouseData& mouseData) {
    if (Plot() != nullptr) {
        Plot()->DoDataPointMouseDown(this, FSelectDataIndex, mouseData.Button, mouseData.Shift,
                                     mouseData.X, mouseData.Y);
    }
    FMouseDownDataIndex = FSelectDataIndex;
    if (FMouseDownDataIndex == -1 || !PtInRect(FSelectHitTestRect, {mouseData.X, mouseData.Y})) {
        return;
    }
    FSelectMouseDown = true;
    FSelectMouseDownIndex = FMouseDownDataIndex;
    FSelectDownRect = FSelectHitTestRect;
    FMouseDownValueX = GetDataX(FSelectMouseDownIndex);
    FMouseDownValueY = GetDataY(FSelectMouseDownIndex);
    FMouseDownPixelX = mouseData.XAxisPixels;
    FMouseDownPixelY = mouseData.YAxisPixels;
}

void TiPlotChannelCustom::DoMouseMove(const TiPlotMouseData& mouseData) {
    if (FSelectMouseDown && Plot() != nullptr) {
        Plot()->DoDataPointMouseMove(this, FMouseDownDataIndex, mouseData.Shift, mouseData.X,
                                     mouseData.Y);
    }
    if (!FSelectMouseDown || !FUserCanMoveDataPoints) return;
    // The point may have gone since the press.
    if (FSelectMouseDownIndex >= Count()) return;
    double dx = 0;
    double dy = 0;
    if (FUserCanMoveDataPointsStyle != ipcdpmsYOnly && GetXAxis() != nullptr) {
        dx = GetXAxis()->PixelsToPosition(FMouseDownPixelX) -
             GetXAxis()->PixelsToPosition(mouseData.XAxisPixels);
    }
    if (FUserCanMoveDataPointsStyle != ipcdpmsXOnly && GetYAxis() != nullptr) {
        dy = GetYAxis()->PixelsToPosition(FMouseDownPixelY) -
             GetYAxis()->PixelsToPosition(mouseData.YAxisPixels);
    }
    SetDataX(FSelectMouseDownIndex, FMouseDownValueX - dx);
    SetDataY(FSelectMouseDownIndex, FMouseDownValueY - dy);
}

void TiPlotChannelCustom::DoMouseUp(const TiPlotMouseData& mouseData) {
    if (Plot() != nullptr) {
        Plot()->DoDataPointMouseUp(this, FMouseDownDataIndex, mouseData.Button, mouseData.Shift,
                                   mouseData.X, mouseData.Y);
    }
    if (!FMouseDown && !FSelectMouseDown) return;
    const TPoint p{mouseData.X, mouseData.Y};
    if (FSelectMouseDown) {
        FSelectMouseDown = false;
        if (Plot() == nullptr || FSelectMouseDownIndex >= Count()) return;
        if (PtInRect(FSelectDownRect, p)) Plot()->DoDataPointClick(this, FSelectMouseDownIndex);
        const double x = GetDataX(FSelectMouseDownIndex);
        const double y = GetDataY(FSelectMouseDownIndex);
        if (x != FMouseDownValueX || y != FMouseDownValueY) {
            Plot()->DoDataPointMoved(this, FSelectMouseDownIndex, FMouseDownValueX,
                                     FMouseDownValueY, x, y);
        }
        return;
    }
    if (PtInRect(FLegendRect, p) && Plot() != nullptr) Plot()->DoObjectClick(this);
}

TCursor TiPlotChannelCustom::CheckMouseOver(TPoint) {
    TCursor cursor = crHandPoint;
    if (Plot() != nullptr) Plot()->DoObjectGetMouseCursor(this, cursor);
    return cursor;
}

}  // namespace dsp

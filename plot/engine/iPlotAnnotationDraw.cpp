// TiPlotAnnotation: drawing each style, and the rectangles the mouse reacts to.

#include "framework/graphics/ImageList.h"
#include "framework/graphics/Region.h"
#include "framework/text/Numbers.h"
#include "plot/engine/iMath.h"
#include "plot/engine/iPlotAnnotation.h"
#include "plot/engine/iPlotAxis.h"
#include "plot/engine/iPlotChannelCustom.h"
#include "plot/engine/iPlotComponent.h"
#include "plot/engine/iPlotDataView.h"
#include "plot/engine/iPlotUtils.h"

namespace dsp {

namespace {

int Rnd(double value) { return static_cast<int>(Round(value)); }

bool Meets(const TRect& a, const TRect& b) { return !IsRectEmpty(IntersectRect(a, b)); }

}  // namespace

void TiPlotAnnotation::DrawHandles(TCanvas* canvas) {
    if (!UserSelected() || !FShowFocusRect) return;
    if (FPenStyle == psSolid) canvas->Brush()->SetColor(FPenColor);
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Pen()->SetStyle(psSolid);
    for (const TRect& r :
         {FSizeTopLeftRect, FSizeTopRightRect, FSizeBottomLeftRect, FSizeBottomRightRect}) {
        canvas->InvertRect(r);
    }
}

void TiPlotAnnotation::DrawTextIn(TCanvas* canvas, const TRect& r) {
    TRect out{};
    DrawRotatedText(canvas, FText, r, FTextRotation, FTextLineAlignment, Enabled(),
                    canvas->Font()->Color(), out);
    FShowing = true;
}

TRect TiPlotAnnotation::TextBox(TCanvas* canvas, int grow) const {
    canvas->Font()->Assign(FFont.get());
    int tw = GetMaxLineWidth(canvas, FText) + 2 * grow;
    int th = GetTextHeight(canvas, FText) + 2 * grow;
    const int cw = canvas->TextWidth("A");
    const int ch = canvas->TextHeight("A");
    int x = PositionXToPixels(FX);
    int y = PositionYToPixels(FY);
    if (XYAxesReversed()) SwapIntegers(x, y);
    if (FTextRotation == ira090 || FTextRotation == ira270) SwapIntegers(tw, th);
    TRect t{x - tw / 2, y - th / 2, 0, 0};
    t.Right = t.Left + tw;
    t.Bottom = t.Top + th;
    int dx = 0;
    int dy = 0;
    if (FTextHorzAlignment == iahLeft) dx = Rnd(cw * FTextHorzMargin) + tw / 2;
    if (FTextHorzAlignment == iahRight) dx = -(Rnd(cw * FTextHorzMargin) + tw / 2);
    if (FTextVertAlignment == iavTop) dy = Rnd(ch * FTextVertMargin) + th / 2;
    if (FTextVertAlignment == iavBottom) dy = -(Rnd(ch * FTextVertMargin) + th / 2);
    return {t.Left + dx, t.Top + dy, t.Right + dx, t.Bottom + dy};
}

TRect TiPlotAnnotation::TextRectangleIn(TCanvas* canvas, const TRect& box) const {
    int tw = GetMaxLineWidth(canvas, FText);
    int th = GetTextHeight(canvas, FText);
    if (FTextRotation == ira090 || FTextRotation == ira270) SwapIntegers(tw, th);
    const int cw = canvas->TextWidth("0");
    const int ch = canvas->TextHeight("A");
    TRect t = box;
    if (FTextHorzAlignment == iahLeft) {
        t.Left = box.Left + Rnd(cw * FTextHorzMargin);
        t.Right = t.Left + tw;
    } else if (FTextHorzAlignment == iahRight) {
        t.Right = box.Right - Rnd(cw * FTextHorzMargin);
        t.Left = t.Right - tw;
    }
    if (FTextVertAlignment == iavTop) {
        t.Top = box.Top + Rnd(ch * FTextVertMargin);
        t.Bottom = t.Top + th;
    } else if (FTextVertAlignment == iavBottom) {
        t.Bottom = box.Bottom - Rnd(ch * FTextVertMargin);
        t.Top = t.Bottom - th;
    }
    return t;
}

void TiPlotAnnotation::DrawImage(TCanvas* canvas, const TRect& dataView) {
    const TPoint at =
        MakeOrientedPoint(XYAxesReversed(), PositionXToPixels(FX), PositionYToPixels(FY));
    if (FImage) {
        const TRect r{at.X - FImage->Width() / 2, at.Y - FImage->Height() / 2, 0, 0};
        FClickRect = {r.Left, r.Top, r.Left + FImage->Width(), r.Top + FImage->Height()};
        if (!Meets(FClickRect, dataView)) return;
        FImage->SetTransparentColor(FImage->Canvas()->Pixels(0, FImage->Height() - 1));
        FImage->SetTransparent(true);
        FShowing = true;
        canvas->Draw(r.Left, r.Top, FImage.get());
        return;
    }
    if (Plot() == nullptr) return;
    const TImageList* list =
        Plot()->GetImageList(FImageListIndex == 0 || FImageListIndex == 1 ? FImageListIndex : 2);
    const int left = at.X - list->Width() / 2;
    const int top = at.Y - list->Height() / 2;
    FClickRect = {left, top, left + list->Width(), top + list->Height()};
    if (!Meets(FClickRect, dataView)) return;
    FShowing = true;
    if (FImageIndex >= 0 && FImageIndex < list->Count()) {
        list->Draw(canvas, left, top, FImageIndex, Enabled());
    }
}

void TiPlotAnnotation::Draw(TCanvas* canvas, TColor backGroundColor) {
    FShowing = false;
    if (!Visible() || !ReferencesPresent()) return;
    const bool swap = XYAxesReversed();
    const TRect dv = FDataView != nullptr ? FDataView->DrawRect() : TRect{};

    // Clipping to the channel's axes; an annotation that refers to the data view alone has no
    // axes to clip to and keeps the data view's clip.
    const bool clip = FClipToAxes || (FReference == iprtChannel && Plot() != nullptr &&
                                      Plot()->ClipAnnotationsToAxes());
    const TiPlotChannelCustom* channel = GetChannel();
    if (clip && channel != nullptr && channel->GetXAxis() != nullptr &&
        channel->GetYAxis() != nullptr) {
        const TiPlotAxis* x = channel->GetXAxis();
        const TiPlotAxis* y = channel->GetYAxis();
        const TRect r = MakeOrientedRect(swap, x->GetMinPixels(), y->GetMinPixels(),
                                         x->GetMaxPixels(), y->GetMaxPixels());
        canvas->IntersectClipRect(r.Left, r.Top, r.Right, r.Bottom);
    }

    const auto shapeColours = [&] {
        canvas->Pen()->SetColor(FPenColor);
        canvas->Pen()->SetWidth(FPenWidth);
        canvas->Pen()->SetStyle(FPenStyle);
        canvas->Brush()->SetColor(FBrushColor);
        canvas->Brush()->SetStyle(FBrushStyle);
        canvas->SetBkColor(backGroundColor);
    };
    const auto lineColours = [&] {
        canvas->Pen()->SetColor(FPenColor);
        canvas->Pen()->SetWidth(FPenWidth);
        canvas->Pen()->SetStyle(FPenStyle);
        canvas->Brush()->SetColor(backGroundColor);
        canvas->SetBkColor(backGroundColor);
    };
    // A box style: its shape in the oriented box, then the handles.
    const auto drawBox = [&](const TRect& box, auto&& shape) {
        if (!Meets(box, dv)) return false;
        FDrawRect = box;
        FClickRect = IntersectRect(box, dv);
        SetHandleRects(box);
        shapeColours();
        shape(box);
        FShowing = true;
        DrawHandles(canvas);
        return true;
    };
    const auto orientedBox = [&] {
        const TRect b = BoxRect();
        return MakeOrientedRect(swap, b.Left, b.Top, b.Right, b.Bottom);
    };
    const auto rectangle = [canvas](const TRect& r) { canvas->Rectangle(r); };
    const auto ellipse = [canvas](const TRect& r) { canvas->Ellipse(r); };

    switch (FStyle) {
        case ipasText: {
            const TRect t = TextBox(canvas, 0);
            if (!Meets(t, dv)) return;
            FClickRect = t;
            canvas->Brush()->SetStyle(bsClear);
            DrawTextIn(canvas, t);
            break;
        }
        case ipasLine: {
            const TPoint a = MakeOrientedPoint(swap, PositionXToPixels(FX), PositionYToPixels(FY));
            const TPoint b =
                MakeOrientedPoint(swap, PositionXToPixels(FX2), PositionYToPixels(FY2));
            if (!LineIntersectsRect(a, b, dv)) return;
            lineColours();
            canvas->Polyline({a, b});
            break;
        }
        case ipasLineX:
        case ipasLineY: {
            // A line across the data view at the position on its own axis.
            const bool onX = FStyle == ipasLineX;
            const int at = onX ? PositionXToPixels(FX) : PositionYToPixels(FY);
            // The data view's extent across that axis, in the same logical direction.
            const bool acrossIsVertical = onX != swap;
            const int from = acrossIsVertical ? dv.Top : dv.Right;
            const int to = acrossIsVertical ? dv.Bottom : dv.Left;
            const TPoint a =
                onX ? MakeOrientedPoint(swap, at, from) : MakeOrientedPoint(swap, from, at);
            const TPoint b =
                onX ? MakeOrientedPoint(swap, at, to) : MakeOrientedPoint(swap, to, at);
            if (!LineIntersectsRect(a, b, dv)) return;
            lineColours();
            canvas->Polyline({a, b});
            FClickRect = onX ? MakeOrientedRect(swap, at - 5, from, at + 5, to)
                             : MakeOrientedRect(swap, from, at - 5, to, at + 5);
            FShowing = true;
            break;
        }
        case ipasImage: DrawImage(canvas, dv); break;
        case ipasRectangle:
        case ipasRectangle2: drawBox(orientedBox(), rectangle); break;
        case ipasEllipse:
        case ipasEllipse2: drawBox(orientedBox(), ellipse); break;
        case ipasTextRectangle: {
            canvas->Font()->Assign(FFont.get());
            const TRect box = orientedBox();
            if (!drawBox(box, rectangle)) return;
            canvas->Brush()->SetStyle(bsClear);
            DrawTextIn(canvas, TextRectangleIn(canvas, box));
            break;
        }
        case ipasTextBox: {
            const TRect b = TextBox(canvas, FOuterMargin);
            if (!Meets(b, dv)) return;
            FClickRect = b;
            shapeColours();
            canvas->Rectangle(b);
            canvas->Brush()->SetStyle(bsClear);
            DrawTextIn(canvas, {b.Left + FOuterMargin, b.Top + FOuterMargin, b.Right - FOuterMargin,
                                b.Bottom - FOuterMargin});
            break;
        }
        case ipasPolygon: {
            if (FPolyPoints.size() < 2) return;
            std::vector<TPoint> points;
            points.reserve(FPolyPoints.size());
            for (const TiPlotAnnotationPoint& p : FPolyPoints) {
                points.push_back(
                    MakeOrientedPoint(swap, PositionXToPixels(p.X), PositionYToPixels(p.Y)));
            }
            const TRect box = GetRgnBox(CreatePolygonRgn(points, WINDING));
            drawBox(box, [&](const TRect&) { canvas->Polygon(points); });
            break;
        }
    }
}

}  // namespace dsp

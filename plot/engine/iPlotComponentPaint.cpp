// TiPlotComponent: the paint, in its fixed order.

#include <algorithm>

#include "plot/engine/iPlotAnnotation.h"
#include "plot/engine/iPlotAxis.h"
#include "plot/engine/iPlotChannelCustom.h"
#include "plot/engine/iPlotComponent.h"
#include "plot/engine/iPlotDataCursor.h"
#include "plot/engine/iPlotDataView.h"
#include "plot/engine/iPlotLabel.h"
#include "plot/engine/iPlotLegend.h"
#include "plot/engine/iPlotLimit.h"
#include "plot/engine/iPlotTable.h"
#include "plot/engine/iPlotUtils.h"

namespace dsp {

TiPlotDataView* TiPlotComponent::DataView0() const {
    return DataViewCount() > 0 ? GetDataView(0) : nullptr;
}

void TiPlotComponent::AddAxesCollisionRect(const TRect& rect) {
    FAxesCollisionList.push_back(rect);
}

bool TiPlotComponent::TryAddAxesCollisionRect(const TRect& rect) {
    const TiPlotDataView* dataView = DataView0();
    const TRect area = dataView != nullptr ? dataView->DrawRect() : TRect{};
    for (const TRect& recorded : FAxesCollisionList) {
        if (!IsRectEmpty(IntersectRect(rect, recorded))) return false;
        if (UnionRect(rect, area) != area) return false;
    }
    FAxesCollisionList.push_back(rect);
    return true;
}

void TiPlotComponent::AddToLayerList(const std::string& key, TiPlotObject* object) {
    // Sorted by key; an object goes before those of an equal key, so within one layer and kind
    // the one added later is drawn first.
    const auto at =
        std::lower_bound(FLayerList.begin(), FLayerList.end(), key,
                         [](const auto& entry, const std::string& k) { return entry.first < k; });
    FLayerList.insert(at, {key, object});
}

void TiPlotComponent::PaintToCanvas(TCanvas* canvas) {
    FPaintingActive = true;
    if (ToolBarCount() == 0 || LegendCount() == 0 || DataViewCount() == 0) {
        FPaintingActive = false;
        return;
    }
    struct PaintEnd {
        TiPlotComponent& plot;
        ~PaintEnd() { plot.FPaintingActive = false; }
    };
    {
        PaintEnd paintEnd{*this};
        TiPlotDataView* dataView = GetDataView(0);
        const TColor objectBackground =
            dataView->BackgroundTransparent() ? GetBackGroundColor() : dataView->BackgroundColor();

        FAxesCollisionList.clear();
        FLayerList.clear();

        TiPlotLegend* legend = GetLegend(0);
        legend->SetCursorAllChannels(false);
        for (int i = 0; i < DataCursorCount(); ++i) {
            TiPlotDataCursor* cursor = GetDataCursor(i);
            cursor->UpdateCursor();
            if (cursor->Visible() && cursor->ChannelName() == "<All>" &&
                cursor->ChannelShowAllInLegend()) {
                legend->SetCursorAllChannels(true);
            }
        }

        for (int i = 0; i < XAxisCount(); ++i) GetXAxis(i)->GenerateTicks(canvas);
        for (int i = 0; i < YAxisCount(); ++i) GetYAxis(i)->GenerateTicks(canvas);
        CalcLayout(canvas);
        CalcLayout(canvas);
        for (int i = 0; i < XAxisCount(); ++i) GetXAxis(i)->GenerateTicks(canvas);
        for (int i = 0; i < YAxisCount(); ++i) GetYAxis(i)->GenerateTicks(canvas);

        for (int i = 0; i < ChannelCount(); ++i) GetChannel(i)->PrepareDraw(canvas);
        for (int i = 0; i < XAxisCount(); ++i) GetXAxis(i)->PrepareDraw(canvas);
        for (int i = 0; i < YAxisCount(); ++i) GetYAxis(i)->PrepareDraw(canvas);

        for (int i = 0; i < AnnotationCount(); ++i) {
            GetAnnotation(i)->SetDataView(dataView);
            GetAnnotation(i)->SetXYAxesReversed(FMaster->XYAxesReverse());
        }
        for (int i = 0; i < DataCursorCount(); ++i) GetDataCursor(i)->SetDataView(dataView);

        if (FBackGroundGradientEnabled) {
            canvas->SelectClipRgn(nullptr);
            canvas->IntersectClipRect(0, 0, Width(), Height());
            PaintGradient(canvas, {0, 0, Width(), Height()}, FBackGroundGradientDirection,
                          FBackGroundGradientStartColor, FBackGroundGradientStopColor);
            canvas->SelectClipRgn(nullptr);
        } else {
            DrawBackGround(canvas, GetBackGroundColor());
        }
        dataView->DrawBackground(canvas);

        for (int i = 0; i < LimitCount(); ++i) {
            if (GetLimit(i)->HasFill())
                AddToLayerList(GetLimit(i)->GetLayerKey() + "A", GetLimit(i));
        }
        AddToLayerList(dataView->GetLayerKey() + "B", dataView);
        for (int i = 0; i < LimitCount(); ++i) {
            if (!GetLimit(i)->HasFill()) {
                AddToLayerList(GetLimit(i)->GetLayerKey() + "C", GetLimit(i));
            }
        }
        for (int i = 0; i < YAxisCount(); ++i) {
            if (GetYAxis(i)->CartesianStyle() != ipcsNone) {
                AddToLayerList(GetYAxis(i)->GetLayerKey() + "D", GetYAxis(i));
            }
        }
        for (int i = 0; i < XAxisCount(); ++i) {
            if (GetXAxis(i)->CartesianStyle() != ipcsNone) {
                AddToLayerList(GetXAxis(i)->GetLayerKey() + "E", GetXAxis(i));
            }
        }
        for (int i = 0; i < ChannelCount(); ++i) {
            if (GetChannel(i)->CanDraw()) {
                AddToLayerList(GetChannel(i)->GetLayerKey() + "F", GetChannel(i));
            }
        }
        for (int i = 0; i < AnnotationCount(); ++i) {
            AddToLayerList(GetAnnotation(i)->GetLayerKey() + "G", GetAnnotation(i));
        }

        const TRect r = dataView->DrawRect();
        for (const auto& [key, object] : FLayerList) {
            canvas->IntersectClipRect(r.Left, r.Top, r.Right + 1, r.Bottom + 1);
            try {
                object->Draw(canvas, objectBackground);
            } catch (...) {
                canvas->SelectClipRgn(nullptr);
                throw;
            }
            canvas->SelectClipRgn(nullptr);
        }

        dataView->DrawZoomBox(canvas);
        DrawFrameObjects(canvas);
        for (int i = 0; i < DataCursorCount(); ++i) {
            GetDataCursor(i)->Draw(canvas, objectBackground);
        }
        for (int i = 0; i < LegendCount(); ++i) GetLegend(i)->Draw(canvas, GetBackGroundColor());
        for (int i = 0; i < TableCount(); ++i) GetTable(i)->Draw(canvas, GetBackGroundColor());

        if (FHintData.Visible) {
            canvas->Font()->Assign(FHintsFont.get());
            canvas->Brush()->SetStyle(bsSolid);
            canvas->Brush()->SetColor(clInfoBk);
            canvas->Font()->SetColor(clInfoText);
            canvas->Pen()->SetStyle(psClear);
            const TRect box{FHintData.Left, FHintData.Top, FHintData.Left + FHintData.Width,
                            FHintData.Top + FHintData.Height};
            canvas->Rectangle(box);
            TRect out{};
            DrawRotatedText(canvas, FHintData.Text, box, ira000, iahCenter, true, clBtnFace, out);
            canvas->Pen()->SetStyle(psSolid);
            FHintShowing = true;
        } else {
            FHintShowing = false;
        }
    }
    if (OnAfterPaint) OnAfterPaint(this);
}

void TiPlotComponent::DrawFrameObjects(TCanvas* canvas) {
    canvas->Brush()->SetColor(GetBackGroundColor());
    canvas->Brush()->SetStyle(bsSolid);
    DrawBorder(canvas);
    const TColor background = GetBackGroundColor();
    for (int i = 0; i < XAxisCount(); ++i) {
        if (GetXAxis(i)->CartesianStyle() == ipcsNone) GetXAxis(i)->Draw(canvas, background);
    }
    for (int i = 0; i < YAxisCount(); ++i) {
        if (GetYAxis(i)->CartesianStyle() == ipcsNone) GetYAxis(i)->Draw(canvas, background);
    }
    for (int i = 0; i < LabelCount(); ++i) GetLabel(i)->Draw(canvas, background);
    for (int i = 0; i < ToolBarCount(); ++i) GetToolBar(i)->Draw(canvas, background);
}

}  // namespace dsp

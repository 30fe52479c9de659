#pragma once
// What the plot engine's tests and benchmarks share: a plot with the objects every plot class
// makes (toolbar, legend, axes, data view and title; no channel), the configuration of the
// program's transfer plots, and rendering a plot into a bitmap the way its window paints.

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "framework/core/Exceptions.h"
#include "framework/graphics/Bitmap.h"
#include "plot/engine/iPlotAnnotation.h"
#include "plot/engine/iPlotAxis.h"
#include "plot/engine/iPlotChannelCustom.h"
#include "plot/engine/iPlotComponent.h"
#include "plot/engine/iPlotDataCursor.h"
#include "plot/engine/iPlotDataView.h"
#include "plot/engine/iPlotLabel.h"
#include "plot/engine/iPlotLegend.h"
#include "plot/engine/iPlotLimit.h"
#include "plot/engine/iPlotManagers.h"
#include "plot/engine/iPlotToolBar.h"

namespace dsp::test {

// Stand-ins for the kinds whose classes come with their own units: each writes its tag (its
// name unless set) on the canvas when drawn, so a recording canvas shows the paint order.
class TFakeChannel : public TiPlotChannelCustom {
public:
    using TiPlotChannelCustom::TiPlotChannelCustom;
    int GetCount() const override { return static_cast<int>(points.size()); }
    double GetDataX(int index) const override {
        return points.at(static_cast<std::size_t>(index)).first;
    }
    double GetDataY(int index) const override {
        return points.at(static_cast<std::size_t>(index)).second;
    }
    void Clear() override { points.clear(); }
    void Draw(TCanvas* canvas, TColor) override {
        canvas->TextOut(0, 0, Name());
        if (failing) throw Exception("channel failed");
    }
    void PrepareDraw(TCanvas* canvas) override {
        TiPlotChannelCustom::PrepareDraw(canvas);
        FCanDraw = drawable;
    }
    std::vector<std::pair<double, double>> points;
    bool drawable = true;
    bool failing = false;
};

class TFakeLimit : public TiPlotLimit {
public:
    using TiPlotLimit::TiPlotLimit;
    bool HasFill() const override { return filled; }
    void Draw(TCanvas* canvas, TColor) override { canvas->TextOut(0, 0, Name()); }
    bool filled = false;
};

class TFakeAnnotation : public TiPlotAnnotation {
public:
    using TiPlotAnnotation::TiPlotAnnotation;
    void Draw(TCanvas* canvas, TColor) override { canvas->TextOut(0, 0, tag); }
    std::string tag;
};

class TFakeDataCursor : public TiPlotDataCursor {
public:
    using TiPlotDataCursor::TiPlotDataCursor;
    void UpdateCursor() override {
        ++updates;
        TiPlotDataCursor::UpdateCursor();
    }
    void Draw(TCanvas* canvas, TColor) override { canvas->TextOut(0, 0, Name()); }
    int updates = 0;
};

// Makes the stand-ins the classes of their kinds, for plots made after the call.
inline void UseFakeClasses(TiPlotComponent& plot) {
    plot.Master()->SetChannelClass(PlotObjectFactory<TFakeChannel>());
    RegisterPlotObjectClass(TiPlotObjectKind::Limit, PlotObjectFactory<TFakeLimit>());
    RegisterPlotObjectClass(TiPlotObjectKind::Annotation, PlotObjectFactory<TFakeAnnotation>());
    RegisterPlotObjectClass(TiPlotObjectKind::DataCursor, PlotObjectFactory<TFakeDataCursor>());
}

// The objects of an XY plot without its channel and cursor, added the way the plot classes add
// them: with the layout manager off, so every object keeps its band.
class TAxesPlot : public TiPlotComponent {
public:
    explicit TAxesPlot(TComponent* owner) : TiPlotComponent(owner) {
        DisableLayoutManager();
        try {
            GetToolBar(AddToolBar())->SetZOrder(3);
            GetLegend(AddLegend())->SetZOrder(2);
            AddXAxis();
            AddYAxis();
            AddDataView();
            TiPlotLabel* title = GetLabel(AddLabel());
            title->SetName("Title");
            title->SetZOrder(2);
            title->SetCaption("Untitled");
            title->SetMarginBottom(0);
        } catch (...) {
            EnableLayoutManager();
            throw;
        }
        EnableLayoutManager();
    }
};

// The transfer plots of the main window: both axes from -100 to 20, the labels in yellow, the
// toolbar, legend and title hidden, a transparent data view with its grid.
inline void ConfigureAsTransferPlot(TiPlotComponent& plot) {
    plot.GetToolBar(0)->SetVisible(false);
    plot.GetLegend(0)->SetVisible(false);
    plot.GetLegend(0)->SetEnabled(false);
    plot.GetLabel(0)->SetVisible(false);
    for (TiPlotAxis* axis :
         {static_cast<TiPlotAxis*>(plot.GetXAxis(0)), static_cast<TiPlotAxis*>(plot.GetYAxis(0))}) {
        axis->SetEnabled(false);
        axis->SetPopupEnabled(false);
        axis->SetCanFocus(false);
        axis->SetMin(-100);
        axis->SetSpan(120);
        axis->SetDesiredStart(20);
        axis->SetTitleMargin(1);
        axis->TitleFont()->SetName("Arial");
        axis->TitleFont()->SetColor(clWhite);
        axis->TitleFont()->SetStyle(TFontStyles{fsBold});
        axis->TitleFont()->SetHeight(-13);
        axis->LabelsFont()->SetName("MS Sans Serif");
        axis->LabelsFont()->SetColor(clYellow);
        axis->LabelsFont()->SetHeight(-11);
        axis->SetLabelsPrecision(2);
        axis->SetScaleLinesShow(false);
        axis->SetTrackingEnabled(false);
        axis->SetRestoreValuesOnResume(false);
        axis->SetAlignRefAxisName(axis->Name());
    }
    TiPlotXAxis* x = plot.GetXAxis(0);
    x->SetDesiredIncrement(20);
    x->SetMajorLength(9);
    x->SetMinorLength(13);
    x->SetMinorCount(4);
    x->SetScaleLinesColor(8454143);
    x->SetStackingEndsMargin(1);
    x->SetTrackingIncrementStyle(iptisMajor);
    x->SetLabelSeparation(0);
    TiPlotYAxis* y = plot.GetYAxis(0);
    y->SetDesiredIncrement(10);
    y->SetMinorLength(8);
    y->SetLabelSeparation(1);
    y->SetLabelsMinLength(3);
    y->SetCursorPrecision(2);
    y->SetCursorMinLength(1);
    y->SetLegendPrecision(2);
    y->SetLegendMinLength(1);
    TiPlotDataView* view = plot.GetDataView(0);
    view->SetLayer(0);
    view->SetPopupEnabled(false);
    view->SetCanFocus(false);
}

// The plot painted as its window paints it: the off-screen bitmap, then onto the canvas.
inline std::unique_ptr<TBitmap> RenderPlot(TiPlotComponent& plot) {
    auto bitmap = std::make_unique<TBitmap>(plot.Width(), plot.Height());
    plot.PaintTo(*bitmap->Canvas(), 0, 0);
    return bitmap;
}

}  // namespace dsp::test

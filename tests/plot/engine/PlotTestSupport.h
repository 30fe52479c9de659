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
#include "plot/engine/TransferPlotSetup.h"
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
    void Draw(TCanvas* canvas, TColor) override {
        canvas->TextOut(0, 0, Name());
        if (failing) throw Exception("channel failed");
    }
    void PrepareDraw(TCanvas* canvas) override {
        TiPlotChannelCustom::PrepareDraw(canvas);
        FCanDraw = drawable;
    }
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

// Registers (once) the restoring of the engine's own classes at the end of every test.
void RestoreEngineClassesAfterTest();

// Makes the stand-ins the classes of their kinds, for plots made after the call, until the end
// of the test.
inline void UseFakeClasses(TiPlotComponent& plot) {
    RestoreEngineClassesAfterTest();
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

// The transfer plots' axes, data view, toolbar, legend and title on a plot without channels.
inline void ConfigureAsTransferPlot(TiPlotComponent& plot) { ConfigureTransferPlotFrame(plot); }

// The plot painted as its window paints it: the off-screen bitmap, then onto the canvas.
inline std::unique_ptr<TBitmap> RenderPlot(TiPlotComponent& plot) {
    auto bitmap = std::make_unique<TBitmap>(plot.Width(), plot.Height());
    plot.PaintTo(*bitmap->Canvas(), 0, 0);
    return bitmap;
}

}  // namespace dsp::test

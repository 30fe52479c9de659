// TiPlotComponent: where every layout object goes around the data view.

#include <algorithm>

#include "framework/text/Numbers.h"
#include "plot/engine/iPlotAxis.h"
#include "plot/engine/iPlotComponent.h"
#include "plot/engine/iPlotDataView.h"

namespace dsp {

namespace {

bool IsCartesian(const TiPlotLayoutObject* object) {
    if (object->Kind() != TiPlotObjectKind::XAxis && object->Kind() != TiPlotObjectKind::YAxis) {
        return false;
    }
    return static_cast<const TiPlotAxis*>(object)->CartesianStyle() != ipcsNone;
}

int RoundInt(double value) { return static_cast<int>(Round(value)); }

}  // namespace

void TiPlotComponent::FilterVisible(const TiLayoutSideList& side,
                                    std::vector<TiPlotLayoutObject*>& visible) {
    visible.clear();
    for (const auto& entry : side) {
        if (entry.second->Visible()) visible.push_back(entry.second);
    }
}

void TiPlotComponent::UpdateStacking(const std::vector<TiPlotLayoutObject*>& visible) {
    for (TiPlotLayoutObject* object : visible) {
        object->SetStartStacked(false);
        object->SetStopStacked(false);
    }
    int zOrder = -1;
    TiPlotLayoutObject* previous = nullptr;
    for (TiPlotLayoutObject* object : visible) {
        if (IsCartesian(object)) continue;
        if (object->ForceStacking()) {
            object->SetStartStacked(true);
            object->SetStopStacked(true);
            previous = object;
        } else if (object->ZOrder() == zOrder) {
            if (previous != nullptr) previous->SetStopStacked(true);
            object->SetStartStacked(true);
            previous = object;
        } else {
            previous = object;
            zOrder = object->ZOrder();
        }
    }
}

int TiPlotComponent::GetZOrderGroupWidth(TCanvas* canvas,
                                         const std::vector<TiPlotLayoutObject*>& visible,
                                         int zOrder) {
    int width = 0;
    for (TiPlotLayoutObject* object : visible) {
        const int required = object->GetRequiredWidth(canvas);
        if (!IsCartesian(object) && object->ZOrder() == zOrder) width = std::max(width, required);
    }
    return width;
}

int TiPlotComponent::GetSideEndMargin(TCanvas* canvas,
                                      const std::vector<TiPlotLayoutObject*>& visible,
                                      bool startEnd) {
    int margin = 0;
    for (TiPlotLayoutObject* object : visible) {
        if (IsCartesian(object)) continue;
        if (startEnd ? object->StartStacked() : object->StopStacked()) continue;
        margin = std::max(margin, object->GetRequiredEndMargin(canvas));
    }
    return margin;
}

int TiPlotComponent::GetSideThickness(TCanvas* canvas,
                                      const std::vector<TiPlotLayoutObject*>& visible) {
    int sum = 0;
    const TiPlotLayoutObject* previous = nullptr;
    for (TiPlotLayoutObject* object : visible) {
        if (previous == nullptr || object->ZOrder() != previous->ZOrder()) {
            sum += GetZOrderGroupWidth(canvas, visible, object->ZOrder());
        }
        previous = object;
    }
    return sum;
}

void TiPlotComponent::CalcLayout(TCanvas* canvas) {
    TiPlotLayoutManager* layout = FMaster->LayoutManager();
    FilterVisible(layout->TopList(), FVisibleListTop);
    FilterVisible(layout->BottomList(), FVisibleListBottom);
    FilterVisible(layout->LeftList(), FVisibleListLeft);
    FilterVisible(layout->RightList(), FVisibleListRight);
    const int border = GetBorderStyle() != ibsNone ? 2 : 0;

    UpdateStacking(FVisibleListTop);
    UpdateStacking(FVisibleListBottom);
    UpdateStacking(FVisibleListLeft);
    UpdateStacking(FVisibleListRight);

    // For vertical objects the start end is the bottom and the stop end the top.
    const int topEnd = std::max({0, GetSideEndMargin(canvas, FVisibleListLeft, false),
                                 GetSideEndMargin(canvas, FVisibleListRight, false)});
    const int bottomEnd = std::max({0, GetSideEndMargin(canvas, FVisibleListLeft, true),
                                    GetSideEndMargin(canvas, FVisibleListRight, true)});
    const int leftEnd = std::max({0, GetSideEndMargin(canvas, FVisibleListTop, true),
                                  GetSideEndMargin(canvas, FVisibleListBottom, true)});
    const int rightEnd = std::max({0, GetSideEndMargin(canvas, FVisibleListTop, false),
                                   GetSideEndMargin(canvas, FVisibleListBottom, false)});

    const int left = std::max(GetSideThickness(canvas, FVisibleListLeft), leftEnd);
    const int right = std::max(GetSideThickness(canvas, FVisibleListRight), rightEnd);
    const int top = std::max(GetSideThickness(canvas, FVisibleListTop), topEnd);
    const int bottom = std::max(GetSideThickness(canvas, FVisibleListBottom), bottomEnd);

    const bool toolBarAloneOnTop =
        FVisibleListTop.size() == 1 && FVisibleListTop.front()->Kind() == TiPlotObjectKind::ToolBar;
    const int topOffset = top + border + FOuterMarginTop + (toolBarAloneOnTop ? topEnd : 0);
    const int bottomOffset = bottom + border + FOuterMarginBottom;
    const int leftOffset = left + border + FOuterMarginLeft;
    const int rightOffset = right + border + FOuterMarginRight;

    const TRect dv{leftOffset, topOffset, Width() - rightOffset - 1, Height() - bottomOffset - 1};

    // Left side: bands outward from the data view, the nearest being the list's last object.
    {
        int position = dv.Left;
        int zOrder = -1;
        int groupWidth = 0;
        for (auto it = FVisibleListLeft.rbegin(); it != FVisibleListLeft.rend(); ++it) {
            TiPlotLayoutObject* object = *it;
            if (object->ZOrder() != zOrder) {
                position -= groupWidth;
                zOrder = object->ZOrder();
                groupWidth = GetZOrderGroupWidth(canvas, FVisibleListLeft, zOrder);
            }
            object->SetLeft(position - groupWidth);
            object->SetRight(position);
        }
    }
    {
        int position = dv.Right;
        int zOrder = -1;
        int groupWidth = 0;
        for (TiPlotLayoutObject* object : FVisibleListRight) {
            if (object->ZOrder() != zOrder) {
                position += groupWidth;
                zOrder = object->ZOrder();
                groupWidth = GetZOrderGroupWidth(canvas, FVisibleListRight, zOrder);
            }
            object->SetLeft(position);
            object->SetRight(position + groupWidth);
        }
    }
    {
        int position = dv.Top;
        int zOrder = -1;
        int groupWidth = 0;
        for (TiPlotLayoutObject* object : FVisibleListTop) {
            if (object->ZOrder() != zOrder) {
                position -= groupWidth;
                zOrder = object->ZOrder();
                groupWidth = GetZOrderGroupWidth(canvas, FVisibleListTop, zOrder);
            }
            object->SetTop(position - groupWidth);
            object->SetBottom(position);
            if (object->Kind() == TiPlotObjectKind::ToolBar) {
                // Toolbars sit at the very top, whatever their band.
                object->SetTop(border);
                object->SetBottom(object->GetRequiredWidth(canvas) + border);
            }
        }
    }
    {
        int position = dv.Bottom;
        int zOrder = -1;
        int groupWidth = 0;
        for (auto it = FVisibleListBottom.rbegin(); it != FVisibleListBottom.rend(); ++it) {
            TiPlotLayoutObject* object = *it;
            if (object->ZOrder() != zOrder) {
                position += groupWidth;
                zOrder = object->ZOrder();
                groupWidth = GetZOrderGroupWidth(canvas, FVisibleListBottom, zOrder);
            }
            object->SetTop(position);
            object->SetBottom(position + groupWidth);
        }
    }

    TiPlotDataView* dataView = DataView0();
    if (dataView != nullptr) dataView->SetDrawRect(dv);

    const int dvWidth = dv.Right - dv.Left;
    const int dvHeight = dv.Bottom - dv.Top;
    for (int i = 0; i < layout->GetCount(); ++i) {
        TiPlotLayoutObject* object = layout->GetItem(i);
        const TiPlotObjectKind kind = object->Kind();
        if (kind == TiPlotObjectKind::DataViewLayout || kind == TiPlotObjectKind::DataView) {
            continue;
        }
        const double start = object->StartPercent() / 100;
        const double stop = object->StopPercent() / 100;
        const bool horizontal = object->IsHorz();
        if (horizontal && kind == TiPlotObjectKind::ToolBar) {
            object->SetLeft(RoundInt(start * (Width() - 2 * border)) + border);
            object->SetRight(RoundInt(stop * (Width() - 2 * border)) + border - 1);
        } else if (horizontal &&
                   (kind == TiPlotObjectKind::Legend || kind == TiPlotObjectKind::Table ||
                    kind == TiPlotObjectKind::XAxis || kind == TiPlotObjectKind::YAxis)) {
            object->SetLeft(dv.Left + RoundInt(dvWidth * start));
            object->SetRight(dv.Left + RoundInt(dvWidth * stop));
        } else if (horizontal && kind == TiPlotObjectKind::Label) {
            // One border only is taken off the width.
            const int length = Width() - border - FOuterMarginLeft - FOuterMarginRight;
            object->SetLeft(RoundInt(start * length) + border + FOuterMarginLeft);
            object->SetRight(RoundInt(stop * length) + border + FOuterMarginLeft);
        } else if (!horizontal && kind != TiPlotObjectKind::ToolBar) {
            object->SetTop(dv.Bottom - RoundInt(dvHeight * stop));
            object->SetBottom(dv.Bottom - RoundInt(dvHeight * start));
        }
    }

    const TRect r = dataView != nullptr ? dataView->DrawRect() : dv;
    auto forEachAxis = [this](auto&& f) {
        for (int i = 0; i < XAxisCount(); ++i) f(static_cast<TiPlotAxis*>(GetXAxis(i)));
        for (int i = 0; i < YAxisCount(); ++i) f(static_cast<TiPlotAxis*>(GetYAxis(i)));
    };
    forEachAxis([&](TiPlotAxis* axis) {
        if (axis->CartesianStyle() != ipcsMaster) return;
        if (axis->IsHorz()) {
            const int y = (r.Top + r.Bottom) / 2;
            axis->SetDrawRect({r.Left, y, r.Right, y});
        } else {
            const int x = (r.Left + r.Right) / 2;
            axis->SetDrawRect({x, r.Top, x, r.Bottom});
        }
    });
    forEachAxis([&](TiPlotAxis* axis) {
        if (axis->CartesianStyle() != ipcsChild) return;
        TiPlotAxis* reference = axis->GetCartesianRefAxis();
        if (reference == nullptr) {
            axis->SetDrawRect({});
            return;
        }
        const int p = reference->PositionToPixels(axis->CartesianChildRefValue());
        if (axis->IsHorz()) {
            axis->SetDrawRect({r.Left, p, r.Right, p});
        } else {
            axis->SetDrawRect({p, r.Top, p, r.Bottom});
        }
    });
    forEachAxis([&](TiPlotAxis* axis) {
        TiPlotAxis* reference = axis->GetAlignRefAxis();
        if (reference == nullptr) return;
        if (axis->IsHorz()) {
            axis->SetLeft(reference->Left());
            axis->SetRight(reference->Right());
        } else {
            axis->SetTop(reference->Top());
            axis->SetBottom(reference->Bottom());
        }
        axis->SetStartStacked(reference->StartStacked());
        axis->SetStopStacked(reference->StopStacked());
        axis->CalcScaleRect(canvas);
    });

    if (dataView == nullptr) return;
    TRect final{Width(), Height(), 0, 0};
    const bool reversed = XYAxesReverse();
    for (int i = 0; i < XAxisCount(); ++i) {
        TiPlotAxis* axis = GetXAxis(i);
        axis->CalcScaleRect(canvas);
        const TRect& s = axis->ScaleRect();
        if (!reversed) {
            final.Left = std::min(final.Left, s.Left);
            final.Right = std::max(final.Right, s.Right);
        } else {
            final.Top = std::min(final.Top, s.Top);
            final.Bottom = std::max(final.Bottom, s.Bottom);
        }
    }
    for (int i = 0; i < YAxisCount(); ++i) {
        TiPlotAxis* axis = GetYAxis(i);
        axis->CalcScaleRect(canvas);
        const TRect& s = axis->ScaleRect();
        if (!reversed) {
            final.Top = std::min(final.Top, s.Top);
            final.Bottom = std::max(final.Bottom, s.Bottom);
        } else {
            final.Left = std::min(final.Left, s.Left);
            final.Right = std::max(final.Right, s.Right);
        }
    }
    dataView->SetDrawRect(final);
}

void TiPlotComponent::ReCalcLayout() {
    if (DataViewCount() == 0) return;
    TBitmap scratch(std::max(Width(), 1), std::max(Height(), 1));
    PaintToCanvas(scratch.Canvas());
}

}  // namespace dsp

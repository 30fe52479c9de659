#include "plot/decor/iPlotLayoutViewer.h"

#include <algorithm>
#include <cmath>

#include "framework/desktop/Cursors.h"
#include "framework/text/Numbers.h"
#include "plot/engine/iPlotTranslation.h"
#include "plot/engine/iPlotUtils.h"

namespace dsp {

namespace {

int Nearest(double value) { return static_cast<int>(Round(value)); }

bool IsKind(const TiPlotObject* o, TiPlotObjectKind kind) { return o->Kind() == kind; }

bool IsAxis(const TiPlotObject* o) {
    return IsKind(o, TiPlotObjectKind::XAxis) || IsKind(o, TiPlotObjectKind::YAxis);
}

bool IsDataView(const TiPlotObject* o) { return IsKind(o, TiPlotObjectKind::DataView); }

bool IsStandIn(const TiPlotObject* o) { return IsKind(o, TiPlotObjectKind::DataViewLayout); }

// Blocks of these kinds may share a band with each other.
bool MayShare(const TiPlotObject* a, const TiPlotObject* b) {
    const bool labelOrLegend =
        (IsKind(a, TiPlotObjectKind::Label) && IsKind(b, TiPlotObjectKind::Legend)) ||
        (IsKind(a, TiPlotObjectKind::Legend) && IsKind(b, TiPlotObjectKind::Label));
    return (IsAxis(a) && IsAxis(b)) ||
           (IsKind(a, TiPlotObjectKind::Label) && IsKind(b, TiPlotObjectKind::Label)) ||
           labelOrLegend;
}

bool Contains(const TRect& r, int x, int y) {
    return x >= r.Left && x < r.Right && y >= r.Top && y < r.Bottom;
}

}  // namespace

TiPlotLayoutViewer::TiPlotLayoutViewer(TComponent* owner)
    : TiCustomComponent(owner), FFont(std::make_unique<TFont>()) {
    FFont->SetName("Arial");
    FFont->SetSize(10);
    FFont->OnChange = [this](TObject*) { RequestRepaint(); };
}

TiPlotLayoutViewer::~TiPlotLayoutViewer() { FFont->OnChange = nullptr; }

std::string TiPlotLayoutViewer::Caption(const TiPlotLayoutObject* object) const {
    if (FTranslationManager == nullptr) return object->Name();
    return FTranslationManager->FindReplacement(object->Name());
}

void TiPlotLayoutViewer::DoChange() {
    if (OnChange) OnChange(this);
}

// ---- layout

void TiPlotLayoutViewer::LayoutPass(TCanvas* canvas) {
    FViewRect = {5, 5, Width() - 5, Height() - 5};
    if (FLayoutManager == nullptr) return;
    canvas->Font()->Assign(FFont.get());
    FCellWidth = Nearest(canvas->TextHeight("ABC") * 1.1);
    const int cell = FCellWidth;
    const int l = FLayoutManager->LeftUniqueCount();
    const int r = FLayoutManager->RightUniqueCount();
    const int t = FLayoutManager->TopUniqueCount();
    const int b = FLayoutManager->BottomUniqueCount();
    FDataViewRect = {FViewRect.Left + l * cell, FViewRect.Top + t * cell,
                     FViewRect.Right - r * cell, FViewRect.Bottom - b * cell};
    FDataViewWidth = FDataViewRect.Right - FDataViewRect.Left;
    FDataViewHeight = FDataViewRect.Bottom - FDataViewRect.Top;
    const TRect& dv = FDataViewRect;

    // The bands stay as they were while a drop target is shown.
    if (FDragOverRefBlock2 == nullptr) {
        FBlockList.clear();
        const auto add = [this](TRect rect, int zOrder, bool horizontal, bool dataView,
                                bool toolBar) {
            FBlockList.push_back(std::make_unique<TBlockObject>(
                TBlockObject{rect, zOrder, horizontal, dataView, toolBar}));
        };
        int z = 0;
        for (int d = 0; d < l; ++d) {
            add({FViewRect.Left + d * cell, dv.Top, FViewRect.Left + (d + 1) * cell, dv.Bottom},
                z++, false, false, false);
        }
        add(dv, z++, false, true, false);
        for (int d = 0; d < r; ++d) {
            add({dv.Right + d * cell, dv.Top, dv.Right + (d + 1) * cell, dv.Bottom}, z++, false,
                false, false);
        }
        z = t + b;
        for (int i = 0; i < t; ++i) {
            add({FViewRect.Left, FViewRect.Top + i * cell, FViewRect.Right,
                 FViewRect.Top + (i + 1) * cell},
                z--, true, false, i == 0);
        }
        add(dv, z--, true, true, false);
        for (int d = 0; d < b; ++d) {
            add({FViewRect.Left, dv.Bottom + d * cell, FViewRect.Right, dv.Bottom + (d + 1) * cell},
                z--, true, false, false);
        }
    }

    const int viewWidth = FViewRect.Right - FViewRect.Left;
    for (int i = 0; i < FLayoutManager->GetCount(); ++i) {
        TiPlotLayoutObject* o = FLayoutManager->GetItem(i);
        if (IsDataView(o) || IsStandIn(o)) {
            o->SetLayoutRect(dv);
            continue;
        }
        TRect rect;
        if (o->IsHorz()) {
            const int dz = FLayoutManager->DataViewHorz()->ZOrder();
            if (o->ZOrder() > dz) {
                rect.Top = dv.Top - (o->ZOrder() - dz) * cell;
                rect.Bottom = dv.Top - (o->ZOrder() - dz - 1) * cell;
            } else {
                rect.Top = dv.Bottom + (dz - o->ZOrder() - 1) * cell;
                rect.Bottom = dv.Bottom + (dz - o->ZOrder()) * cell;
            }
            if (IsAxis(o)) {
                rect.Left = Nearest(FDataViewWidth * o->StartPercent() / 100 + dv.Left);
                rect.Right = Nearest(FDataViewWidth * o->StopPercent() / 100 + dv.Left);
            } else {
                rect.Left = Nearest(viewWidth * o->StartPercent() / 100) + FViewRect.Left;
                rect.Right = Nearest(viewWidth * o->StopPercent() / 100) + FViewRect.Left;
            }
        } else {
            const int dz = FLayoutManager->DataViewVert()->ZOrder();
            if (o->ZOrder() > dz) {
                rect.Left = dv.Right + (o->ZOrder() - dz - 1) * cell;
                rect.Right = dv.Right + (o->ZOrder() - dz) * cell;
            } else {
                rect.Left = dv.Left - (dz - o->ZOrder()) * cell;
                rect.Right = dv.Left - (dz - o->ZOrder() - 1) * cell;
            }
            rect.Top = dv.Bottom - Nearest(FDataViewHeight * o->StopPercent() / 100);
            rect.Bottom = dv.Bottom - Nearest(FDataViewHeight * o->StartPercent() / 100);
        }
        o->SetLayoutRect(rect);
    }
}

void TiPlotLayoutViewer::PaintToCanvas(TCanvas* canvas) {
    LayoutPass(canvas);
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(static_cast<TColor>(0xFF0000));  // blue
    canvas->Pen()->SetColor(static_cast<TColor>(0xFF0000));
    canvas->FillRect(canvas->ClipRect());
    canvas->Brush()->SetColor(clWhite);
    canvas->Pen()->SetColor(clWhite);
    canvas->FillRect(FViewRect);
    if (FLayoutManager == nullptr) return;

    canvas->Pen()->SetColor(clBlack);
    canvas->Pen()->SetStyle(psClear);
    canvas->Font()->Assign(FFont.get());
    for (int i = 0; i < FLayoutManager->GetCount(); ++i) {
        TiPlotLayoutObject* o = FLayoutManager->GetItem(i);
        // The horizontal stand-in draws the data view's area.
        if (IsDataView(o) || o == FLayoutManager->DataViewVert()) continue;
        canvas->Brush()->SetColor(o == FSelectedBlock ? static_cast<TColor>(0x00FFFF)
                                                      : static_cast<TColor>(0xC0C0C0));
        canvas->Brush()->SetStyle(o->Visible() ? bsSolid : bsDiagCross);
        // A pixel of the white view between neighbouring blocks keeps them apart.
        const TRect r = o->LayoutRect();
        canvas->FillRect({r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1});
        canvas->Brush()->SetStyle(bsClear);
        TRect covered;
        DrawRotatedText(canvas, Caption(o), o->LayoutRect(), o->IsHorz() ? ira000 : ira090,
                        iahCenter, true, clBlack, covered);
    }

    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(static_cast<TColor>(0x00FFFF));
    canvas->Pen()->SetStyle(psSolid);
    canvas->Pen()->SetColor(clBlack);
    canvas->Pen()->SetWidth(1);
    canvas->Brush()->SetStyle(bsClear);
    canvas->Pen()->SetWidth(2);
    const int cell = FCellWidth;
    if (FOverLayoutObject != nullptr) {
        const TRect r = FOverLayoutObject->LayoutRect();
        canvas->Rectangle(r.Left, r.Top, r.Right, r.Bottom);
    } else if (FDragOverRefBlock2 != nullptr) {
        const TBlockObject& band = *FDragOverRefBlock2;
        TRect r = band.ARect;
        if (band.Horizontal) {
            if (FInsertDirection == iidBelow)
                r = {r.Left, r.Top + cell / 2, r.Right, r.Bottom + cell / 2};
            if (FInsertDirection == iidAbove) {
                r = {r.Left, r.Top - (cell / 2 - 1), r.Right, r.Bottom - (cell / 2 - 1)};
            }
        } else {
            if (FInsertDirection == iidBelow)
                r = {r.Left - cell / 2, r.Top, r.Right - cell / 2, r.Bottom};
            if (FInsertDirection == iidAbove) {
                r = {r.Left + cell / 2 + 1, r.Top, r.Right + cell / 2 + 1, r.Bottom};
            }
        }
        if (band.DataView) {
            if (band.Horizontal) {
                if (FInsertDirection == iidBelow) r.Top = r.Bottom - cell;
                if (FInsertDirection == iidAbove) r.Bottom = r.Top + cell;
                r.Left = FViewRect.Left;
                r.Right = FViewRect.Right;
            } else {
                if (FInsertDirection == iidBelow) r.Right = r.Left + cell;
                if (FInsertDirection == iidAbove) r.Left = r.Right - cell;
            }
        }
        canvas->Rectangle(r.Left, r.Top, r.Right, r.Bottom);
    }
    canvas->Pen()->SetWidth(1);
}

// ---- hit tests

TiPlotLayoutObject* TiPlotLayoutViewer::GetMouseOverBlock(int x, int y) const {
    if (FLayoutManager == nullptr) return nullptr;
    for (int i = 0; i < FLayoutManager->GetCount(); ++i) {
        TiPlotLayoutObject* o = FLayoutManager->GetItem(i);
        if (IsStandIn(o)) continue;
        if (Contains(o->LayoutRect(), x, y)) return o;
    }
    return nullptr;
}

const TBlockObject* TiPlotLayoutViewer::GetMouseOverBlock2(int x, int y) const {
    const int cell = FCellWidth;
    for (const auto& band : FBlockList) {
        const TRect& r = band->ARect;
        if (!Contains(r, x, y)) continue;
        if (band->ToolBar && y < (r.Top + r.Bottom) / 2) continue;
        if (band->DataView) {
            // Only the one-cell strips along its edges across the stacking direction.
            const bool inStrip = band->Horizontal ? (y < r.Top + cell || y >= r.Bottom - cell)
                                                  : (x < r.Left + cell || x >= r.Right - cell);
            if (!inStrip) continue;
        }
        return band.get();
    }
    return nullptr;
}

TiPlotLayoutObject* TiPlotLayoutViewer::SlotOccupant(const TiPlotLayoutObject* moving,
                                                     bool horizontal, int zOrder) const {
    if (FLayoutManager == nullptr) return nullptr;
    const TiPlotLayoutObject* otherStandIn =
        horizontal ? static_cast<const TiPlotLayoutObject*>(FLayoutManager->DataViewVert())
                   : FLayoutManager->DataViewHorz();
    for (int i = 0; i < FLayoutManager->GetCount(); ++i) {
        TiPlotLayoutObject* o = FLayoutManager->GetItem(i);
        if (o == moving || IsDataView(o) || o == otherStandIn) continue;
        if (o->ZOrder() == zOrder && o->IsHorz() == horizontal) return o;
    }
    return nullptr;
}

// ---- mouse

void TiPlotLayoutViewer::iMouseDown(TMouseButton, TShiftState shift, int x, int y) {
    TiPlotLayoutObject* o = GetMouseOverBlock(x, y);
    if (o == nullptr || IsDataView(o) || IsKind(o, TiPlotObjectKind::ToolBar)) return;
    FSelectedBlock = o;
    FMouseDown = true;
    FMouseDownX = x;
    FMouseDownY = y;
    if (!shift.Contains(ssLeft)) FInsertDirection = iidMerge;
    if (FResizeBlock != nullptr) {
        FEditMode = ilemSize;
        FMouseDownStartPercent = FResizeBlock->StartPercent();
        FMouseDownStopPercent = FResizeBlock->StopPercent();
    } else {
        FEditMode = ilemDrag;
    }
    RequestRepaint();
}

void TiPlotLayoutViewer::iMouseMove(TShiftState shift, int x, int y) {
    SetCursor(crDefault);
    if (FEditMode == ilemDrag && !shift.Contains(ssLeft)) return;
    FOverLayoutObject = nullptr;
    FDragOverRefBlock2 = nullptr;
    TiPlotLayoutObject* o = GetMouseOverBlock(x, y);
    if (FEditMode == ilemNone) {
        const bool resizable = o != nullptr && (IsAxis(o) || IsKind(o, TiPlotObjectKind::Label) ||
                                                IsKind(o, TiPlotObjectKind::Table) ||
                                                IsKind(o, TiPlotObjectKind::Legend));
        if (o == nullptr) {
            FResizeBlock = nullptr;
        } else if (resizable) {
            const TRect r = o->LayoutRect();
            FResizeBlock = nullptr;
            if (o->IsHorz()) {
                if (std::abs(r.Left - x) < 7) {
                    FSizingSide = ilssStart;
                    FResizeBlock = o;
                } else if (std::abs(r.Right - x) < 7) {
                    FSizingSide = ilssStop;
                    FResizeBlock = o;
                }
                if (FResizeBlock != nullptr) SetCursor(crSizeWE);
            } else {
                if (std::abs(r.Bottom - y) < 7) {
                    FSizingSide = ilssStart;
                    FResizeBlock = o;
                } else if (std::abs(r.Top - y) < 7) {
                    FSizingSide = ilssStop;
                    FResizeBlock = o;
                }
                if (FResizeBlock != nullptr) SetCursor(crSizeNS);
            }
        }
    } else if (FEditMode == ilemDrag && FMouseDown) {
        DragOver(x, y);
    } else if (FEditMode == ilemSize && FMouseDown) {
        SizeDrag(x, y);
    }
    RequestRepaint();
}

void TiPlotLayoutViewer::DragOver(int x, int y) {
    TiPlotLayoutObject* o = GetMouseOverBlock(x, y);
    if (o != nullptr && o != FSelectedBlock && !IsDataView(o) &&
        o->IsHorz() == FSelectedBlock->IsHorz() && o->ZOrder() == FSelectedBlock->ZOrder()) {
        FOverLayoutObject = o;
    }
    const TBlockObject* band = GetMouseOverBlock2(x, y);
    if (band == nullptr) return;
    if (IsAxis(FSelectedBlock) && band->Horizontal != FSelectedBlock->IsHorz()) return;
    FDragOverRefBlock2 = band;
    TiPlotLayoutObject* occupant = SlotOccupant(FSelectedBlock, band->Horizontal, band->ZOrder);
    if (occupant == nullptr) return;
    const TRect& r = band->ARect;
    const int height = r.Bottom - r.Top;
    const int width = r.Right - r.Left;
    if (MayShare(FSelectedBlock, occupant)) {
        if (band->ToolBar) {
            if (y > r.Top + 2 * height / 3) {
                FInsertDirection = iidBelow;
            } else {
                FDragOverRefBlock2 = nullptr;
            }
        } else if (band->Horizontal) {
            FInsertDirection = y > r.Top + 2 * height / 3 ? iidBelow
                               : y > r.Top + height / 3   ? iidMerge
                                                          : iidAbove;
        } else {
            FInsertDirection = x < r.Left + width / 3       ? iidBelow
                               : x < r.Left + 2 * width / 3 ? iidMerge
                                                            : iidAbove;
        }
    } else if (band->Horizontal) {
        FInsertDirection = y > r.Top + height / 2 ? iidBelow : iidAbove;
    } else {
        FInsertDirection = x < r.Left + width / 2 ? iidBelow : iidAbove;
    }
}

void TiPlotLayoutViewer::SizeDrag(int x, int y) {
    if (FResizeBlock == nullptr) return;
    const bool vertical = FResizeBlock->IsVert();
    const int extent = vertical ? FDataViewHeight : FDataViewWidth;
    // A data view without room has no percentage to move by.
    if (extent <= 0) return;
    const int moved = vertical ? FMouseDownY - y : x - FMouseDownX;
    const double percent = Round(moved * 100.0 / extent / 1.25) * 1.25;
    if (FSizingSide == ilssStart) {
        FResizeBlock->SetStartPercent(FMouseDownStartPercent + percent);
    } else {
        FResizeBlock->SetStopPercent(FMouseDownStopPercent + percent);
    }
}

void TiPlotLayoutViewer::Drop() {
    TiPlotLayoutObject* selected = FSelectedBlock;
    const TBlockObject* band = FDragOverRefBlock2;
    if (band == nullptr || selected == nullptr || FLayoutManager == nullptr) return;
    if (FOverLayoutObject != nullptr) {
        TiPlotLayoutObject* other = FOverLayoutObject;
        const double start = selected->StartPercent();
        const double stop = selected->StopPercent();
        selected->SetStartStopPercent(other->StartPercent(), other->StopPercent());
        other->SetStartStopPercent(start, stop);
        DoChange();
        return;
    }
    TiPlotLayoutObject* occupant = SlotOccupant(selected, band->Horizontal, band->ZOrder);
    if (band->Horizontal == selected->IsHorz()) {
        if (FInsertDirection == iidMerge) {
            std::vector<TiPlotLayoutObject*> sharing;
            for (int i = 0; i < FLayoutManager->GetCount(); ++i) {
                TiPlotLayoutObject* o = FLayoutManager->GetItem(i);
                if (o == selected || IsDataView(o)) continue;
                if (o->IsHorz() == band->Horizontal && o->ZOrder() == band->ZOrder) {
                    sharing.push_back(o);
                }
            }
            sharing.push_back(selected);
            const double share = 100.0 / static_cast<double>(sharing.size());
            for (std::size_t a = 0; a < sharing.size(); ++a) {
                sharing[a]->SetStopPercent(share * static_cast<double>(a) + share);
                sharing[a]->SetStartPercent(share * static_cast<double>(a));
            }
            if (occupant != nullptr) {
                FLayoutManager->RemoveZOrder(selected);
                FLayoutManager->InsertZOrder(selected, occupant->ZOrder(), iidMerge);
            }
        } else {
            if (occupant != nullptr) {
                FLayoutManager->RemoveZOrder(selected);
                FLayoutManager->InsertZOrder(selected, occupant->ZOrder(), FInsertDirection);
            }
            selected->SetStartPercent(0);
            selected->SetStopPercent(100);
        }
        DoChange();
        return;
    }
    // Into the other stack (never an axis): only beside an object that is there.
    if (occupant == nullptr) return;
    FLayoutManager->RemoveZOrder(selected);
    selected->SetHorizontal(band->Horizontal);
    FLayoutManager->InsertZOrder(selected, occupant->ZOrder(), FInsertDirection);
    DoChange();
}

void TiPlotLayoutViewer::ForgetObject(const TiPlotObject* object) {
    if (object == FSelectedBlock) FSelectedBlock = nullptr;
    if (object == FResizeBlock) FResizeBlock = nullptr;
    if (object == FOverLayoutObject) FOverLayoutObject = nullptr;
    if (FSelectedBlock == nullptr) {
        FEditMode = ilemNone;
        FMouseDown = false;
        FDragOverRefBlock2 = nullptr;
    }
}

void TiPlotLayoutViewer::iMouseUp(TMouseButton, TShiftState, int, int) {
    FMouseDown = false;
    if (FEditMode == ilemDrag) {
        Drop();
    } else if (FEditMode == ilemSize && FResizeBlock != nullptr) {
        DoChange();
    }
    FEditMode = ilemNone;
    SetCursor(crDefault);
    FOverLayoutObject = nullptr;
    FDragOverRefBlock2 = nullptr;
    FSelectedBlock = nullptr;
    FResizeBlock = nullptr;
    RequestRepaint();
}

}  // namespace dsp

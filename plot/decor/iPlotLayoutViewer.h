#pragma once
// TiPlotLayoutViewer: the schematic of a plot's layout on the editor's "Layout" page: the data
// view in the middle and every axis, legend, label, table and toolbar as a named block in a band
// around it, one band per stacking position (ZOrder). With the mouse the user drags a block into
// another band (alone below or above its occupant, or sharing the band with it), swaps two
// blocks of one band, moves a block other than an axis between the horizontal and the vertical
// stacks, and drags a block's end to change its share of the band (in steps of 1.25 %). Every
// change goes straight into the layout objects and the layout manager; OnChange follows.
//
// Hit tests use the rectangles of the last paint.

#include <memory>
#include <string>
#include <vector>

#include "framework/graphics/Font.h"
#include "plot/engine/iPlotLayoutManager.h"
#include "plot/engine/iVCLComponent.h"

namespace dsp {

class TiPlotMasterManager;
class TiPlotTranslationManager;

// One band of the schematic: a stacking position.
struct TBlockObject {
    TRect ARect{};
    int ZOrder = 0;
    bool Horizontal = false;
    bool DataView = false;
    bool ToolBar = false;
};

enum TiLayoutEditMode { ilemNone, ilemDrag, ilemSize };
enum TiLayoutSizingSide { ilssStart, ilssStop };

class TiPlotLayoutViewer : public TiCustomComponent {
public:
    explicit TiPlotLayoutViewer(TComponent* owner);
    ~TiPlotLayoutViewer() override;

    void SetMaster(TiPlotMasterManager* value) { FMaster = value; }
    void SetLayoutManager(TiPlotLayoutManager* value) { FLayoutManager = value; }
    void SetTranslationManager(TiPlotTranslationManager* value) { FTranslationManager = value; }
    TiPlotLayoutManager* LayoutManager() const { return FLayoutManager; }
    TFont* Font() const { return FFont.get(); }

    // The first object (not a data-view stand-in) whose rectangle holds the point; null.
    TiPlotLayoutObject* GetMouseOverBlock(int x, int y) const;
    // The band under the point; null.
    const TBlockObject* GetMouseOverBlock2(int x, int y) const;

    // Computes the bands and the objects' rectangles for the current size (every paint does).
    void LayoutPass(TCanvas* canvas);
    void PaintToCanvas(TCanvas* canvas) override;
    void iMouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void iMouseMove(TShiftState shift, int x, int y) override;
    void iMouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    // An object going away is no longer dragged, sized or marked.
    void ForgetObject(const TiPlotObject* object);

    // ---- state, for the page that shows it
    int CellWidth() const { return FCellWidth; }
    const TRect& ViewRect() const { return FViewRect; }
    const TRect& DataViewRect() const { return FDataViewRect; }
    const std::vector<std::unique_ptr<TBlockObject>>& Blocks() const { return FBlockList; }
    TiLayoutEditMode EditMode() const { return FEditMode; }
    TiPlotLayoutObject* SelectedBlock() const { return FSelectedBlock; }
    TiPlotLayoutObject* ResizeBlock() const { return FResizeBlock; }
    TiPlotLayoutObject* OverLayoutObject() const { return FOverLayoutObject; }
    const TBlockObject* DragOverBlock() const { return FDragOverRefBlock2; }
    TiInsertDirection InsertDirection() const { return FInsertDirection; }

    TNotifyEvent OnChange;

private:
    // The first object other than moving (and the data view, and the stand-in of the other
    // orientation) with that orientation and ZOrder.
    TiPlotLayoutObject* SlotOccupant(const TiPlotLayoutObject* moving, bool horizontal,
                                     int zOrder) const;
    void DoChange();
    void DragOver(int x, int y);
    void Drop();
    void SizeDrag(int x, int y);
    std::string Caption(const TiPlotLayoutObject* object) const;

    std::vector<std::unique_ptr<TBlockObject>> FBlockList;
    int FCellWidth = 0;
    bool FMouseDown = false;
    int FMouseDownX = 0;
    int FMouseDownY = 0;
    double FMouseDownStartPercent = 0;
    double FMouseDownStopPercent = 0;
    TRect FViewRect{};
    TRect FDataViewRect{};
    int FDataViewWidth = 0;
    int FDataViewHeight = 0;
    TiLayoutEditMode FEditMode = ilemNone;
    TiLayoutSizingSide FSizingSide = ilssStart;
    TiPlotLayoutObject* FSelectedBlock = nullptr;
    TiPlotLayoutObject* FResizeBlock = nullptr;
    TiPlotLayoutObject* FOverLayoutObject = nullptr;
    const TBlockObject* FDragOverRefBlock2 = nullptr;
    TiInsertDirection FInsertDirection = iidMerge;
    TiPlotLayoutManager* FLayoutManager = nullptr;
    TiPlotMasterManager* FMaster = nullptr;
    std::unique_ptr<TFont> FFont;
    TiPlotTranslationManager* FTranslationManager = nullptr;
};

}  // namespace dsp

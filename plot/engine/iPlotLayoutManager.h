#pragma once
// TiPlotLayoutManager: keeps the bands (ZOrder) of the layout objects consistent as objects come
// and go, marks where the data view lies in the horizontal and the vertical sequence with two
// stand-in objects, and sorts the objects into the four side lists the plot's layout reads.
//
// Horizontal objects lie along the width of the data view, below it when their ZOrder is at most
// the horizontal stand-in's, above it otherwise; vertical objects lie left of it up to the
// vertical stand-in's ZOrder, right of it beyond. Objects of one orientation and ZOrder form a
// band and share it along the side by their start and stop percentages.

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "plot/engine/iPlotManagers.h"

namespace dsp {

// The data view's stand-ins in the two sequences: never in a side list, never drawn.
class TiPlotDataViewLayout : public TiPlotLayoutObject {
public:
    using TiPlotLayoutObject::TiPlotLayoutObject;
    TiPlotObjectKind Kind() const override { return TiPlotObjectKind::DataViewLayout; }
};

class TiPlotDataViewHorz : public TiPlotDataViewLayout {
public:
    using TiPlotDataViewLayout::TiPlotDataViewLayout;
};

class TiPlotDataViewVert : public TiPlotDataViewLayout {
public:
    using TiPlotDataViewLayout::TiPlotDataViewLayout;
};

enum TiInsertDirection { iidMerge, iidBelow, iidAbove };

// A side list: objects sorted by band key, then start key ("002050": band 2 at 50 percent);
// an object is inserted before others of the same key.
using TiLayoutSideList = std::vector<std::pair<std::string, TiPlotLayoutObject*>>;

class TiPlotLayoutManager : public TiPlotObjectManagerCustom {
public:
    TiPlotLayoutManager(TWinControl* owner, TNotifyEvent onChange, TNotifyEvent onInsert,
                        TNotifyEvent onRemove, TNotifyEvent onRename);
    ~TiPlotLayoutManager() override;

    TiPlotObject* CreateObject() override;
    std::string GetNamePrefix() const override { return "Layout Object"; }
    void NotificationInsert(TiPlotObject* sender) override;

    TiPlotLayoutObject* GetItem(int index) const;
    bool Enabled() const { return FEnabled; }
    // Switching on rebuilds the side lists; while off, no band bookkeeping and no rebuilding.
    void SetEnabled(bool value);
    bool XYAxesReverse() const { return FXYAxesReverse; }
    void SetXYAxesReverse(bool value);
    TiPlotDataViewHorz* DataViewHorz() const { return FDataViewHorz; }
    TiPlotDataViewVert* DataViewVert() const { return FDataViewVert; }

    const TiLayoutSideList& TopList() const { return FTopList; }
    const TiLayoutSideList& BottomList() const { return FBottomList; }
    const TiLayoutSideList& LeftList() const { return FLeftList; }
    const TiLayoutSideList& RightList() const { return FRightList; }
    int TopUniqueCount() const { return FTopUniqueCount; }
    int BottomUniqueCount() const { return FBottomUniqueCount; }
    int LeftUniqueCount() const { return FLeftUniqueCount; }
    int RightUniqueCount() const { return FRightUniqueCount; }

    void InsertZOrder(TiPlotLayoutObject* newObject, int desiredZOrder,
                      TiInsertDirection insertDirection);
    void RemoveZOrder(TiPlotLayoutObject* object);
    void RebuildSideLists();
    static int CountUniqueZOrders(const TiLayoutSideList& list);
    static int VisibleCount(const TiLayoutSideList& list);
    void ReinsertAxes();

protected:
    void DoObjectRemoved(TiPlotObject* object) override;

private:
    bool FXYAxesReverse = false;
    TiPlotDataViewHorz* FDataViewHorz = nullptr;
    TiPlotDataViewVert* FDataViewVert = nullptr;
    bool FEnabled = false;
    bool FUpdating = false;
    bool FUpdateOccured = false;
    TiLayoutSideList FTopList;
    TiLayoutSideList FBottomList;
    TiLayoutSideList FLeftList;
    TiLayoutSideList FRightList;
    int FLeftUniqueCount = 0;
    int FRightUniqueCount = 0;
    int FBottomUniqueCount = 0;
    int FTopUniqueCount = 0;
};

}  // namespace dsp

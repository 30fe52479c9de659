#include "plot/engine/iPlotLayoutManager.h"

#include <algorithm>

#include "framework/core/Exceptions.h"
#include "framework/text/Numbers.h"

namespace dsp {

namespace {

bool IsDataView(const TiPlotObject* object) { return object->Kind() == TiPlotObjectKind::DataView; }

bool IsPlaceholder(const TiPlotObject* object) {
    return object->Kind() == TiPlotObjectKind::DataViewLayout;
}

bool IsAxis(const TiPlotObject* object) {
    return object->Kind() == TiPlotObjectKind::XAxis || object->Kind() == TiPlotObjectKind::YAxis;
}

// Inserts before the entries of an equal key, as a sorted list that accepts duplicates does.
void InsertSorted(TiLayoutSideList& list, std::string key, TiPlotLayoutObject* object) {
    const auto at =
        std::lower_bound(list.begin(), list.end(), key,
                         [](const auto& entry, const std::string& k) { return entry.first < k; });
    list.insert(at, {std::move(key), object});
}

}  // namespace

TiPlotLayoutManager::TiPlotLayoutManager(TWinControl* owner, TNotifyEvent onChange,
                                         TNotifyEvent onInsert, TNotifyEvent onRemove,
                                         TNotifyEvent onRename)
    : TiPlotObjectManagerCustom(owner, onChange, onInsert, onRemove, onRename) {
    FEnabled = false;
    FDataViewHorz = new TiPlotDataViewHorz(owner, FOnChange, FOnInsert, FOnRemove, FOnRename);
    FDataViewHorz->SetHorizontal(true);
    FDataViewHorz->SetZOrder(1);
    FDataViewHorz->SetName("Data View");
    // The stand-ins belong to this manager from the start, whoever else hears of them.
    InsertObject(FDataViewHorz);
    FDataViewHorz->DoInsert();
    FDataViewVert = new TiPlotDataViewVert(owner, FOnChange, FOnInsert, FOnRemove, FOnRename);
    FDataViewVert->SetHorizontal(false);
    FDataViewVert->SetZOrder(1);
    FDataViewVert->SetName("Data View");
    InsertObject(FDataViewVert);
    FDataViewVert->DoInsert();
    FEnabled = true;
}

TiPlotLayoutManager::~TiPlotLayoutManager() {
    FEnabled = false;
    TiPlotObject::FreeObject(FDataViewHorz);
    FDataViewHorz = nullptr;
    TiPlotObject::FreeObject(FDataViewVert);
    FDataViewVert = nullptr;
}

TiPlotObject* TiPlotLayoutManager::CreateObject() {
    throw Exception("Layout Manager does not support creation of objects");
}

TiPlotLayoutObject* TiPlotLayoutManager::GetItem(int index) const {
    return GetPlotObject(index)->AsLayoutObject();
}

void TiPlotLayoutManager::SetEnabled(bool value) {
    if (value == FEnabled) return;
    FEnabled = value;
    if (value) RebuildSideLists();
}

void TiPlotLayoutManager::SetXYAxesReverse(bool value) {
    if (value == FXYAxesReverse) return;
    FXYAxesReverse = value;
    if (FEnabled) ReinsertAxes();
}

void TiPlotLayoutManager::NotificationInsert(TiPlotObject* sender) {
    TiPlotLayoutObject* object = sender != nullptr ? sender->AsLayoutObject() : nullptr;
    if (object == nullptr) return;
    InsertObject(object);
    switch (object->Kind()) {
        case TiPlotObjectKind::XAxis:
        case TiPlotObjectKind::YAxis:
        case TiPlotObjectKind::ToolBar:
        case TiPlotObjectKind::Legend:
        case TiPlotObjectKind::DataView:
        case TiPlotObjectKind::Label:
            object->SetOnLayoutChange([this](TObject*) { RebuildSideLists(); });
            break;
        default: break;
    }
    if (object->Kind() == TiPlotObjectKind::XAxis) object->SetHorizontal(!FXYAxesReverse);
    if (object->Kind() == TiPlotObjectKind::YAxis) object->SetHorizontal(FXYAxesReverse);
    if (FEnabled) InsertZOrder(object, 0, iidMerge);
}

void TiPlotLayoutManager::DoObjectRemoved(TiPlotObject* object) {
    for (TiLayoutSideList* list : {&FTopList, &FBottomList, &FLeftList, &FRightList}) {
        list->erase(std::remove_if(list->begin(), list->end(),
                                   [object](const auto& e) { return e.second == object; }),
                    list->end());
    }
    if (FEnabled && object->AsLayoutObject() != nullptr) RemoveZOrder(object->AsLayoutObject());
}

void TiPlotLayoutManager::InsertZOrder(TiPlotLayoutObject* newObject, int desiredZOrder,
                                       TiInsertDirection insertDirection) {
    // The others of the same orientation, in list order; a band change of one of them may
    // rebuild the side lists but never changes this list.
    std::vector<TiPlotLayoutObject*> others;
    for (TiPlotObject* o : FList) {
        TiPlotLayoutObject* other = o->AsLayoutObject();
        if (other == nullptr || other == newObject) continue;
        if (other->Horizontal() != newObject->Horizontal()) continue;
        others.push_back(other);
    }
    bool makeRoom = insertDirection != iidMerge;
    if (insertDirection == iidMerge) {
        for (TiPlotLayoutObject* other : others) {
            if (IsDataView(other) || other->ZOrder() != desiredZOrder) continue;
            const bool overlap = !(other->StartPercent() >= newObject->StopPercent()) &&
                                 other->StopPercent() > newObject->StartPercent();
            const bool same = other->StartPercent() == newObject->StartPercent() &&
                              other->StopPercent() == newObject->StopPercent();
            if (overlap || same) {
                makeRoom = true;
                break;
            }
        }
    }
    if (makeRoom) {
        for (TiPlotLayoutObject* other : others) {
            if (IsDataView(other)) continue;
            const bool moves = insertDirection == iidAbove ? other->ZOrder() > desiredZOrder
                                                           : other->ZOrder() >= desiredZOrder;
            if (moves) other->SetZOrder(other->ZOrder() + 1);
        }
        newObject->SetZOrder(insertDirection == iidAbove ? desiredZOrder + 1 : desiredZOrder);
    } else {
        newObject->SetZOrder(desiredZOrder);
    }
    RebuildSideLists();
}

void TiPlotLayoutManager::RemoveZOrder(TiPlotLayoutObject* object) {
    bool alone = true;
    for (TiPlotObject* o : FList) {
        TiPlotLayoutObject* other = o->AsLayoutObject();
        if (other == nullptr || other == object || IsDataView(other)) continue;
        if (other->Horizontal() == object->Horizontal() && other->ZOrder() == object->ZOrder()) {
            alone = false;
            break;
        }
    }
    if (alone) {
        std::vector<TiPlotLayoutObject*> above;
        for (TiPlotObject* o : FList) {
            TiPlotLayoutObject* other = o->AsLayoutObject();
            if (other == nullptr || other == object) continue;
            if (other->Horizontal() == object->Horizontal() && other->ZOrder() > object->ZOrder()) {
                above.push_back(other);
            }
        }
        for (TiPlotLayoutObject* other : above) other->SetZOrder(other->ZOrder() - 1);
    }
    RebuildSideLists();
}

void TiPlotLayoutManager::RebuildSideLists() {
    if (!FEnabled) return;
    if (FUpdating) {
        FUpdateOccured = true;
        return;
    }
    FTopList.clear();
    FBottomList.clear();
    FLeftList.clear();
    FRightList.clear();
    // Setting the sides notifies, and a notification may come back here: work on a copy.
    const std::vector<TiPlotObject*> objects = FList;
    for (TiPlotObject* o : objects) {
        TiPlotLayoutObject* object = o->AsLayoutObject();
        if (object == nullptr || IsDataView(object) || IsPlaceholder(object)) continue;
        std::string key = object->GetZOrderKey() + object->GetStartPercentKey();
        if (object->IsHorz()) {
            const bool above = FDataViewHorz->ZOrder() < object->ZOrder();
            object->SetReverseSide(above);
            InsertSorted(above ? FTopList : FBottomList, std::move(key), object);
        } else {
            const bool right = FDataViewVert->ZOrder() < object->ZOrder();
            object->SetReverseSide(right);
            InsertSorted(right ? FRightList : FLeftList, std::move(key), object);
        }
    }
    FLeftUniqueCount = CountUniqueZOrders(FLeftList);
    FRightUniqueCount = CountUniqueZOrders(FRightList);
    FTopUniqueCount = CountUniqueZOrders(FTopList);
    FBottomUniqueCount = CountUniqueZOrders(FBottomList);
}

int TiPlotLayoutManager::CountUniqueZOrders(const TiLayoutSideList& list) {
    if (list.empty()) return 0;
    auto bandOf = [](const std::string& key) {
        return static_cast<int>(StrToIntDef(key.substr(0, 3), 0));
    };
    int count = 1;
    int largest = bandOf(list.front().first);
    for (const auto& entry : list) {
        const int band = bandOf(entry.first);
        if (band > largest) {
            ++count;
            largest = band;
        }
    }
    return count;
}

int TiPlotLayoutManager::VisibleCount(const TiLayoutSideList& list) {
    return static_cast<int>(
        std::count_if(list.begin(), list.end(), [](const auto& e) { return e.second->Visible(); }));
}

void TiPlotLayoutManager::ReinsertAxes() {
    // Keyed by the unpadded band text, so "10" sorts before "2".
    TiLayoutSideList axes;
    for (TiPlotObject* o : FList) {
        if (IsAxis(o))
            InsertSorted(axes, IntToStr(o->AsLayoutObject()->ZOrder()), o->AsLayoutObject());
    }
    for (const auto& [key, axis] : axes) {
        RemoveZOrder(axis);
        const bool xAxis = axis->Kind() == TiPlotObjectKind::XAxis;
        axis->SetHorizontal(xAxis ? !FXYAxesReverse : FXYAxesReverse);
        InsertZOrder(axis, 0, iidMerge);
    }
}

}  // namespace dsp

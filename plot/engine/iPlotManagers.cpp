#include "plot/engine/iPlotManagers.h"

#include <algorithm>
#include <cctype>
#include <limits>
#include <map>
#include <optional>

#include "framework/core/Exceptions.h"
#include "framework/text/Filer.h"
#include "framework/text/Numbers.h"
#include "framework/text/StrUtils.h"
#include "plot/engine/iPlotAnnotation.h"
#include "plot/engine/iPlotAxis.h"
#include "plot/engine/iPlotChannelCustom.h"
#include "plot/engine/iPlotDataCursor.h"
#include "plot/engine/iPlotDataView.h"
#include "plot/engine/iPlotLabel.h"
#include "plot/engine/iPlotLegend.h"
#include "plot/engine/iPlotLimit.h"
#include "plot/engine/iPlotTable.h"
#include "plot/engine/iPlotToolBar.h"

namespace dsp {

// ---- classes by kind

namespace {

std::map<TiPlotObjectKind, TiPlotObjectFactory>& Registry() {
    static std::map<TiPlotObjectKind, TiPlotObjectFactory> registry{
        {TiPlotObjectKind::ToolBar, PlotObjectFactory<TiPlotToolBar>()},
        {TiPlotObjectKind::Legend, PlotObjectFactory<TiPlotLegend>()},
        {TiPlotObjectKind::XAxis, PlotObjectFactory<TiPlotXAxis>()},
        {TiPlotObjectKind::YAxis, PlotObjectFactory<TiPlotYAxis>()},
        {TiPlotObjectKind::DataView, PlotObjectFactory<TiPlotDataView>()},
        {TiPlotObjectKind::Label, PlotObjectFactory<TiPlotLabel>()},
        {TiPlotObjectKind::DataCursor, PlotObjectFactory<TiPlotDataCursor>()},
        {TiPlotObjectKind::Limit, PlotObjectFactory<TiPlotLimit>()},
        {TiPlotObjectKind::Table, PlotObjectFactory<TiPlotTable>()},
        {TiPlotObjectKind::Annotation, PlotObjectFactory<TiPlotAnnotation>()},
    };
    return registry;
}

const char* KindName(TiPlotObjectKind kind) {
    switch (kind) {
        case TiPlotObjectKind::ToolBar: return "toolbar";
        case TiPlotObjectKind::Legend: return "legend";
        case TiPlotObjectKind::Table: return "table";
        case TiPlotObjectKind::XAxis: return "X axis";
        case TiPlotObjectKind::YAxis: return "Y axis";
        case TiPlotObjectKind::Channel: return "channel";
        case TiPlotObjectKind::DataView: return "data view";
        case TiPlotObjectKind::DataCursor: return "data cursor";
        case TiPlotObjectKind::Limit: return "limit";
        case TiPlotObjectKind::Label: return "label";
        case TiPlotObjectKind::Annotation: return "annotation";
        default: return "object";
    }
}

}  // namespace

// ---- the form stream

void TiPlotObjectManagerCustom::WriteToStream(TWriter& writer) const {
    writer.WriteValue(vaCollection);
    for (TiPlotObject* object : FList) {
        writer.WriteListBegin();
        writer.WriteProperties(*object);
        writer.WriteListEnd();
    }
    writer.WriteListEnd();
}

void TiPlotObjectManagerCustom::ReadFromStream(TReader& reader) {
    Clear();
    if (reader.ReadValue() != vaCollection) return;
    while (!reader.EndOfList()) {
        TiPlotObject* object = CreateObject();
        try {
            reader.ReadListBegin();
            while (!reader.EndOfList()) reader.ReadProperty(*object);
            reader.ReadListEnd();
        } catch (...) {
            // Never announced: it goes without a word to the managers or the plot.
            object->DetachNotifications();
            TiPlotObject::FreeObject(object);
            throw;
        }
        object->DoInsert();
    }
    reader.ReadListEnd();
}

void RegisterPlotObjectClass(TiPlotObjectKind kind, TiPlotObjectFactory factory) {
    Registry()[kind] = std::move(factory);
}

TiPlotObjectFactory PlotObjectClass(TiPlotObjectKind kind) {
    const auto it = Registry().find(kind);
    return it == Registry().end() ? TiPlotObjectFactory{} : it->second;
}

// ---- TiPlotObjectManagerCustom

TiPlotObjectManagerCustom::TiPlotObjectManagerCustom(TWinControl* owner, TNotifyEvent onChange,
                                                     TNotifyEvent onInsert, TNotifyEvent onRemove,
                                                     TNotifyEvent onRename) {
    if (owner == nullptr) throw Exception("Owner must be Assigned");
    if (!onChange) throw Exception("OnChange event handler can not be null");
    if (!onInsert) throw Exception("OnInsert event handler can not be null");
    if (!onRemove) throw Exception("OnRemove event handler can not be null");
    if (!onRename) throw Exception("AOnRename event handler can not be null");
    FOwner = owner;
    FOnChange = std::move(onChange);
    FOnInsert = std::move(onInsert);
    FOnRemove = std::move(onRemove);
    FOnRename = std::move(onRename);
    FOnInsert(this);
}

TiPlotObjectManagerCustom::~TiPlotObjectManagerCustom() {
    if (FOnRemove) FOnRemove(this);
}

void TiPlotObjectManagerCustom::InsertObject(TiPlotObject* object) {
    if (std::find(FList.begin(), FList.end(), object) == FList.end()) FList.push_back(object);
}

void TiPlotObjectManagerCustom::NotificationRemove(TiPlotObject* sender) {
    const auto it = std::find(FList.rbegin(), FList.rend(), sender);
    if (it == FList.rend()) return;
    FList.erase(std::next(it).base());
    DoObjectRemoved(sender);
    DoChange();
}

void TiPlotObjectManagerCustom::NotificationRename(TiPlotObject* sender) {
    const std::vector<TiPlotObject*> objects = FList;
    for (TiPlotObject* object : objects) object->NotificationRename(sender);
}

void TiPlotObjectManagerCustom::NotificationSetFocus(TiPlotObject* sender) {
    const std::vector<TiPlotObject*> objects = FList;
    for (TiPlotObject* object : objects) object->NotificationSetFocus(sender);
}

void TiPlotObjectManagerCustom::Delete(int index) {
    GetPlotObject(index);
    FList.erase(FList.begin() + index);
}

void TiPlotObjectManagerCustom::DoObjectRemoved(TiPlotObject*) {}

void TiPlotObjectManagerCustom::DoChange() {
    if (FOnChange) FOnChange(this);
}

TiPlotObject* TiPlotObjectManagerCustom::GetPlotObject(int index) const {
    if (index < 0 || index >= GetCount()) throw EListError::IndexOutOfBounds(index);
    return FList[static_cast<std::size_t>(index)];
}

int TiPlotObjectManagerCustom::GetIndex(const TiPlotObject* object) const {
    const auto it = std::find(FList.begin(), FList.end(), object);
    return it == FList.end() ? -1 : static_cast<int>(it - FList.begin());
}

TiPlotObject* TiPlotObjectManagerCustom::GetObjectByName(const std::string& value) const {
    for (TiPlotObject* object : FList) {
        if (SameText(object->Name(), value)) return object;
    }
    return nullptr;
}

int TiPlotObjectManagerCustom::GetIndexByName(const std::string& value) const {
    return GetIndex(GetObjectByName(value));
}

namespace {

// The whole text as a whole number after leading blanks, saturated to 64 bits; none when it
// is not one.
std::optional<long long> NumberAfterBlanks(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    if (i == text.size()) return std::nullopt;
    long long value = 0;
    constexpr long long kMax = std::numeric_limits<long long>::max();
    for (; i < text.size(); ++i) {
        if (!std::isdigit(static_cast<unsigned char>(text[i]))) return std::nullopt;
        const int digit = text[i] - '0';
        value = value > (kMax - digit) / 10 ? kMax : value * 10 + digit;
    }
    return negative ? -value : value;
}

}  // namespace

std::string TiPlotObjectManagerCustom::GetNextName() const {
    const std::string prefix = GetNamePrefix();
    long long highest = 0;
    for (const TiPlotObject* object : FList) {
        const std::string& name = object->Name();
        if (name.size() < prefix.size()) continue;
        if (!SameText(std::string_view(name).substr(0, prefix.size()), prefix)) continue;
        const auto number = NumberAfterBlanks(std::string_view(name).substr(prefix.size()));
        if (number && *number > highest) highest = *number;
    }
    const long long next = highest == std::numeric_limits<long long>::max() ? highest : highest + 1;
    return prefix + " " + IntToStr(next);
}

// ---- TiPlotObjectOwnedManager

TiPlotObjectOwnedManager::TiPlotObjectOwnedManager(TiPlotObjectKind kind, std::string prefix,
                                                   TWinControl* owner, TNotifyEvent onChange,
                                                   TNotifyEvent onInsert, TNotifyEvent onRemove,
                                                   TNotifyEvent onRename)
    : TiPlotObjectManagerCustom(owner, std::move(onChange), std::move(onInsert),
                                std::move(onRemove), std::move(onRename)),
      kind_(kind),
      prefix_(std::move(prefix)) {}

TiPlotObjectOwnedManager::~TiPlotObjectOwnedManager() { Clear(); }

TiPlotObjectFactory TiPlotObjectOwnedManager::ObjectClass() const { return PlotObjectClass(kind_); }

TiPlotObject* TiPlotObjectOwnedManager::CreateObject() {
    const TiPlotObjectFactory factory = ObjectClass();
    if (!factory) throw Exception(std::string("No class is registered for the ") + KindName(kind_));
    TiPlotObject* object = factory(FOwner, FOnChange, FOnInsert, FOnRemove, FOnRename);
    if (object->Kind() != kind_) {
        object->DetachNotifications();
        TiPlotObject::FreeObject(object);
        throw Exception(std::string("The registered class is not a ") + KindName(kind_));
    }
    return object;
}

void TiPlotObjectOwnedManager::NotificationInsert(TiPlotObject* sender) {
    if (sender == nullptr || sender->Kind() != kind_) return;
    InsertObject(sender);
    if (!sender->Name().empty()) return;
    sender->SetName(GetNextName());
    ApplyDefaults(sender);
}

void TiPlotObjectOwnedManager::NotificationRemove(TiPlotObject* sender) {
    const std::vector<TiPlotObject*> objects = FList;
    for (TiPlotObject* object : objects) {
        if (object != sender) object->NotificationRemove(sender);
    }
    TiPlotObjectManagerCustom::NotificationRemove(sender);
}

void TiPlotObjectOwnedManager::Clear() {
    const std::vector<TiPlotObject*> objects = FList;
    for (TiPlotObject* object : objects) {
        TiPlotObject::FreeObject(object);
        // An object not wired to this manager (its handlers detached) leaves the list here.
        const auto it = std::find(FList.begin(), FList.end(), object);
        if (it != FList.end()) FList.erase(it);
    }
}

void TiPlotObjectOwnedManager::ApplyDefaults(TiPlotObject*) {}

// ---- per-kind managers

#define DSP_KIND_MANAGER(Manager, Kind, Prefix, Item)                                          \
    Manager::Manager(TWinControl* owner, TNotifyEvent onChange, TNotifyEvent onInsert,         \
                     TNotifyEvent onRemove, TNotifyEvent onRename)                             \
        : TiPlotObjectOwnedManager(TiPlotObjectKind::Kind, Prefix, owner, std::move(onChange), \
                                   std::move(onInsert), std::move(onRemove),                   \
                                   std::move(onRename)) {}                                     \
    Item* Manager::GetItem(int index) const { return static_cast<Item*>(GetPlotObject(index)); }

DSP_KIND_MANAGER(TiPlotToolBarManager, ToolBar, "Toolbar", TiPlotToolBar)
DSP_KIND_MANAGER(TiPlotLegendManager, Legend, "Legend", TiPlotLegend)
DSP_KIND_MANAGER(TiPlotTableManager, Table, "Table", TiPlotTable)
DSP_KIND_MANAGER(TiPlotXAxisManager, XAxis, "X-Axis", TiPlotXAxis)
DSP_KIND_MANAGER(TiPlotYAxisManager, YAxis, "Y-Axis", TiPlotYAxis)
DSP_KIND_MANAGER(TiPlotDataCursorManager, DataCursor, "Cursor", TiPlotDataCursor)
DSP_KIND_MANAGER(TiPlotLabelManager, Label, "Label", TiPlotLabel)
DSP_KIND_MANAGER(TiPlotAnnotationManager, Annotation, "Annotation", TiPlotAnnotation)
#undef DSP_KIND_MANAGER

#define DSP_AXIS_REFERENCING_MANAGER(Manager, Kind, Prefix, Item)                                  \
    Manager::Manager(TWinControl* owner, TNotifyEvent onChange, TNotifyEvent onInsert,             \
                     TNotifyEvent onRemove, TNotifyEvent onRename)                                 \
        : TiPlotAxisReferencingManager(TiPlotObjectKind::Kind, Prefix, owner, std::move(onChange), \
                                       std::move(onInsert), std::move(onRemove),                   \
                                       std::move(onRename)) {}                                     \
    Item* Manager::GetItem(int index) const { return static_cast<Item*>(GetPlotObject(index)); }

DSP_AXIS_REFERENCING_MANAGER(TiPlotChannelManager, Channel, "Channel", TiPlotChannelCustom)
DSP_AXIS_REFERENCING_MANAGER(TiPlotDataViewManager, DataView, "Data View", TiPlotDataView)
DSP_AXIS_REFERENCING_MANAGER(TiPlotLimitManager, Limit, "Limit", TiPlotLimit)
#undef DSP_AXIS_REFERENCING_MANAGER

void TiPlotXAxisManager::ApplyDefaults(TiPlotObject* object) {
    static_cast<TiPlotAxis*>(object)->SetTitle(object->Name());
}

void TiPlotYAxisManager::ApplyDefaults(TiPlotObject* object) {
    static_cast<TiPlotAxis*>(object)->SetTitle(object->Name());
}

void TiPlotLabelManager::ApplyDefaults(TiPlotObject* object) {
    static_cast<TiPlotLabel*>(object)->SetCaption(object->Name());
}

void TiPlotAnnotationManager::NotificationInsert(TiPlotObject* sender) {
    if (sender == nullptr || sender->Kind() != TiPlotObjectKind::Annotation) return;
    InsertObject(sender);
}

void TiPlotAxisReferencingManager::ForgetManager(const TObject* manager) {
    if (manager == FXAxisManager) FXAxisManager = nullptr;
    if (manager == FYAxisManager) FYAxisManager = nullptr;
}

std::string TiPlotAxisReferencingManager::FirstXAxisName() const {
    return FXAxisManager != nullptr && FXAxisManager->GetCount() > 0
               ? FXAxisManager->GetPlotObject(0)->Name()
               : std::string();
}

std::string TiPlotAxisReferencingManager::FirstYAxisName() const {
    return FYAxisManager != nullptr && FYAxisManager->GetCount() > 0
               ? FYAxisManager->GetPlotObject(0)->Name()
               : std::string();
}

TiPlotObjectFactory TiPlotChannelManager::ObjectClass() const {
    return FChannelClass ? FChannelClass : PlotObjectClass(TiPlotObjectKind::Channel);
}

void TiPlotChannelManager::ApplyDefaults(TiPlotObject* object) {
    auto* channel = static_cast<TiPlotChannelCustom*>(object);
    channel->SetTitleText(channel->Name());
    channel->SetColor(GetNextChannelColor());
    if (FXAxisManager != nullptr && FXAxisManager->GetCount() > 0) {
        channel->SetXAxisName(FirstXAxisName());
    }
    if (FYAxisManager != nullptr && FYAxisManager->GetCount() > 0) {
        channel->SetYAxisName(FirstYAxisName());
    }
}

TColor TiPlotChannelManager::GetNextChannelColor() const {
    // clang-format off
    static constexpr TColor kPalette[] = {
        static_cast<TColor>(RGB(255, 0, 0)), static_cast<TColor>(RGB(255, 255, 0)),
        static_cast<TColor>(RGB(0, 0, 255)), static_cast<TColor>(RGB(255, 0, 255)),
        static_cast<TColor>(RGB(0, 255, 255)), static_cast<TColor>(RGB(0, 255, 0)),
        static_cast<TColor>(RGB(255, 255, 255)), static_cast<TColor>(RGB(128, 0, 0)),
        static_cast<TColor>(RGB(0, 128, 0)), static_cast<TColor>(RGB(128, 128, 0)),
        static_cast<TColor>(RGB(0, 0, 128)), static_cast<TColor>(RGB(128, 0, 128)),
        static_cast<TColor>(RGB(0, 128, 128)), static_cast<TColor>(RGB(128, 128, 128)),
        static_cast<TColor>(RGB(192, 0, 0)), static_cast<TColor>(RGB(0, 192, 0)),
        static_cast<TColor>(RGB(192, 192, 0)), static_cast<TColor>(RGB(0, 0, 192)),
        static_cast<TColor>(RGB(192, 0, 192)), static_cast<TColor>(RGB(0, 192, 192)),
        static_cast<TColor>(RGB(192, 192, 192)), static_cast<TColor>(RGB(255, 128, 0)),
        static_cast<TColor>(RGB(255, 0, 128)), static_cast<TColor>(RGB(255, 128, 128)),
        static_cast<TColor>(RGB(128, 0, 255)), static_cast<TColor>(RGB(0, 128, 255)),
        static_cast<TColor>(RGB(128, 128, 255)), static_cast<TColor>(RGB(128, 255, 0)),
        static_cast<TColor>(RGB(0, 255, 128)), static_cast<TColor>(RGB(128, 255, 128)),
    };
    // clang-format on
    if (GetCount() < 2) return clRed;
    int counts[std::size(kPalette)] = {};
    for (const TiPlotObject* object : FList) {
        const TColor color = static_cast<const TiPlotChannelCustom*>(object)->Color();
        for (std::size_t i = 0; i < std::size(kPalette); ++i) {
            if (kPalette[i] == color) ++counts[i];
        }
    }
    const int* least = std::min_element(std::begin(counts), std::end(counts));
    return kPalette[static_cast<std::size_t>(least - counts)];
}

void TiPlotDataViewManager::ApplyDefaults(TiPlotObject* object) {
    auto* dataView = static_cast<TiPlotDataView*>(object);
    if (FXAxisManager != nullptr && FXAxisManager->GetCount() > 0) {
        dataView->SetGridXAxisName(FirstXAxisName());
    }
    if (FYAxisManager != nullptr && FYAxisManager->GetCount() > 0) {
        dataView->SetGridYAxisName(FirstYAxisName());
    }
}

void TiPlotLimitManager::ApplyDefaults(TiPlotObject* object) {
    auto* limit = static_cast<TiPlotLimit*>(object);
    if (FXAxisManager != nullptr && FXAxisManager->GetCount() > 0) {
        limit->SetXAxisName(FirstXAxisName());
    }
    if (FYAxisManager != nullptr && FYAxisManager->GetCount() > 0) {
        limit->SetYAxisName(FirstYAxisName());
    }
}

void TiPlotDataCursorManager::ForgetManager(const TObject* manager) {
    if (manager == FChannelManager) FChannelManager = nullptr;
    if (manager == FDataViewManager) FDataViewManager = nullptr;
}

void TiPlotDataCursorManager::ApplyDefaults(TiPlotObject* object) {
    auto* cursor = static_cast<TiPlotDataCursor*>(object);
    if (FDataViewManager != nullptr && FDataViewManager->GetCount() > 0) {
        cursor->SetDataView(FDataViewManager->GetItem(0));
    }
    if (FChannelManager != nullptr && FChannelManager->GetCount() > 0) {
        cursor->SetChannelName(FChannelManager->GetPlotObject(0)->Name());
    }
}

// ---- TiPlotObjectManager

TiPlotObject* TiPlotObjectManager::CreateObject() {
    throw Exception("Object Manager does not support creation of objects");
}

void TiPlotObjectManager::NotificationInsert(TiPlotObject* sender) {
    if (sender != nullptr) InsertObject(sender);
}

void TiPlotObjectManager::ClearAllUserSelections() {
    const std::vector<TiPlotObject*> objects = FList;
    for (TiPlotObject* object : objects) {
        if (GetIndex(object) >= 0) object->SetUserSelected(false);
    }
}

void TiPlotObjectManager::SetShiftState(TShiftState value) {
    for (TiPlotObject* object : FList) object->SetShiftState(value);
}

template <typename F>
void TiPlotObjectManager::ForEachSelected(F&& f) {
    const std::vector<TiPlotObject*> objects = FList;
    for (TiPlotObject* object : objects) {
        if (GetIndex(object) < 0 || !object->UserSelected()) continue;
        f(object);
    }
}

void TiPlotObjectManager::MouseDownFocusObjects(TMouseButton button, TShiftState shift, int x,
                                                int y, int screenX, int screenY,
                                                TPopupMenu* popupMenu) {
    ForEachSelected([&](TiPlotObject* object) {
        object->DoMouseDown(button, shift, x, y, screenX, screenY, popupMenu);
    });
}

void TiPlotObjectManager::MouseMoveFocusObjects(const TiHintData& hintData, TShiftState shift,
                                                int x, int y, int screenX, int screenY,
                                                bool dblClickActive) {
    ForEachSelected([&](TiPlotObject* object) {
        TiHintData copy = hintData;
        object->iMouseMove(copy, shift, x, y, screenX, screenY, dblClickActive);
    });
}

void TiPlotObjectManager::MouseUpFocusObjects(TMouseButton button, TShiftState shift, int x, int y,
                                              int screenX, int screenY, bool dblClickActive,
                                              TPopupMenu* popupMenu) {
    ForEachSelected([&](TiPlotObject* object) {
        object->DoMouseRelease(button, shift, x, y, screenX, screenY, dblClickActive, popupMenu);
    });
}

void TiPlotObjectManager::KeyDownFocusObjects(TKeyCode& charCode, TShiftState shift,
                                              TPopupMenu* popupMenu) {
    ForEachSelected([&](TiPlotObject* object) { object->DoKeyDown(charCode, shift, popupMenu); });
}

bool TiPlotObjectManager::MouseWheelFocusObjects(int wheelDelta, TShiftState shift,
                                                 TPoint mousePos) {
    bool handled = false;
    ForEachSelected([&](TiPlotObject* object) {
        if (object->iMouseWheel(wheelDelta, shift, mousePos)) handled = true;
    });
    return handled;
}

void TiPlotObjectManager::ShutDownSetup() {
    for (TiPlotObject* object : FList) object->DetachNotifications();
}

}  // namespace dsp

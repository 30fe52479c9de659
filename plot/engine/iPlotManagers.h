#pragma once
// Object managers: a plot keeps its objects in one manager per kind (toolbars, legends, tables,
// X axes, Y axes, channels, data views, data cursors, limits, labels, annotations) and in one
// manager of all objects that routes focus input. A kind's manager names new objects ("Channel
// 1", "X-Axis 2"), wires a new channel, data view, data cursor or limit to the first axes or
// channel, picks a new channel's colour from a 30-colour palette and looks objects up by name.
//
// The managers are fixed; the class of each kind is registered by factory, so the kinds whose
// classes come with later units add themselves without changes here. The index in a kind's
// manager is the object's index of its kind (in the plot's events and indexed properties).

#include <functional>
#include <string>
#include <vector>

#include "framework/controls/Menus.h"
#include "framework/controls/WinControl.h"
#include "plot/engine/iPlotObjects.h"

namespace dsp {

class TReader;
class TWriter;
class TiPlotToolBar;
class TiPlotLegend;
class TiPlotTable;
class TiPlotAxis;
class TiPlotXAxis;
class TiPlotYAxis;
class TiPlotChannelCustom;
class TiPlotDataView;
class TiPlotDataCursor;
class TiPlotLimit;
class TiPlotLabel;
class TiPlotAnnotation;

// Makes a plot object of one class with the managed-object wiring.
using TiPlotObjectFactory =
    std::function<TiPlotObject*(TObject* owner, TNotifyEvent onChange, TNotifyEvent onInsert,
                                TNotifyEvent onRemove, TNotifyEvent onRename)>;

template <typename T>
TiPlotObjectFactory PlotObjectFactory() {
    return [](TObject* owner, TNotifyEvent onChange, TNotifyEvent onInsert, TNotifyEvent onRemove,
              TNotifyEvent onRename) -> TiPlotObject* {
        return new T(owner, std::move(onChange), std::move(onInsert), std::move(onRemove),
                     std::move(onRename));
    };
}

// The class a manager makes for a kind. The engine's own kinds are registered from the start;
// a unit that brings the class of another kind (or a replacement) registers it. The class's
// Kind() must be the kind it is registered for.
void RegisterPlotObjectClass(TiPlotObjectKind kind, TiPlotObjectFactory factory);
// The registered class of a kind; empty when none is.
TiPlotObjectFactory PlotObjectClass(TiPlotObjectKind kind);

class TiPlotObjectManagerCustom : public TObject {
public:
    // Raises "Owner must be Assigned" or "... event handler can not be null" for a missing part;
    // then tells the insert handler of itself.
    TiPlotObjectManagerCustom(TWinControl* owner, TNotifyEvent onChange, TNotifyEvent onInsert,
                              TNotifyEvent onRemove, TNotifyEvent onRename);
    // Tells the remove handler of itself (derived managers clear themselves first).
    ~TiPlotObjectManagerCustom() override;

    virtual TiPlotObject* CreateObject() = 0;
    virtual std::string GetNamePrefix() const { return {}; }
    virtual void NotificationInsert(TiPlotObject* sender) = 0;
    // Delists the object (searching from the end) and tells the change handler.
    virtual void NotificationRemove(TiPlotObject* sender);
    virtual void NotificationRename(TiPlotObject* sender);
    virtual void NotificationSetFocus(TiPlotObject* sender);
    virtual void Clear() {}
    // Delists the object at index without freeing it.
    virtual void Delete(int index);

    void InsertObject(TiPlotObject* object);
    int GetCount() const { return static_cast<int>(FList.size()); }
    // Raises the list's index error outside the list.
    TiPlotObject* GetPlotObject(int index) const;
    int GetIndex(const TiPlotObject* object) const;
    // The first object whose name equals value without case, or null; its index, or -1.
    TiPlotObject* GetObjectByName(const std::string& value) const;
    int GetIndexByName(const std::string& value) const;
    // The prefix, a blank and 1 + the highest number behind the prefix among the names.
    std::string GetNextName() const;
    bool DoWriteToStream() const { return !FList.empty(); }
    // The form stream's collection of the objects, each with its stored published properties.
    void WriteToStream(TWriter& writer) const;
    // Clears the manager, then makes one object per item of a collection value, reads its
    // properties and announces it (its stored name keeps it from default naming). Any other
    // value leaves the manager empty.
    void ReadFromStream(TReader& reader);
    TWinControl* Owner() const { return FOwner; }
    const std::vector<TiPlotObject*>& Items() const { return FList; }

protected:
    virtual void DoObjectRemoved(TiPlotObject* object);
    void DoChange();

    std::vector<TiPlotObject*> FList;
    TWinControl* FOwner;
    TNotifyEvent FOnChange;
    TNotifyEvent FOnRemove;
    TNotifyEvent FOnInsert;
    TNotifyEvent FOnRename;
};

// A manager that owns its objects and frees them when cleared or destroyed.
class TiPlotObjectOwnedManager : public TiPlotObjectManagerCustom {
public:
    TiPlotObjectOwnedManager(TiPlotObjectKind kind, std::string prefix, TWinControl* owner,
                             TNotifyEvent onChange, TNotifyEvent onInsert, TNotifyEvent onRemove,
                             TNotifyEvent onRename);
    ~TiPlotObjectOwnedManager() override;

    TiPlotObjectKind ObjectKind() const { return kind_; }
    // A new object of the kind's class with the manager's owner and handlers; it is announced
    // by whoever made it (DoInsert) once it is complete.
    TiPlotObject* CreateObject() override;
    std::string GetNamePrefix() const override { return prefix_; }
    // Lists an object of the manager's kind and names an unnamed one, with the kind's defaults.
    void NotificationInsert(TiPlotObject* sender) override;
    // The other objects drop their references to the removed one first.
    void NotificationRemove(TiPlotObject* sender) override;
    void Clear() override;

protected:
    // The kind's defaults for a new object that the manager has just named.
    virtual void ApplyDefaults(TiPlotObject* object);
    virtual TiPlotObjectFactory ObjectClass() const;

private:
    TiPlotObjectKind kind_;
    std::string prefix_;
};

class TiPlotToolBarManager : public TiPlotObjectOwnedManager {
public:
    TiPlotToolBarManager(TWinControl* owner, TNotifyEvent onChange, TNotifyEvent onInsert,
                         TNotifyEvent onRemove, TNotifyEvent onRename);
    TiPlotToolBar* GetItem(int index) const;
};

class TiPlotLegendManager : public TiPlotObjectOwnedManager {
public:
    TiPlotLegendManager(TWinControl* owner, TNotifyEvent onChange, TNotifyEvent onInsert,
                        TNotifyEvent onRemove, TNotifyEvent onRename);
    TiPlotLegend* GetItem(int index) const;
};

class TiPlotTableManager : public TiPlotObjectOwnedManager {
public:
    TiPlotTableManager(TWinControl* owner, TNotifyEvent onChange, TNotifyEvent onInsert,
                       TNotifyEvent onRemove, TNotifyEvent onRename);
    TiPlotTable* GetItem(int index) const;
};

class TiPlotXAxisManager : public TiPlotObjectOwnedManager {
public:
    TiPlotXAxisManager(TWinControl* owner, TNotifyEvent onChange, TNotifyEvent onInsert,
                       TNotifyEvent onRemove, TNotifyEvent onRename);
    TiPlotXAxis* GetItem(int index) const;

protected:
    void ApplyDefaults(TiPlotObject* object) override;
};

class TiPlotYAxisManager : public TiPlotObjectOwnedManager {
public:
    TiPlotYAxisManager(TWinControl* owner, TNotifyEvent onChange, TNotifyEvent onInsert,
                       TNotifyEvent onRemove, TNotifyEvent onRename);
    TiPlotYAxis* GetItem(int index) const;

protected:
    void ApplyDefaults(TiPlotObject* object) override;
};

// The axis managers the channel, data view and limit managers name their objects' axes from.
class TiPlotAxisReferencingManager : public TiPlotObjectOwnedManager {
public:
    using TiPlotObjectOwnedManager::TiPlotObjectOwnedManager;
    void SetAxisManagers(TiPlotXAxisManager* xAxes, TiPlotYAxisManager* yAxes) {
        FXAxisManager = xAxes;
        FYAxisManager = yAxes;
    }
    // Forgets an axis manager that is going away.
    void ForgetManager(const TObject* manager);

protected:
    std::string FirstXAxisName() const;
    std::string FirstYAxisName() const;

    TiPlotXAxisManager* FXAxisManager = nullptr;
    TiPlotYAxisManager* FYAxisManager = nullptr;
};

class TiPlotChannelManager : public TiPlotAxisReferencingManager {
public:
    TiPlotChannelManager(TWinControl* owner, TNotifyEvent onChange, TNotifyEvent onInsert,
                         TNotifyEvent onRemove, TNotifyEvent onRename);
    TiPlotChannelCustom* GetItem(int index) const;
    // The class of the channels to make (each plot class chooses its own).
    void SetChannelClass(TiPlotObjectFactory channelClass) {
        FChannelClass = std::move(channelClass);
    }
    // Red for the first channel; then the first palette colour used least, the new channel
    // (still red) counted.
    TColor GetNextChannelColor() const;

protected:
    void ApplyDefaults(TiPlotObject* object) override;
    TiPlotObjectFactory ObjectClass() const override;

private:
    TiPlotObjectFactory FChannelClass;
};

class TiPlotDataViewManager : public TiPlotAxisReferencingManager {
public:
    TiPlotDataViewManager(TWinControl* owner, TNotifyEvent onChange, TNotifyEvent onInsert,
                          TNotifyEvent onRemove, TNotifyEvent onRename);
    TiPlotDataView* GetItem(int index) const;

protected:
    void ApplyDefaults(TiPlotObject* object) override;
};

class TiPlotLimitManager : public TiPlotAxisReferencingManager {
public:
    TiPlotLimitManager(TWinControl* owner, TNotifyEvent onChange, TNotifyEvent onInsert,
                       TNotifyEvent onRemove, TNotifyEvent onRename);
    TiPlotLimit* GetItem(int index) const;

protected:
    void ApplyDefaults(TiPlotObject* object) override;
};

class TiPlotDataCursorManager : public TiPlotObjectOwnedManager {
public:
    TiPlotDataCursorManager(TWinControl* owner, TNotifyEvent onChange, TNotifyEvent onInsert,
                            TNotifyEvent onRemove, TNotifyEvent onRename);
    TiPlotDataCursor* GetItem(int index) const;
    void SetManagers(TiPlotChannelManager* channels, TiPlotDataViewManager* dataViews) {
        FChannelManager = channels;
        FDataViewManager = dataViews;
    }
    void ForgetManager(const TObject* manager);

protected:
    void ApplyDefaults(TiPlotObject* object) override;

private:
    TiPlotChannelManager* FChannelManager = nullptr;
    TiPlotDataViewManager* FDataViewManager = nullptr;
};

class TiPlotLabelManager : public TiPlotObjectOwnedManager {
public:
    TiPlotLabelManager(TWinControl* owner, TNotifyEvent onChange, TNotifyEvent onInsert,
                       TNotifyEvent onRemove, TNotifyEvent onRename);
    TiPlotLabel* GetItem(int index) const;

protected:
    void ApplyDefaults(TiPlotObject* object) override;
};

// Annotations are listed but never named.
class TiPlotAnnotationManager : public TiPlotObjectOwnedManager {
public:
    TiPlotAnnotationManager(TWinControl* owner, TNotifyEvent onChange, TNotifyEvent onInsert,
                            TNotifyEvent onRemove, TNotifyEvent onRename);
    TiPlotAnnotation* GetItem(int index) const;
    void NotificationInsert(TiPlotObject* sender) override;
};

// Every plot object of a plot, in insertion order; owns none. Routes input to the objects the
// user selected.
class TiPlotObjectManager : public TiPlotObjectManagerCustom {
public:
    using TiPlotObjectManagerCustom::TiPlotObjectManagerCustom;

    // Raises "Object Manager does not support creation of objects".
    TiPlotObject* CreateObject() override;
    std::string GetNamePrefix() const override { return "n/a"; }
    void NotificationInsert(TiPlotObject* sender) override;

    void ClearAllUserSelections();
    void SetShiftState(TShiftState value);
    void MouseDownFocusObjects(TMouseButton button, TShiftState shift, int x, int y, int screenX,
                               int screenY, TPopupMenu* popupMenu);
    void MouseMoveFocusObjects(const TiHintData& hintData, TShiftState shift, int x, int y,
                               int screenX, int screenY, bool dblClickActive);
    void MouseUpFocusObjects(TMouseButton button, TShiftState shift, int x, int y, int screenX,
                             int screenY, bool dblClickActive, TPopupMenu* popupMenu);
    void KeyDownFocusObjects(TKeyCode& charCode, TShiftState shift, TPopupMenu* popupMenu);
    // True when any selected object handled the step; every selected object gets it.
    bool MouseWheelFocusObjects(int wheelDelta, TShiftState shift, TPoint mousePos);
    // Detaches every object's remove, layout-change and change handlers before the plot frees
    // its objects.
    void ShutDownSetup();

private:
    // The selected objects now, each one still listed when its turn comes.
    template <typename F>
    void ForEachSelected(F&& f);
};

}  // namespace dsp

#pragma once
// Plot objects: everything a plot shows is a persistent, windowless object owned by the plot,
// drawn on the plot's canvas and fed with its mouse and key input.
// - TiPlotObject: name, visibility, enabling, layer, pop-up and focus flags, the change, insert,
//   remove and rename notifications, and the routing of raw input into the object's hooks and
//   the plot's events;
// - TiPlotManagerObject: an object of a manager, which insists on complete wiring;
// - TiPlotLayoutObject: an object placed by the plot's layout on one side of the data view;
// - TiPlotButton: a small clickable rectangle inside another object, with a down state, a group
//   and auto-repeat.
// An object's kind is told by Kind(), never by its class.

#include <memory>
#include <string>

#include "framework/controls/Menus.h"
#include "framework/desktop/Cursors.h"
#include "framework/graphics/Canvas.h"
#include "plot/engine/iTypes.h"

namespace dsp {

class TiPlotComponent;
class TiPlotLayoutObject;
class TTimer;

enum class TiPlotObjectKind {
    Other,
    ToolBar,
    Legend,
    Table,
    XAxis,
    YAxis,
    Channel,
    DataView,
    DataCursor,
    Limit,
    Label,
    Annotation,
    DataViewLayout,  // the layout manager's stand-ins for the data view
    Button,
};

class TiPlotObject : public TPersistent {
    DSP_PUBLISHED(TiPlotObject, TPersistent) {
        using P = Published<TiPlotObject>;
        return {
            P::Property("Name", &TiPlotObject::Name, &TiPlotObject::SetName),
            P::Property("Visible", &TiPlotObject::Visible, &TiPlotObject::SetVisible).Default(true),
            P::Property("Enabled", &TiPlotObject::Enabled, &TiPlotObject::SetEnabled).Default(true),
            P::Property("Layer", &TiPlotObject::Layer, &TiPlotObject::SetLayer).Default(100),
            P::Property("PopupEnabled", &TiPlotObject::PopupEnabled, &TiPlotObject::SetPopupEnabled)
                .Default(true),
            P::Property("CanFocus", &TiPlotObject::CanFocus, &TiPlotObject::SetCanFocus)
                .Default(true),
        };
    }

public:
    TiPlotObject(TObject* owner, TNotifyEvent onChange, TNotifyEvent onInsert,
                 TNotifyEvent onRemove, TNotifyEvent onRename);
    ~TiPlotObject() override;
    // Frees an object: its remove notification and layout change go out first, while the
    // object is still whole (its kind and its place are read by the managers and the plot).
    // Every owner frees plot objects this way.
    static void FreeObject(TiPlotObject* object);

    virtual TiPlotObjectKind Kind() const { return TiPlotObjectKind::Other; }
    // The object as a layout object, or null when the plot's layout does not place it.
    virtual TiPlotLayoutObject* AsLayoutObject() { return nullptr; }
    // True for a button of this object (a toolbar's or a legend's), which goes with it.
    virtual bool OwnsButton(const TiPlotObject*) const { return false; }
    TObject* Owner() const { return FOwner; }
    // The owning plot, or null when the owner is not a plot.
    TiPlotComponent* Plot() const { return plot_; }

    // ---- properties
    const std::string& Name() const { return FName; }
    void SetName(const std::string& value);
    const std::string& NameOld() const { return FNameOld; }
    bool Visible() const { return FVisible; }
    virtual void SetVisible(bool value);
    bool Enabled() const { return FEnabled; }
    virtual void SetEnabled(bool value);
    int Layer() const { return FLayer; }
    void SetLayer(int value) { SetIntegerProperty(value, FLayer, &TiPlotObject::DoChange); }
    bool PopupEnabled() const { return FPopupEnabled; }
    void SetPopupEnabled(bool value) {
        SetBooleanProperty(value, FPopupEnabled, &TiPlotObject::DoChange);
    }
    bool CanFocus() const { return FCanFocus; }
    void SetCanFocus(bool value) { SetBooleanProperty(value, FCanFocus, &TiPlotObject::DoChange); }
    bool UserSelected() const { return FUserSelected; }
    void SetUserSelected(bool value);
    bool UserCanEdit() const { return FUserCanEdit; }
    void SetUserCanEdit(bool value) { FUserCanEdit = value; }
    bool XYAxesReversed() const { return FXYAxesReversed; }
    virtual void SetXYAxesReversed(bool value) { FXYAxesReversed = value; }
    bool CanDraw() const { return FCanDraw; }
    TShiftState ShiftState() const { return FShiftState; }
    void SetShiftState(TShiftState value) { FShiftState = value; }
    bool MouseDown() const { return FMouseDown; }
    bool MouseDownPopup() const { return FMouseDownPopup; }
    TiPlotObject* MouseOverObject() const { return FMouseOverObject; }

    // ---- wiring (the master manager, the layout manager and the plot set these)
    void SetOnLayoutChange(TNotifyEvent handler) { FOnLayoutChange = std::move(handler); }
    void SetOnSetFocus(TNotifyEvent handler) { FOnSetFocus = std::move(handler); }
    void SetOnEdit(TNotifyEvent handler) { FOnEdit = std::move(handler); }
    void SetOnInvalidateNow(TNotifyEvent handler) { FOnInvalidateNow = std::move(handler); }
    // Forgets the remove, layout-change and change handlers, so that destroying the object
    // raises nothing (the plot's shut-down).
    void DetachNotifications();

    // ---- notifications
    virtual void DoChange();
    virtual void DoLayoutChange();
    virtual void DoInsert();
    void DoRename();
    void DoSetFocus();
    void InvalidateNow();
    void DoEdit();
    // Another object was removed, renamed or took the focus.
    virtual void NotificationRemove(TiPlotObject* sender);
    virtual void NotificationRename(TiPlotObject* sender);
    virtual void NotificationSetFocus(TiPlotObject* sender);

    // ---- drawing
    virtual void PrepareDraw(TCanvas* canvas);
    virtual void Draw(TCanvas* canvas, TColor backGroundColor);
    // "000100" for layer 100: the paint-order key.
    std::string GetLayerKey() const;

    // ---- input routing
    virtual void DoMouseDown(TMouseButton button, TShiftState shift, int x, int y, int screenX,
                             int screenY, TPopupMenu* popupMenu);
    virtual void iMouseMove(TiHintData& hintData, TShiftState shift, int x, int y, int screenX,
                            int screenY, bool dblClickActive);
    virtual void DoMouseRelease(TMouseButton button, TShiftState shift, int x, int y, int screenX,
                                int screenY, bool dblClickActive, TPopupMenu* popupMenu);
    virtual bool MouseHitTest(const TiPlotMouseData& mouseData);
    virtual bool iMouseWheel(int wheelDelta, TShiftState shift, TPoint mousePos);
    virtual void DoMouseHint(const TiPlotMouseData& mouseData, TiHintData& hintData);
    virtual void DoMouseLeft(const TiPlotMouseData& mouseData);
    virtual void DoMouseRight(const TiPlotMouseData& mouseData);
    virtual void DoMouseMove(const TiPlotMouseData& mouseData);
    virtual void DoMouseUp(const TiPlotMouseData& mouseData);
    virtual bool DoMouseWheel(int wheelDelta, TShiftState shift, int x, int y);
    virtual void DoGotFocus();
    virtual void DoLostFocus();
    virtual void DoMouseNotOver();
    virtual TiPlotObject* SetMouseOverObject(int x, int y);
    virtual TCursor CheckMouseOver(TPoint point);
    virtual void DoKeyDown(TKeyCode& charCode, TShiftState shift, TPopupMenu* popupMenu);
    virtual void ClearPopupMenuItems(TPopupMenu* popupMenu);
    // Drops the pending pop-up of the current right press.
    void CancelPopup() { FMouseDownPopup = false; }
    bool HitTest(int x, int y);
    std::string TranslateString(const std::string& text) const;
    // The "Edit..." item, when the user may edit the object.
    void AddEditMenuItem(TPopupMenu* popupMenu);
    // Where the keyboard opens the object's pop-up menu, in plot client coordinates; false
    // for an object that has no such place.
    virtual bool GetPopupCenter(TPoint& center) const;

protected:
    void NotifyLayoutChange();
    const TNotifyEvent& ChangeHandler() const { return FOnChange; }
    using Notify = void (TiPlotObject::*)();
    // Shared setter bodies: store a different value, then call the notification if any.
    void SetBooleanProperty(bool value, bool& field, Notify notify);
    void SetIntegerProperty(int value, int& field, Notify notify);
    void SetColorProperty(TColor value, TColor& field, Notify notify);
    void SetDoubleProperty(double value, double& field, Notify notify);
    void SetStringProperty(const std::string& value, std::string& field, Notify notify);

    TiPlotMouseData MakeMouseData(int x, int y, int screenX, int screenY, TShiftState shift,
                                  TMouseButton button, bool dblClickActive) const;
    void PopupMenuAt(TPopupMenu* popupMenu, int screenX, int screenY);

    bool FVisible = true;
    bool FEnabled = true;
    bool FUserSelected = false;
    bool FCanDraw = false;
    bool FMouseDown = false;
    bool FMouseDownPopup = false;
    TiPlotObject* FMouseOverObject = nullptr;

private:
    void AnnounceRemoval();

    bool removalAnnounced_ = false;
    std::string FName;
    std::string FNameOld;
    TObject* FOwner;
    TiPlotComponent* plot_;
    TShiftState FShiftState;
    TNotifyEvent FOnChange;
    TNotifyEvent FOnLayoutChange;
    TNotifyEvent FOnRemove;
    TNotifyEvent FOnInsert;
    TNotifyEvent FOnRename;
    TNotifyEvent FOnSetFocus;
    TNotifyEvent FOnEdit;
    TNotifyEvent FOnInvalidateNow;
    int FLayer = 100;
    bool FPopupEnabled = true;
    bool FCanFocus = true;
    bool FUserCanEdit = true;
    bool FXYAxesReversed = false;
};

// An object that belongs to one of the plot's managers: its wiring must be complete.
class TiPlotManagerObject : public TiPlotObject {
public:
    // Raises "Owner must be assigned" or "... event handler can not be null" for a missing part.
    TiPlotManagerObject(TObject* owner, TNotifyEvent onChange, TNotifyEvent onInsert,
                        TNotifyEvent onRemove, TNotifyEvent onRename);
};

// An object placed by the plot's layout along one side of the data view: its band (ZOrder),
// orientation and share of the side, and the rectangles the layout gave it.
class TiPlotLayoutObject : public TiPlotManagerObject {
    DSP_PUBLISHED(TiPlotLayoutObject, TiPlotManagerObject) {
        using P = Published<TiPlotLayoutObject>;
        return {
            P::Property("Horizontal", &TiPlotLayoutObject::Horizontal,
                        &TiPlotLayoutObject::SetHorizontal)
                .Default(false),
            P::Property("ZOrder", &TiPlotLayoutObject::ZOrder, &TiPlotLayoutObject::SetZOrder)
                .Default(0),
            P::Property("StartPercent", &TiPlotLayoutObject::StartPercent,
                        &TiPlotLayoutObject::SetStartPercent),
            P::Property("StopPercent", &TiPlotLayoutObject::StopPercent,
                        &TiPlotLayoutObject::SetStopPercent),
        };
    }

public:
    TiPlotLayoutObject(TObject* owner, TNotifyEvent onChange, TNotifyEvent onInsert,
                       TNotifyEvent onRemove, TNotifyEvent onRename);

    TiPlotLayoutObject* AsLayoutObject() override { return this; }

    bool Horizontal() const { return FHorizontal; }
    void SetHorizontal(bool value) {
        SetBooleanProperty(value, FHorizontal, &TiPlotObject::DoLayoutChange);
    }
    int ZOrder() const { return FZOrder; }
    void SetZOrder(int value) { SetIntegerProperty(value, FZOrder, &TiPlotObject::DoLayoutChange); }
    double StartPercent() const { return FStartPercent; }
    double StopPercent() const { return FStopPercent; }
    // Both ends stay within 0..100 and at least 1 apart: the other end moves if needed.
    void SetStartPercent(double value);
    void SetStopPercent(double value);
    void SetStartStopPercent(double start, double stop);

    virtual bool GetIsHorz() const { return FHorizontal; }
    virtual bool GetIsVert() const { return !FHorizontal; }
    bool IsHorz() const { return GetIsHorz(); }
    bool IsVert() const { return GetIsVert(); }
    // The thickness the object needs across its side, and the room beyond each of its ends.
    virtual int GetRequiredWidth(TCanvas* canvas);
    virtual int GetRequiredEndMargin(TCanvas* canvas);

    bool ReverseSide() const { return FReverseSide; }
    void SetReverseSide(bool value) {
        SetBooleanProperty(value, FReverseSide, &TiPlotObject::DoChange);
    }
    bool StartStacked() const { return FStartStacked; }
    bool StopStacked() const { return FStopStacked; }
    void SetStartStacked(bool value) { FStartStacked = value; }
    void SetStopStacked(bool value) { FStopStacked = value; }
    bool ForceStacking() const { return FForceStacking; }

    TRect DrawRect() const { return {FLeft, FTop, FRight, FBottom}; }
    void SetDrawRect(const TRect& r);
    int Left() const { return FLeft; }
    int Top() const { return FTop; }
    int Right() const { return FRight; }
    int Bottom() const { return FBottom; }
    void SetLeft(int value) { FLeft = value; }
    void SetTop(int value) { FTop = value; }
    void SetRight(int value) { FRight = value; }
    void SetBottom(int value) { FBottom = value; }
    int Width() const { return FRight - FLeft; }
    int Height() const { return FBottom - FTop; }
    TRect LayoutRect() const { return {FLayoutLeft, FLayoutTop, FLayoutRight, FLayoutBottom}; }
    void SetLayoutRect(const TRect& r);
    int LayoutWidth() const { return FLayoutRight - FLayoutLeft; }
    int LayoutHeight() const { return FLayoutBottom - FLayoutTop; }

    // "002" for band 2, and "050" for a start at 49.5 percent (halves to even).
    std::string GetZOrderKey() const;
    std::string GetStartPercentKey() const;

    bool MouseHitTest(const TiPlotMouseData& mouseData) override;
    void DoInsert() override;
    bool GetPopupCenter(TPoint& center) const override;

protected:
    bool FForceStacking = false;

private:
    double FStopPercent = 100;
    double FStartPercent = 0;
    int FZOrder = 0;
    bool FHorizontal = false;
    bool FReverseSide = false;
    int FBottom = 0;
    int FLeft = 0;
    int FTop = 0;
    int FRight = 0;
    bool FStartStacked = false;
    bool FStopStacked = false;
    int FLayoutBottom = 0;
    int FLayoutLeft = 0;
    int FLayoutTop = 0;
    int FLayoutRight = 0;
};

// A clickable rectangle inside a toolbar, legend or table: pressed and released inside it, it
// clicks (after its group when it has one); held with auto-repeat, it clicks after 500 ms and
// then every 50 ms.
class TiPlotButton : public TiPlotObject {
public:
    explicit TiPlotButton(TObject* owner, TNotifyEvent onChange = nullptr);
    ~TiPlotButton() override;

    TiPlotObjectKind Kind() const override { return TiPlotObjectKind::Button; }

    TRect DrawRect() const { return {FLeft, FTop, FRight, FBottom}; }
    void SetDrawRect(const TRect& r);
    int Left() const { return FLeft; }
    int Top() const { return FTop; }
    int Right() const { return FRight; }
    int Bottom() const { return FBottom; }
    int Width() const { return FRight - FLeft; }
    int Height() const { return FBottom - FTop; }
    bool Down() const { return FDown; }
    void SetDown(bool value);
    bool TimerEnabled() const { return FTimerEnabled; }
    void SetTimerEnabled(bool value) { FTimerEnabled = value; }
    int GroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(int value) { FGroupIndex = value; }

    TNotifyEvent OnClick;
    TNotifyEvent OnGroupClick;
    TNotifyEvent OnInvalidate;
    TNotifyEvent OnDownChange;

    void SetEnabled(bool value) override;
    void DoMouseLeft(const TiPlotMouseData& mouseData) override;
    void DoMouseMove(const TiPlotMouseData& mouseData) override;
    void DoMouseUp(const TiPlotMouseData& mouseData) override;

protected:
    void DoInvalidate();

private:
    void TimerTick();

    int FTop = 0;
    int FBottom = 0;
    int FRight = 0;
    int FLeft = 0;
    bool FDown = false;
    std::unique_ptr<TTimer> FTimer;
    bool FFirstTimerMessage = false;
    bool FTimerEnabled = false;
    int FGroupIndex = 0;
};

// A menu item that carries a name.
class TiMenuItem : public TMenuItem {
public:
    using TMenuItem::TMenuItem;
    std::string AString;
};

}  // namespace dsp

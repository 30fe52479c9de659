// TiPlotComponent: finding the object under the mouse, routing input, hints and the event
// dispatchers.

#include "framework/controls/ControlMessages.h"
#include "framework/controls/KeyMap.h"
#include "framework/controls/MessageParams.h"
#include "framework/core/Exceptions.h"
#include "plot/engine/iPlotAnnotation.h"
#include "plot/engine/iPlotAxis.h"
#include "plot/engine/iPlotChannelCustom.h"
#include "plot/engine/iPlotComponent.h"
#include "plot/engine/iPlotDataCursor.h"
#include "plot/engine/iPlotLimit.h"
#include "plot/engine/iPlotToolBar.h"

namespace dsp {

namespace {

bool IsDataViewOrLegend(const TiPlotObject* object) {
    const TiPlotObjectKind kind = object->Kind();
    return kind == TiPlotObjectKind::DataView || kind == TiPlotObjectKind::Legend;
}

bool IsAxis(const TiPlotObject* object) {
    return object->Kind() == TiPlotObjectKind::XAxis || object->Kind() == TiPlotObjectKind::YAxis;
}

// A button inside a toolbar, legend or table.
bool IsButton(const TiPlotObject* object) { return object->Kind() == TiPlotObjectKind::Button; }

}  // namespace

TiPlotComponent::TKindEvents TiPlotComponent::EventsOf(TiPlotObjectKind kind) {
    TKindEvents e;
#define DSP_KIND_EVENTS(Kind)                   \
    e.mouseDown = &OnMouseDown##Kind;           \
    e.mouseMove = &OnMouseMove##Kind;           \
    e.mouseUp = &OnMouseUp##Kind;               \
    e.mouseWheel = &OnMouseWheel##Kind;         \
    e.click = &OnClick##Kind;                   \
    e.dblClick = &OnDblClick##Kind;             \
    e.getMouseCursor = &OnGetMouseCursor##Kind; \
    e.popupMenu = &OnPopupMenu##Kind;           \
    e.add = &OnAdd##Kind;                       \
    e.remove = &OnRemove##Kind;
    switch (kind) {
        case TiPlotObjectKind::Channel:
            DSP_KIND_EVENTS(Channel)
            e.gotFocus = &OnGotFocusChannel;
            e.lostFocus = &OnLostFocusChannel;
            break;
        case TiPlotObjectKind::XAxis:
            DSP_KIND_EVENTS(XAxis)
            e.gotFocus = &OnGotFocusXAxis;
            e.lostFocus = &OnLostFocusXAxis;
            break;
        case TiPlotObjectKind::YAxis:
            DSP_KIND_EVENTS(YAxis)
            e.gotFocus = &OnGotFocusYAxis;
            e.lostFocus = &OnLostFocusYAxis;
            break;
        case TiPlotObjectKind::DataCursor:
            DSP_KIND_EVENTS(DataCursor)
            e.gotFocus = &OnGotFocusDataCursor;
            e.lostFocus = &OnLostFocusDataCursor;
            break;
        case TiPlotObjectKind::DataView:
            DSP_KIND_EVENTS(DataView)
            e.gotFocus = &OnGotFocusDataView;
            e.lostFocus = &OnLostFocusDataView;
            break;
        case TiPlotObjectKind::Legend:
            DSP_KIND_EVENTS(Legend)
            e.gotFocus = &OnGotFocusLegend;
            e.lostFocus = &OnLostFocusLegend;
            break;
        case TiPlotObjectKind::Limit: DSP_KIND_EVENTS(Limit) break;
        case TiPlotObjectKind::Annotation:
            DSP_KIND_EVENTS(Annotation)
            e.gotFocus = &OnGotFocusAnnotation;
            e.lostFocus = &OnLostFocusAnnotation;
            break;
        case TiPlotObjectKind::Table:
            e.add = &OnAddTable;
            e.remove = &OnRemoveTable;
            break;
        default: break;
    }
#undef DSP_KIND_EVENTS
    return e;
}

// ---- finding objects

TiPlotObject* TiPlotComponent::FindObjectAt(const TiPlotMouseData& mouseData) {
    const std::vector<TiPlotObject*> objects = GetObjectManager()->Items();
    auto search = [&](auto&& qualifies) -> TiPlotObject* {
        for (TiPlotObject* object : objects) {
            if (!object->Enabled() || !object->Visible() || !qualifies(object)) continue;
            if (object->MouseHitTest(mouseData)) {
                return object->SetMouseOverObject(mouseData.X, mouseData.Y);
            }
        }
        return nullptr;
    };
    auto frame = [](const TiPlotObject* o) {
        return o->Kind() == TiPlotObjectKind::DataViewLayout || IsDataViewOrLegend(o);
    };
    if (TiPlotObject* o = search([&](TiPlotObject* x) { return x->UserSelected() && !frame(x); })) {
        return o;
    }
    if (TiPlotObject* o = search([&](TiPlotObject* x) { return !frame(x); })) return o;
    return search([](TiPlotObject* x) { return IsDataViewOrLegend(x); });
}

void TiPlotComponent::SetMouseAxisPixels(TiPlotMouseData& data) const {
    const bool swap = XYAxesReverse();
    data.XAxisPixels = swap ? data.Y : data.X;
    data.YAxisPixels = swap ? data.X : data.Y;
}

bool TiPlotComponent::GetSelectMode() const {
    return ToolBarCount() > 0 && GetToolBar(0)->SelectActive();
}

void TiPlotComponent::SetSelectMode(bool value) {
    if (ToolBarCount() == 0 || GetToolBar(0)->SelectActive() == value) return;
    GetToolBar(0)->DoButtonClickSelect();
}

// ---- input

void TiPlotComponent::iMouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    FShiftState = shift;
    GetObjectManager()->SetShiftState(shift);
    FMouseDown = true;
    TiPlotMouseData data;
    data.X = x;
    data.Y = y;
    data.Button = button;
    data.Shift = shift;
    SetMouseAxisPixels(data);
    if (CanFocus() && Parent() != nullptr) SetFocus();
    HideHint();
    const TPoint screen = ClientToScreen({x, y});

    if (button == mbRight) GetObjectManager()->ClearAllUserSelections();
    FMouseDownObject = FindObjectAt(data);
    FLastMouseClickObject = nullptr;
    TiPlotObject* object = FMouseDownObject;
    if (object == nullptr) {
        GetObjectManager()->ClearAllUserSelections();
        return;
    }
    if (shift.Contains(ssShift)) {
        FSelectingActive = IsAxis(object);
        object->SetUserSelected(true);
    } else if (shift.Contains(ssCtrl)) {
        if (IsAxis(object)) {
            object->SetUserSelected(!object->UserSelected());
            FSelectingActive = true;
        } else {
            object->SetUserSelected(true);
            FSelectingActive = false;
        }
    } else if (object->Kind() != TiPlotObjectKind::ToolBar && object->CanFocus()) {
        object->SetUserSelected(true);
    }
    // Removing the object while selecting it leaves nothing to press.
    if (FMouseDownObject == nullptr) return;
    if (button == mbRight) SetMouseCapture(true);
    const TiPlotObjectKind kind = object->Kind();
    if (button == mbRight || kind == TiPlotObjectKind::Annotation || IsButton(object) ||
        kind == TiPlotObjectKind::Limit || !object->CanFocus()) {
        object->DoMouseDown(button, shift, x, y, screen.X, screen.Y, FPopupMenu);
    } else {
        GetObjectManager()->MouseDownFocusObjects(button, shift, x, y, screen.X, screen.Y,
                                                  FPopupMenu);
    }
}

void TiPlotComponent::iMouseMove(TShiftState shift, int x, int y) {
    if (FSelectingActive || OPCGetDesigning()) return;
    try {
        const bool buttonHeld = shift.Contains(ssLeft) || shift.Contains(ssRight);
        if (!PtInRect({0, 0, Width(), Height()}, {x, y}) && !buttonHeld && MouseCapture()) {
            SetMouseCapture(false);
        }
        FShiftState = shift;
        GetObjectManager()->SetShiftState(shift);
        TiPlotMouseData data;
        data.X = x;
        data.Y = y;
        data.Shift = shift;
        SetMouseAxisPixels(data);
        const TPoint screen = ClientToScreen({x, y});

        if (buttonHeld && FMouseDownObject != nullptr) {
            TiPlotObject* pressed = FMouseDownObject;
            if (pressed->Kind() == TiPlotObjectKind::Annotation ||
                pressed->Kind() == TiPlotObjectKind::ToolBar || IsButton(pressed) ||
                !pressed->CanFocus()) {
                TiHintData hint = FHintData;
                pressed->iMouseMove(hint, shift, x, y, screen.X, screen.Y, FDBLClickActive);
            } else {
                GetObjectManager()->MouseMoveFocusObjects(FHintData, shift, x, y, screen.X,
                                                          screen.Y, FDBLClickActive);
            }
            SetCursor(crDefault);
            return;
        }
        if (FMouseDownObject != nullptr) {
            // A release the control did not see: finish the press first.
            TiPlotObject* pressed = FMouseDownObject;
            FMouseDownObject = nullptr;
            pressed->DoMouseRelease(mbLeft, shift, x, y, screen.X, screen.Y, FDBLClickActive,
                                    FPopupMenu);
            GetObjectManager()->MouseUpFocusObjects(mbLeft, shift, x, y, screen.X, screen.Y,
                                                    FDBLClickActive, FPopupMenu);
        }

        TiPlotObject* object = FindObjectAt(data);
        if (object != FLastMouseOverObject && FLastMouseOverObject != nullptr) {
            FLastMouseOverObject->DoMouseNotOver();
        }
        if (object == nullptr) {
            SetCursor(crDefault);
            FLastMouseOverObject = nullptr;
            return;
        }
        SetCursor(object->CheckMouseOver({x, y}));
        TiHintData hint;
        hint.Visible = FHintData.Visible;
        object->iMouseMove(hint, shift, x, y, screen.X, screen.Y, FDBLClickActive);

        if (FHintsShow) {
            FHintData.Text = hint.Text;
            FHintData.Left = hint.Left;
            FHintData.Top = hint.Top;
            FHintData.Width = hint.Width;
            FHintData.Height = hint.Height;
            if (buttonHeld) {
                HideHint();
            } else if (FHintData.Text.empty()) {
                HideHint();
                FLastHintObject = nullptr;
                FLastHintShowRect = {};
            } else if (FLastHintObject != nullptr && FLastHintObject != object &&
                       !IsButton(FLastHintObject)) {
                HideHint();
                FLastHintObject = nullptr;
            } else if (InternalTimerRunning() && FHintData.Visible) {
                if (IsButton(object) || object->Kind() == TiPlotObjectKind::Channel) {
                    StartHintTimer(FHintsHidePause);
                } else {
                    HideHint();
                }
            } else if (InternalTimerRunning()) {
                StartHintTimer(FHintsPause);
            } else if (!PtInRect(FLastHintShowRect, {x, y}) && object != FLastHintObject) {
                FLastHintX = x;
                FLastHintY = y;
                FLastHintObject = object;
                StartHintTimer(FHintsPause);
            }
            if (FHintData.Visible) RepaintNow();
        }
        FLastMouseOverObject = object;
    } catch (const Exception&) {}
}

void TiPlotComponent::StartHintTimer(int interval) {
    InternalTimerStop();
    InternalTimerStart(0, interval);
}

void TiPlotComponent::HintTimerFired() {
    InternalTimerStop();
    if (FHintData.Visible) {
        FHintData.Visible = false;
    } else {
        FHintData.Visible = true;
        FLastHintShowRect = {FLastHintX - 3, FLastHintY - 3, FLastHintX + 3, FLastHintY + 3};
        InternalTimerStart(0, FHintsHidePause);
    }
    RepaintNow();
}

void TiPlotComponent::HideHint() {
    InternalTimerStop();
    FHintData.Visible = false;
    if (FHintShowing) RepaintNow();
}

void TiPlotComponent::iMouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    if (OPCGetDesigning()) return;
    FMouseDown = false;
    FShiftState = shift;
    GetObjectManager()->SetShiftState(shift);
    HideHint();
    FSelectingActive = false;
    const TPoint screen = ClientToScreen({x, y});
    TiPlotObject* pressed = FMouseDownObject;
    if (pressed != nullptr) {
        pressed->DoMouseRelease(button, shift, x, y, screen.X, screen.Y, FDBLClickActive,
                                FPopupMenu);
    }
    GetObjectManager()->MouseUpFocusObjects(button, shift, x, y, screen.X, screen.Y,
                                            FDBLClickActive, FPopupMenu);
    // The release may have removed the pressed object; the removal forgot it then.
    FLastMouseClickObject = FMouseDownObject;
    FLastMouseClickButton = button;
    FLastMouseClickShift = shift;
    FLastMouseClickX = x;
    FLastMouseClickY = y;
    FLastMouseClickScreenX = screen.X;
    FLastMouseClickScreenY = screen.Y;
    FMouseDownObject = nullptr;
    FDBLClickActive = false;
}

void TiPlotComponent::iDoubleClick() { FDBLClickActive = true; }

bool TiPlotComponent::iMouseWheel(int wheelDelta, TShiftState shift, TPoint mousePos) {
    GetObjectManager()->MouseWheelFocusObjects(wheelDelta, shift, mousePos);
    return true;
}

void TiPlotComponent::iKeyDown(TKeyCode& key, TShiftState shift) {
    GetObjectManager()->KeyDownFocusObjects(key, shift, FPopupMenu);
}

void TiPlotComponent::iWantSpecialKey(TKeyCode& charCode, LRESULT& result) {
    if (charCode >= VK_LEFT && charCode <= VK_LEFT + 3) result = 1;
}

void TiPlotComponent::Dispatch(TMessage& message) {
    if (message.Msg == CM_MOUSELEAVE && MouseChildOf(message) == nullptr) {
        // The mouse left the plot: no hint stays up and no object stays hovered. (The plot does
        // not grab the pointer while a hint shows; that would take input from other windows.)
        HideHint();
        if (FLastMouseOverObject != nullptr) {
            FLastMouseOverObject->DoMouseNotOver();
            FLastMouseOverObject = nullptr;
        }
    }
    TiCustomComponent::Dispatch(message);
}

// ---- master-axis replays

void TiPlotComponent::MasterAxisReplay(TiPlotAxis* sender,
                                       const std::function<void(TiPlotAxis*)>& replay) {
    if (FMasterAxisBlock) return;
    FMasterAxisBlock = true;
    try {
        if (sender->IsXAxis()) {
            for (int i = 0; i < XAxisCount(); ++i) {
                if (GetXAxis(i) != sender) replay(GetXAxis(i));
            }
        } else {
            for (int i = 0; i < YAxisCount(); ++i) {
                if (GetYAxis(i) != sender) replay(GetYAxis(i));
            }
        }
    } catch (...) {
        FMasterAxisBlock = false;
        throw;
    }
    FMasterAxisBlock = false;
}

void TiPlotComponent::MasterAxisMouseLeft(TiPlotAxis* sender, const TiPlotMouseData& mouseData) {
    MasterAxisReplay(sender, [&](TiPlotAxis* axis) { axis->DoMouseLeft(mouseData); });
}

void TiPlotComponent::MasterAxisMouseMove(TiPlotAxis* sender, const TiPlotMouseData& mouseData) {
    MasterAxisReplay(sender, [&](TiPlotAxis* axis) { axis->DoMouseMove(mouseData); });
}

void TiPlotComponent::MasterAxisMouseUp(TiPlotAxis* sender, const TiPlotMouseData& mouseData) {
    MasterAxisReplay(sender, [&](TiPlotAxis* axis) { axis->DoMouseUp(mouseData); });
}

void TiPlotComponent::MasterAxisMouseWheel(TiPlotAxis* sender, int wheelDelta, TShiftState shift,
                                           int x, int y) {
    MasterAxisReplay(sender,
                     [&](TiPlotAxis* axis) { axis->DoMouseWheel(wheelDelta, shift, x, y); });
}

void TiPlotComponent::MasterAxisKeyDown(TiPlotAxis* sender, TKeyCode& key, TShiftState shift) {
    MasterAxisReplay(sender, [&](TiPlotAxis* axis) { axis->DoKeyDown(key, shift, FPopupMenu); });
}

// ---- dispatchers

#define DSP_DISPATCH_GUARD \
    if (IsLoading()) return

void TiPlotComponent::DoObjectMouseDown(TiPlotObject* object, TMouseButton button,
                                        TShiftState shift, int x, int y) {
    DSP_DISPATCH_GUARD;
    TKindEvents e = EventsOf(object->Kind());
    if (e.mouseDown != nullptr && *e.mouseDown)
        (*e.mouseDown)(IndexOf(object), button, shift, x, y);
}

void TiPlotComponent::DoObjectMouseMove(TiPlotObject* object, TShiftState shift, int x, int y) {
    DSP_DISPATCH_GUARD;
    TKindEvents e = EventsOf(object->Kind());
    if (e.mouseMove != nullptr && *e.mouseMove) (*e.mouseMove)(IndexOf(object), shift, x, y);
}

void TiPlotComponent::DoObjectMouseUp(TiPlotObject* object, TMouseButton button, TShiftState shift,
                                      int x, int y) {
    DSP_DISPATCH_GUARD;
    TKindEvents e = EventsOf(object->Kind());
    if (e.mouseUp != nullptr && *e.mouseUp) (*e.mouseUp)(IndexOf(object), button, shift, x, y);
}

void TiPlotComponent::DoObjectMouseWheel(TiPlotObject* object, int wheelDelta, TShiftState shift,
                                         int x, int y) {
    DSP_DISPATCH_GUARD;
    // Only strip-chart channels report the wheel.
    if (object->Kind() == TiPlotObjectKind::Channel &&
        !static_cast<TiPlotChannelCustom*>(object)->IsStripChart()) {
        return;
    }
    TKindEvents e = EventsOf(object->Kind());
    if (e.mouseWheel != nullptr && *e.mouseWheel) {
        (*e.mouseWheel)(IndexOf(object), wheelDelta, shift, x, y);
    }
}

void TiPlotComponent::DoObjectClick(TiPlotObject* object) {
    DSP_DISPATCH_GUARD;
    TKindEvents e = EventsOf(object->Kind());
    TiPlotObjectIndexEvent* event = FDBLClickActive ? e.dblClick : e.click;
    if (event != nullptr && *event) (*event)(IndexOf(object));
    FDBLClickActive = false;
}

void TiPlotComponent::DoObjectGotFocus(TiPlotObject* object) {
    DSP_DISPATCH_GUARD;
    TKindEvents e = EventsOf(object->Kind());
    if (e.gotFocus != nullptr && *e.gotFocus) (*e.gotFocus)(IndexOf(object));
}

void TiPlotComponent::DoObjectLostFocus(TiPlotObject* object) {
    DSP_DISPATCH_GUARD;
    TKindEvents e = EventsOf(object->Kind());
    if (e.lostFocus != nullptr && *e.lostFocus) (*e.lostFocus)(IndexOf(object));
}

void TiPlotComponent::DoObjectGetMouseCursor(TiPlotObject* object, TCursor& mouseCursor) {
    DSP_DISPATCH_GUARD;
    TKindEvents e = EventsOf(object->Kind());
    if (e.getMouseCursor != nullptr && *e.getMouseCursor) {
        (*e.getMouseCursor)(IndexOf(object), mouseCursor);
    }
}

void TiPlotComponent::DoObjectPopupMenu(TiPlotObject* object, bool& cancel, int screenX,
                                        int screenY) {
    DSP_DISPATCH_GUARD;
    TKindEvents e = EventsOf(object->Kind());
    if (e.popupMenu != nullptr && *e.popupMenu) {
        (*e.popupMenu)(IndexOf(object), cancel, screenX, screenY);
    }
}

void TiPlotComponent::DoDataPointClick(TiPlotChannelCustom* channel, int dataIndex) {
    DSP_DISPATCH_GUARD;
    TiPlotDataPointEvent& event = FDBLClickActive ? OnDblClickDataPoint : OnClickDataPoint;
    if (event) event(IndexOf(channel), dataIndex);
}

void TiPlotComponent::DoDataPointMouseDown(TiPlotChannelCustom* channel, int dataIndex,
                                           TMouseButton button, TShiftState shift, int x, int y) {
    DSP_DISPATCH_GUARD;
    if (OnMouseDownDataPoint)
        OnMouseDownDataPoint(IndexOf(channel), dataIndex, button, shift, x, y);
}

void TiPlotComponent::DoDataPointMouseMove(TiPlotChannelCustom* channel, int dataIndex,
                                           TShiftState shift, int x, int y) {
    DSP_DISPATCH_GUARD;
    if (OnMouseMoveDataPoint) OnMouseMoveDataPoint(IndexOf(channel), dataIndex, shift, x, y);
}

void TiPlotComponent::DoDataPointMouseUp(TiPlotChannelCustom* channel, int dataIndex,
                                         TMouseButton button, TShiftState shift, int x, int y) {
    DSP_DISPATCH_GUARD;
    if (OnMouseUpDataPoint) OnMouseUpDataPoint(IndexOf(channel), dataIndex, button, shift, x, y);
}

void TiPlotComponent::DoDataPointMoved(TiPlotChannelCustom* channel, int dataIndex, double oldX,
                                       double oldY, double newX, double newY) {
    DSP_DISPATCH_GUARD;
    if (OnDataPointMoved) OnDataPointMoved(IndexOf(channel), dataIndex, oldX, oldY, newX, newY);
}

void TiPlotComponent::DoDataPointCustomizeHint(TiPlotChannelCustom* channel, int dataPointIndex,
                                               std::string& text) {
    DSP_DISPATCH_GUARD;
    if (OnDataPointCustomizeHint) OnDataPointCustomizeHint(IndexOf(channel), dataPointIndex, text);
}

void TiPlotComponent::DoAxisMinChange(TiPlotAxis* axis, double oldValue, double newValue) {
    DSP_DISPATCH_GUARD;
    auto& event = axis->IsXAxis() ? OnXAxisMinChange : OnYAxisMinChange;
    if (event) event(IndexOf(axis), oldValue, newValue);
}

void TiPlotComponent::DoAxisSpanChange(TiPlotAxis* axis, double oldValue, double newValue) {
    DSP_DISPATCH_GUARD;
    auto& event = axis->IsXAxis() ? OnXAxisSpanChange : OnYAxisSpanChange;
    if (event) event(IndexOf(axis), oldValue, newValue);
}

void TiPlotComponent::DoAxisMinSpanChange(TiPlotAxis* axis, double oldMin, double oldSpan,
                                          double newMin, double newSpan) {
    DSP_DISPATCH_GUARD;
    auto& event = axis->IsXAxis() ? OnXAxisMinSpanChange : OnYAxisMinSpanChange;
    if (event) event(IndexOf(axis), oldMin, oldSpan, newMin, newSpan);
}

void TiPlotComponent::DoAxisMinSpanChangeFinished(TiPlotAxis* axis, double oldMin, double oldSpan,
                                                  double newMin, double newSpan) {
    DSP_DISPATCH_GUARD;
    auto& event = axis->IsXAxis() ? OnXAxisMinSpanChangeFinished : OnYAxisMinSpanChangeFinished;
    if (event) event(IndexOf(axis), oldMin, oldSpan, newMin, newSpan);
}

void TiPlotComponent::DoAxisCustomizeLabel(TiPlotAxis* axis, std::string& label, double value) {
    DSP_DISPATCH_GUARD;
    auto& event = axis->IsXAxis() ? OnXAxisCustomizeLabel : OnYAxisCustomizeLabel;
    if (!event) return;
    FTempCustomLabel = label;
    event(IndexOf(axis), value, FTempCustomLabel);
    label = FTempCustomLabel;
}

void TiPlotComponent::DoXAxisCustomizeHint(TiPlotAxis* axis, std::string& text) {
    DSP_DISPATCH_GUARD;
    if (OnXAxisCustomizeHint) OnXAxisCustomizeHint(IndexOf(axis), text);
}

void TiPlotComponent::DoYAxisCustomizeHint(TiPlotAxis* axis, std::string& text) {
    DSP_DISPATCH_GUARD;
    if (OnYAxisCustomizeHint) OnYAxisCustomizeHint(IndexOf(axis), text);
}

void TiPlotComponent::DoDataCursorChange(TiPlotDataCursor* cursor) {
    // Also while the plot is being read.
    if (OnDataCursorChange) OnDataCursorChange(IndexOf(cursor));
}

void TiPlotComponent::DoBeforeDataCursorUpdate(TiPlotDataCursor* cursor) {
    DSP_DISPATCH_GUARD;
    if (OnBeforeDataCursorUpdate) OnBeforeDataCursorUpdate(IndexOf(cursor));
}

void TiPlotComponent::DoDataCursorCustomizeHint(TiPlotDataCursor* cursor, std::string& text) {
    DSP_DISPATCH_GUARD;
    if (OnDataCursorCustomizeHint) OnDataCursorCustomizeHint(IndexOf(cursor), text);
}

void TiPlotComponent::DoToolBarCustomizeHint(TiPlotToolBar* toolBar, std::string& text) {
    DSP_DISPATCH_GUARD;
    if (OnToolBarCustomizeHint) OnToolBarCustomizeHint(IndexOf(toolBar), text);
}

void TiPlotComponent::DoToolBarButtonClick(TiPlotToolBar* toolBar, TiPlotToolBarButtonType type) {
    DSP_DISPATCH_GUARD;
    if (OnToolBarButtonClick) OnToolBarButtonClick(IndexOf(toolBar), type);
}

void TiPlotComponent::DoBeforeToolBarButtonClick(TiPlotToolBar* toolBar,
                                                 TiPlotToolBarButtonType type, bool& cancel) {
    DSP_DISPATCH_GUARD;
    if (OnBeforeToolBarButtonClick) OnBeforeToolBarButtonClick(IndexOf(toolBar), type, cancel);
}

void TiPlotComponent::DoLimitLine1PositionChange(TiPlotLimit* limit, double oldValue,
                                                 double newValue) {
    DSP_DISPATCH_GUARD;
    if (OnLimitLine1PositionChange) OnLimitLine1PositionChange(IndexOf(limit), oldValue, newValue);
}

void TiPlotComponent::DoLimitLine2PositionChange(TiPlotLimit* limit, double oldValue,
                                                 double newValue) {
    DSP_DISPATCH_GUARD;
    if (OnLimitLine2PositionChange) OnLimitLine2PositionChange(IndexOf(limit), oldValue, newValue);
}

void TiPlotComponent::DoAnnotationCoordinatesChange(TiPlotAnnotation* annotation) {
    DSP_DISPATCH_GUARD;
    if (OnAnnotationCoordinatesChange) OnAnnotationCoordinatesChange(IndexOf(annotation));
}

void TiPlotComponent::DoAnnotationMoveUser(TiPlotAnnotation* annotation) {
    DSP_DISPATCH_GUARD;
    if (OnAnnotationMoveUser) OnAnnotationMoveUser(IndexOf(annotation));
}

void TiPlotComponent::DoAnnotationResizeUser(TiPlotAnnotation* annotation) {
    DSP_DISPATCH_GUARD;
    if (OnAnnotationResizeUser) OnAnnotationResizeUser(IndexOf(annotation));
}

void TiPlotComponent::DoAnnotationCoordinatesChangeFinished(TiPlotAnnotation* annotation) {
    DSP_DISPATCH_GUARD;
    if (OnAnnotationCoordinatesChangeFinished) {
        OnAnnotationCoordinatesChangeFinished(IndexOf(annotation));
    }
}

#undef DSP_DISPATCH_GUARD

}  // namespace dsp

#pragma once
// TControl: the base of everything that has a place on a form. It holds the bounds, the
// alignment, visibility, enabling, colour and font (each optionally taken from the parent),
// caption, hint and cursor, and it receives messages: Perform hands a message to WindowProc
// (WndProc unless replaced), which pre-processes mouse messages and passes the message to
// Dispatch; Dispatch handles the framework's messages and hands the rest to DefaultHandler.
// A derived class adds or changes message handling by overriding Dispatch and calling the
// base class's Dispatch for what it does not take.
//
// A control without a window of its own (TGraphicControl) is painted, hit-tested and fed
// mouse messages by its parent; TWinControl adds the window.

#include <cstdint>
#include <memory>
#include <string>

#include "framework/controls/ControlMessages.h"
#include "framework/controls/ControlTypes.h"
#include "framework/controls/DockTypes.h"
#include "framework/controls/DragTypes.h"
#include "framework/core/Component.h"
#include "framework/graphics/Colors.h"
#include "framework/graphics/Font.h"
#include "framework/graphics/Geometry.h"
#include "framework/runtime/MessageWindow.h"

namespace dsp {

class TWinControl;
class TCustomForm;

// The rows a notch of the mouse wheel scrolls a list, tree, grid or memo.
inline constexpr int kWheelRows = 3;

class TControl : public TComponent {
    DSP_PUBLISHED(TControl, TComponent) {
        using P = Published<TControl>;
        return {
            P::Property("Left", &TControl::Left, &TControl::SetLeft),
            P::Property("Top", &TControl::Top, &TControl::SetTop),
            P::Property("Width", &TControl::Width, &TControl::SetWidth),
            P::Property("Height", &TControl::Height, &TControl::SetHeight),
            P::Property("Align", &TControl::Align, &TControl::SetAlign).Default(alNone),
            P::Property("Anchors", &TControl::Anchors, &TControl::SetAnchors)
                .Default(TAnchors{akLeft, akTop}),
            P::Property("Caption", &TControl::Caption, &TControl::SetCaption),
            P::Property("Color", &TControl::Color, &TControl::SetColor)
                .Stored(&TControl::IsColorStored),
            P::Property("ParentColor", &TControl::ParentColor, &TControl::SetParentColor),
            P::Property("Font", &TControl::Font, &TControl::SetFont)
                .Stored(&TControl::IsFontStored),
            P::Property("ParentFont", &TControl::ParentFont, &TControl::SetParentFont),
            P::Property("Enabled", &TControl::Enabled, &TControl::SetEnabled).Default(true),
            P::Property("Visible", &TControl::Visible, &TControl::SetVisible).Default(true),
            P::Property("Hint", &TControl::Hint, &TControl::SetHint),
            P::Property("ShowHint", &TControl::ShowHint, &TControl::SetShowHint)
                .Stored(&TControl::IsShowHintStored),
            P::Property("ParentShowHint", &TControl::ParentShowHint, &TControl::SetParentShowHint)
                .Default(true),
            P::Property("Cursor", &TControl::Cursor, &TControl::SetCursor).Default(crDefault),
        };
    }

public:
    explicit TControl(TComponent* owner);
    ~TControl() override;

    // ---- parent
    TWinControl* Parent() const { return parent_; }
    // Moves the control into another parent (null: none). EInvalidOperation when the parent
    // is the control itself or one of its children.
    virtual void SetParent(TWinControl* parent);
    bool HasParent() const { return parent_ != nullptr; }

    // ---- bounds (parent's client coordinates)
    int Left() const { return left_; }
    int Top() const { return top_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    void SetLeft(int value) { SetBounds(value, top_, width_, height_); }
    void SetTop(int value) { SetBounds(left_, value, width_, height_); }
    void SetWidth(int value) { SetBounds(left_, top_, value, height_); }
    void SetHeight(int value) { SetBounds(left_, top_, width_, value); }
    TRect BoundsRect() const { return Bounds(left_, top_, width_, height_); }
    void SetBoundsRect(const TRect& r) { SetBounds(r.Left, r.Top, r.Width(), r.Height()); }
    virtual void SetBounds(int left, int top, int width, int height);

    // The area the control draws its content in and places its children in, in its own
    // coordinates.
    TRect ClientRect() const { return GetClientRect(); }
    int ClientWidth() const { return GetClientRect().Width(); }
    int ClientHeight() const { return GetClientRect().Height(); }
    void SetClientWidth(int value) { SetClientSize(value, ClientHeight()); }
    void SetClientHeight(int value) { SetClientSize(ClientWidth(), value); }
    // Resizes the control so that its client area gets the given size.
    virtual void SetClientSize(int width, int height);

    // Screen position of the client area's top-left corner, and conversions.
    virtual TPoint ClientOrigin() const;
    TPoint ClientToScreen(TPoint p) const;
    TPoint ScreenToClient(TPoint p) const;
    // Between the control's client coordinates and those of an ancestor (the parent when
    // null); EInvalidOperation when it is not an ancestor.
    TPoint ClientToParent(TPoint p, const TWinControl* ancestor = nullptr) const;
    TPoint ParentToClient(TPoint p, const TWinControl* ancestor = nullptr) const;

    TAlign Align() const { return align_; }
    void SetAlign(TAlign value);
    TAnchors Anchors() const { return anchors_; }
    void SetAnchors(TAnchors value);

    // ---- state
    bool Visible() const { return visible_; }
    void SetVisible(bool value);
    void Show();
    void Hide();
    // Visible on the screen: visible, and every parent up to a shown form visible too.
    virtual bool Showing() const;
    bool Enabled() const { return enabled_; }
    virtual void SetEnabled(bool value);

    TColor Color() const { return color_; }
    void SetColor(TColor value);
    bool ParentColor() const { return parentColor_; }
    void SetParentColor(bool value);
    TFont* Font() const { return font_.get(); }
    void SetFont(TFont* value);
    bool ParentFont() const { return parentFont_; }
    void SetParentFont(bool value);

    // Caption and Text are one text, kept through WM_SETTEXT and WM_GETTEXT so that a window
    // with a native editor can hold it itself.
    std::string Caption() const { return Text(); }
    void SetCaption(const std::string& value) { SetText(value); }
    std::string Text() const;
    void SetText(const std::string& value);

    const std::string& Hint() const { return hint_; }
    void SetHint(const std::string& value) { hint_ = value; }
    bool ShowHint() const { return showHint_; }
    void SetShowHint(bool value);
    bool ParentShowHint() const { return parentShowHint_; }
    void SetParentShowHint(bool value);

    TCursor Cursor() const { return cursor_; }
    void SetCursor(TCursor value);

    TControlStyle ControlStyle() const { return controlStyle_; }
    void SetControlStyle(TControlStyle value) { controlStyle_ = value; }
    TControlState ControlState() const { return controlState_; }
    void SetControlState(TControlState value) { controlState_ = value; }

    // ---- painting
    // Marks the control's area for painting at the next paint (with erasing unless the
    // control is opaque).
    virtual void Invalidate();
    // Paints what is marked now, without waiting for the event loop.
    virtual void Update();
    // Invalidate, then Update.
    virtual void Repaint();
    void Refresh() { Repaint(); }
    // Moves the control to the top (front) or the bottom of its parent's z-order.
    void BringToFront();
    void SendToBack();

    // ---- messages
    // Hands a message to the control's window procedure and returns its result.
    LRESULT Perform(unsigned msg, WPARAM wParam = 0, LPARAM lParam = 0);
    // The same for a message made whole, as the packing helpers of MessageParams.h make them.
    LRESULT Perform(TMessage message) {
        PerformMessage(message);
        return message.Result;
    }
    void PerformMessage(TMessage& message);
    // The window procedure: WndProc unless replaced. Replacing it subclasses the control; the
    // replacement passes what it does not take to the procedure it replaced.
    TWndMethod WindowProc() const;
    void SetWindowProc(TWndMethod method) { windowProc_ = std::move(method); }
    virtual void WndProc(TMessage& message);
    virtual void Dispatch(TMessage& message);
    virtual void DefaultHandler(TMessage& message);

    // ---- mouse
    bool MouseCapture() const;
    void SetMouseCapture(bool value);

    virtual void Click();
    virtual void DblClick();

    // The form the control stands on (the control itself for a form), or null.
    TCustomForm* ParentForm() const;

    // ---- docking (DockTypes.h; Docking.cpp)
    TDragKind DragKind() const { return dragKind_; }
    void SetDragKind(TDragKind value) { dragKind_ = value; }
    // The site the control is docked in, or the form it floats in; null otherwise.
    TWinControl* HostDockSite() const { return hostDockSite_; }
    // Floating in a form of its own (ManualFloat).
    bool Floating() const;
    // Docks the control into a dock site (EInvalidOperation for a control that is not one):
    // the site it leaves may refuse in OnUnDock (false); the new site takes it (OnDockDrop),
    // then the control hears OnEndDock with the site. dropControl and controlSide say where,
    // beside which docked control (see TDockTree::InsertControl).
    bool ManualDock(TWinControl* newDockSite, TControl* dropControl = nullptr,
                    TAlign controlSide = alNone);
    // Floats the control in a form of its own whose client area is screenPos (screen
    // coordinates); the site it leaves may refuse (false). OnEndDock follows with no target.
    bool ManualFloat(const TRect& screenPos);
    // The size the control had before it docked, which it takes again when it floats.
    int UndockWidth() const { return undockWidth_ > 0 ? undockWidth_ : width_; }
    int UndockHeight() const { return undockHeight_ > 0 ? undockHeight_ : height_; }
    void SetUndockWidth(int value) { undockWidth_ = value; }
    void SetUndockHeight(int value) { undockHeight_ = value; }

    // ---- events
    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TNotifyEvent OnResize;
    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;
    TMouseEvent OnMouseDown;
    TMouseEvent OnMouseUp;
    TMouseMoveEvent OnMouseMove;
    TMouseWheelEvent OnMouseWheel;
    TMouseWheelUpDownEvent OnMouseWheelDown;
    TMouseWheelUpDownEvent OnMouseWheelUp;
    TEndDragEvent OnEndDock;

protected:
    virtual TRect GetClientRect() const;
    virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseMove(TShiftState shift, int x, int y);
    // Wheel: OnMouseWheel, then OnMouseWheelDown or OnMouseWheelUp; true when handled.
    virtual bool DoMouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos);
    // A notch down or up: OnMouseWheelDown or OnMouseWheelUp, and when that leaves the notch
    // unhandled, WheelScroll with kWheelRows rows down or up.
    virtual bool DoMouseWheelDown(TShiftState shift, TPoint mousePos);
    virtual bool DoMouseWheelUp(TShiftState shift, TPoint mousePos);
    // Scrolls a control that shows rows by `rows` (positive: towards the end); true when it
    // scrolls by the wheel at all. Controls without rows keep the default: false.
    virtual bool WheelScroll(int /*rows*/) { return false; }
    // Where WM_MOUSEWHEEL goes: to the form, which hands it to its focused control.
    virtual void MouseWheelHandler(TMessage& message);
    // Raises OnResize.
    virtual void Resize();
    // Asks the parent to align its children again after this control changed.
    virtual void RequestAlign();
    // Marks the control's area on its parent (a windowless control) or itself.
    void InvalidateControl(bool isVisible, bool isOpaque);
    // Called just before Visible changes.
    virtual void VisibleChanging() {}
    void Loaded() override;

    bool IsColorStored() const { return !parentColor_; }
    bool IsFontStored() const { return !parentFont_; }
    bool IsShowHintStored() const { return !parentShowHint_; }

    // The text as stored by the default WM_SETTEXT handling.
    const std::string& StoredText() const { return text_; }

private:
    friend class TWinControl;
    friend class TCustomForm;
    friend class TScrollingWinControl;
    void FontChanged();
    // Records where the control stands against its parent's edges, for the anchors.
    void UpdateAnchorRules();
    void HandleMouseButton(TMessage& message, TMouseButton button, bool down, bool isDouble);
    void HandleMouseWheel(TMessage& message);

    TWinControl* parent_ = nullptr;
    int left_ = 0;
    int top_ = 0;
    int width_ = 0;
    int height_ = 0;
    TAlign align_ = alNone;
    TAnchors anchors_{akLeft, akTop};
    bool visible_ = true;
    bool enabled_ = true;
    bool parentColor_ = true;
    bool parentFont_ = true;
    bool showHint_ = false;
    bool parentShowHint_ = true;
    bool updatingFromParent_ = false;
    TColor color_ = clWindow;
    std::unique_ptr<TFont> font_;
    std::string text_;
    std::string hint_;
    TCursor cursor_ = crDefault;
    int wheelAccumulator_ = 0;
    // Anchors: the distances recorded at the last placement and the parent's size then.
    TPoint anchorRules_;
    TPoint originalParentSize_;
    bool anchorMove_ = false;
    TControlStyle controlStyle_;
    TControlState controlState_;
    TWndMethod windowProc_;
    TWinControl* hostDockSite_ = nullptr;
    TDragKind dragKind_ = dkDrag;
    int undockWidth_ = 0;
    int undockHeight_ = 0;
};

// The form a control stands on, or null.
TCustomForm* GetParentForm(const TControl* control);

// The modifier keys and buttons of a mouse message's key flags, with Alt from the keyboard.
TShiftState KeysToShiftState(unsigned keys);

}  // namespace dsp

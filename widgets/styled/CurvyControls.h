#pragma once
// Rounded panel and rounded edit box.
//
// TCurvyPanel paints its parent's background and then a filled rounded rectangle with a border
// and a thin shadow line along its top edge, so the cut-off corners show what lies behind.
// TCurvyControlPanel adds small image buttons at either end, inside or outside the rounded
// body. TCurvyEdit is such a panel around a borderless TEmptyEdit (an edit box that shows a grey
// placeholder while it is empty) and republishes the edit's properties and events as its own:
// every event of the inner edit reaches the box's handler with the box as sender. The box is
// always 24 pixels high; keys performed on the box itself (a WM_KEYDOWN of VK_END, say) do
// nothing, and only the inner edit's mouse events reach the box's handlers.

#include <memory>
#include <string>

#include "framework/controls/CustomControl.h"
#include "framework/controls/Edit.h"
#include "framework/core/Collection.h"
#include "framework/core/TypeInfo.h"
#include "widgets/styled/AdvGDIP.h"

namespace dsp {

class TImageList;
class TPopupMenu;

enum TControlPosition { cpLeftInControl, cpRightInControl, cpLeft, cpRight };
DSP_ENUM_NAMES(TControlPosition, "cpLeftInControl", "cpRightInControl", "cpLeft", "cpRight")

// The mouse state of an embedded button. (Named after the widget pack's own enumeration; the
// framework's control states are a set of another type.)
enum class TCurvyControlState { csNormal, csHover, csDown };

using TControlClickEvent = std::function<void(TObject* sender, int index)>;

class TCurvyPanel : public TCustomControl {
    DSP_PUBLISHED(TCurvyPanel, TCustomControl) {
        using P = Published<TCurvyPanel>;
        using B = TCurvyPanel;
        return {
            P::Property("Rounding", &B::Rounding, &B::SetRounding).Default(8),
            P::Property("BorderColor", &B::BorderColor, &B::SetBorderColor).Default(clGray),
        };
    }

public:
    explicit TCurvyPanel(TComponent* owner);
    ~TCurvyPanel() override;

    // The body colour is the control's Color (clWindow to start with); a change repaints at
    // once through ColorChanged.
    int Rounding() const { return FRounding; }
    virtual void SetRounding(int value);
    TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor value);
    // Stored without repainting; clNone draws no shadow.
    TColor ShadowColor() const { return FShadowColor; }
    void SetShadowColor(TColor value) { FShadowColor = value; }

protected:
    virtual void ColorChanged();
    void Paint() override;
    void Dispatch(TMessage& message) override;

    int FRounding = 8;
    TColor FShadowColor = 0xD9D9D9;
    TColor FBorderColor = clGray;
    int FIndentRight = 0;
    int FIndentLeft = 0;
};

class TCurvyControls;

class TCurvyControl : public TCollectionItem {
public:
    explicit TCurvyControl(TCollection* collection);
    ~TCurvyControl() override;
    // Copies Hint, the image indices, Position and DropDown from another button; other sources
    // are ignored.
    void Assign(TPersistent* source) override;

    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int value);
    int ImageIndexHover() const { return FImageIndexHover; }
    void SetImageIndexHover(int value) { FImageIndexHover = value; }
    int ImageIndexDown() const { return FImageIndexDown; }
    void SetImageIndexDown(int value) { FImageIndexDown = value; }
    TAdvGDIPPicture* Picture() const { return FPicture.get(); }
    void SetPicture(TAdvGDIPPicture* value) { FPicture->Assign(value); }
    TAdvGDIPPicture* PictureHover() const { return FPictureHover.get(); }
    void SetPictureHover(TAdvGDIPPicture* value) { FPictureHover->Assign(value); }
    TAdvGDIPPicture* PictureDown() const { return FPictureDown.get(); }
    void SetPictureDown(TAdvGDIPPicture* value) { FPictureDown->Assign(value); }
    const std::string& Hint() const { return FHint; }
    void SetHint(const std::string& value) { FHint = value; }
    bool DropDown() const { return FDropDown; }
    void SetDropDown(bool value);
    TPopupMenu* PopupMenu() const { return FPopupMenu; }
    void SetPopupMenu(TPopupMenu* value) { FPopupMenu = value; }
    TControlPosition Position() const { return FPosition; }
    void SetPosition(TControlPosition value);
    TCurvyControlState State() const { return FState; }
    void SetState(TCurvyControlState value) { FState = value; }

private:
    void NotifyCollection();

    int FImageIndex = -1;
    int FImageIndexHover = -1;
    int FImageIndexDown = -1;
    std::unique_ptr<TAdvGDIPPicture> FPicture;
    std::unique_ptr<TAdvGDIPPicture> FPictureHover;
    std::unique_ptr<TAdvGDIPPicture> FPictureDown;
    std::string FHint;
    bool FDropDown = false;
    TPopupMenu* FPopupMenu = nullptr;
    TControlPosition FPosition = cpRightInControl;
    TCurvyControlState FState = TCurvyControlState::csNormal;
};

class TCurvyControls : public TOwnedCollection {
public:
    explicit TCurvyControls(TPersistent* owner);
    // New buttons are announced once they are whole.
    TCurvyControl* Add();
    TCurvyControl* Insert(int index);
    // The button at index; null while an item is still being made.
    TCurvyControl* Items(int index) const {
        return dynamic_cast<TCurvyControl*>(TCollection::Items(index));
    }

    // Width and height of a button: its picture's (+ 2, + 5 more with a drop-down arrow), or
    // the image list's.
    TSize GetControlSize(int index) const;
    // Sums the button widths per position; the right inside margin starts at 2.
    void CalcSizes();

    int LeftSize() const { return FLeftSize; }
    int LeftControlSize() const { return FLeftControlSize; }
    int RightSize() const { return FRightSize; }
    int RightControlSize() const { return FRightControlSize; }
    void SetImageListSize(int width, int height) {
        FImageListImageWidth = width;
        FImageListImageHeight = height;
    }

    TNotifyEvent OnChange;

protected:
    void Update(TCollectionItem* item) override;

private:
    int FLeftSize = 0;
    int FLeftControlSize = 0;
    int FRightSize = 0;
    int FRightControlSize = 0;
    int FImageListImageWidth = 0;
    int FImageListImageHeight = 0;
};

class TCurvyControlPanel : public TCurvyPanel {
public:
    explicit TCurvyControlPanel(TComponent* owner);
    ~TCurvyControlPanel() override;

    TCurvyControls* Controls() const { return FCurvyControls.get(); }
    void SetControls(TCurvyControls* value) { FCurvyControls->Assign(value); }
    TImageList* Images() const { return FImages; }
    void SetImages(TImageList* value);
    std::string Version() const;
    void SetVersion(const std::string&) {}

    // Sums the buttons, takes the outside ones out of the rounded body, places the content
    // and repaints.
    void UpdateControls();
    // Places the content for the new rounding too.
    void SetRounding(int value) override;
    // The button under x and its left edge; -1 when none (a point on a button's edge hits
    // nothing).
    int ControlAt(int x, int* left = nullptr) const;

    TControlClickEvent OnControlClick;

protected:
    virtual void DoControlClick(int index);
    virtual void LayoutContent() {}
    void Paint() override;
    void Notification(TComponent* component, TOperation operation) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void Dispatch(TMessage& message) override;

private:
    // Walks the buttons in collection order with their places; draw paints them, and the
    // result is the last button whose span holds x strictly (-1 when none).
    int WalkControls(bool draw, int x, int* left) const;
    void DrawControl(int index, int x, int y) const;

    std::unique_ptr<TCurvyControls> FCurvyControls;
    TImageList* FImages = nullptr;
};

class TEmptyEdit : public TEdit {
public:
    explicit TEmptyEdit(TComponent* owner);
    ~TEmptyEdit() override;
    // Shown grey at (3, 0) whenever the text is empty, with the focus or without.
    const std::string& EmptyText() const { return FEmptyText; }
    void SetEmptyText(const std::string& value) { FEmptyText = value; }

protected:
    void PaintWindow(TCanvas& canvas) override;
    void Dispatch(TMessage& message) override;

private:
    std::string FEmptyText;
};

class TCurvyEdit : public TCurvyControlPanel {
public:
    explicit TCurvyEdit(TComponent* owner);
    ~TCurvyEdit() override;

    TEmptyEdit* Edit() const { return FEdit; }

    // ---- forwarded to the inner edit
    std::string Text() const { return FEdit->Text(); }
    void SetText(const std::string& value) { FEdit->SetText(value); }
    TAlignment Alignment() const { return FEdit->Alignment(); }
    void SetAlignment(TAlignment value) { FEdit->SetAlignment(value); }
    bool AutoSelect() const { return FEdit->AutoSelect(); }
    void SetAutoSelect(bool value) { FEdit->SetAutoSelect(value); }
    TEditCharCase CharCase() const { return FEdit->CharCase(); }
    void SetCharCase(TEditCharCase value) { FEdit->SetCharCase(value); }
    const std::string& EmptyText() const { return FEdit->EmptyText(); }
    void SetEmptyText(const std::string& value) { FEdit->SetEmptyText(value); }
    // The inner edit's; the box itself stays enabled.
    bool Enabled() const { return FEdit->Enabled(); }
    void SetEnabled(bool value) override { FEdit->SetEnabled(value); }
    bool HideSelection() const { return FEdit->HideSelection(); }
    void SetHideSelection(bool value) { FEdit->SetHideSelection(value); }
    int MaxLength() const { return FEdit->MaxLength(); }
    void SetMaxLength(int value) { FEdit->SetMaxLength(value); }
    bool NumbersOnly() const { return FEdit->NumbersOnly(); }
    void SetNumbersOnly(bool value) { FEdit->SetNumbersOnly(value); }
    bool OEMConvert() const { return FEdit->OEMConvert(); }
    void SetOEMConvert(bool value) { FEdit->SetOEMConvert(value); }
    char16_t PasswordChar() const { return FEdit->PasswordChar(); }
    void SetPasswordChar(char16_t value) { FEdit->SetPasswordChar(value); }
    bool ReadOnly() const { return FEdit->ReadOnly(); }
    void SetReadOnly(bool value) { FEdit->SetReadOnly(value); }
    int TabOrder() const { return FEdit->TabOrder(); }
    void SetTabOrder(int value) { FEdit->SetTabOrder(value); }
    bool TabStop() const { return FEdit->TabStop(); }
    void SetTabStop(bool value) { FEdit->SetTabStop(value); }
    const std::string& TextHint() const { return FEdit->TextHint(); }
    void SetTextHint(const std::string& value) { FEdit->SetTextHint(value); }
    TImeMode ImeMode() const { return FEdit->ImeMode(); }
    void SetImeMode(TImeMode value) { FEdit->SetImeMode(value); }
    const std::string& ImeName() const { return FEdit->ImeName(); }
    void SetImeName(const std::string& value) { FEdit->SetImeName(value); }

    // Focuses the inner edit.
    void SetFocus() override;
    bool Focused() const { return FEdit->Focused(); }
    // The height is always 24.
    void SetBounds(int left, int top, int width, int height) override;

    // The box's own events, raised by the inner edit's with the box as sender; the framework's
    // events of the outer control stay unassigned.
    TNotifyEvent OnClick;
    TNotifyEvent OnChange;
    TNotifyEvent OnDblClick;
    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;
    TKeyEvent OnKeyDown;
    TKeyPressEvent OnKeyPress;
    TKeyEvent OnKeyUp;
    TMouseEvent OnMouseDown;
    TMouseMoveEvent OnMouseMove;
    TMouseEvent OnMouseUp;
    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;

protected:
    void CreateWnd() override;
    void LayoutContent() override;
    void ColorChanged() override;
    void Resize() override;
    void Dispatch(TMessage& message) override;

private:
    void HookEvents();

    TEmptyEdit* FEdit = nullptr;  // owned as a component
};

}  // namespace dsp

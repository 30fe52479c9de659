#include "widgets/styled/CurvyControls.h"

#include "framework/controls/HintWindow.h"
#include "framework/controls/Menus.h"
#include "framework/controls/MessageParams.h"
#include "framework/controls/StdControlSupport.h"
#include "framework/graphics/ImageList.h"
#include "widgets/styled/GDIPFill.h"

namespace dsp {

namespace {

ARGB OpaqueOf(TColor color) { return ColorToArgb(ColorToRGB(color)); }

}  // namespace

// ---- rounded panel

TCurvyPanel::TCurvyPanel(TComponent* owner) : TCustomControl(owner) {
    SetControlStyle(ControlStyle() + TControlStyle{csAcceptsControls});
    SetColor(clWindow);
    SetBounds(Left(), Top(), 200, 100);
    SetDoubleBuffered(true);
}

TCurvyPanel::~TCurvyPanel() = default;

void TCurvyPanel::SetRounding(int value) {
    if (value == FRounding) return;
    FRounding = value;
    Invalidate();
}

void TCurvyPanel::SetBorderColor(TColor value) {
    if (value == FBorderColor) return;
    FBorderColor = value;
    Invalidate();
}

void TCurvyPanel::ColorChanged() { Repaint(); }

void TCurvyPanel::Paint() {
    TGDIPFill fill;
    fill.SetBorderColor(ColorToRGB(FBorderColor));
    fill.SetRounding(FRounding);
    fill.SetRoundingType(rtBoth);
    const TColor body = ColorToRGB(Color());
    fill.SetColor(body);
    fill.SetColorTo(body);
    fill.SetColorMirror(body);
    fill.SetColorMirrorTo(body);
    TGPGraphics graphics(Canvas());
    graphics.SetSmoothingMode(SmoothingModeAntiAlias);
    fill.Fill(&graphics,
              MakeGPRectF(static_cast<REAL>(FIndentLeft), 0,
                          static_cast<REAL>(Width() - 1 - FIndentRight - FIndentLeft),
                          static_cast<REAL>(Height() - 1)),
              255, 255, 255, 255, 255);
    if (FShadowColor != clNone) {
        TGPPen pen(OpaqueOf(FShadowColor), 1);
        graphics.DrawLine(&pen, static_cast<REAL>(FRounding + FIndentLeft), 1,
                          static_cast<REAL>(Width() - FRounding - FIndentRight), 1);
        graphics.DrawArc(&pen, static_cast<REAL>(Width() - FRounding - FIndentRight - 3), 1,
                         static_cast<REAL>(FRounding), static_cast<REAL>(FRounding), -90, 90);
    }
}

void TCurvyPanel::Dispatch(TMessage& message) {
    switch (message.Msg) {
        case WM_ERASEBKGND:
            // The parent's background and drawing behind the panel: the corners show them.
            if (Parent() != nullptr) {
                if (TCanvas* canvas = MessageCanvas(message)) PaintParentBackground(*this, *canvas);
                message.Result = 1;
                return;
            }
            break;
        case CM_COLORCHANGED:
            TCustomControl::Dispatch(message);
            ColorChanged();
            return;
        default: break;
    }
    TCustomControl::Dispatch(message);
}

// ---- embedded buttons

TCurvyControl::TCurvyControl(TCollection* collection) : TCollectionItem(collection) {
    auto picture = [this] {
        auto p = std::make_unique<TAdvGDIPPicture>();
        p->OnChange = [this](TObject*) { NotifyCollection(); };
        return p;
    };
    FPicture = picture();
    FPictureHover = picture();
    FPictureDown = picture();
}

TCurvyControl::~TCurvyControl() = default;

void TCurvyControl::NotifyCollection() {
    if (Collection() == nullptr) return;
    Collection()->BeginUpdate();
    Collection()->EndUpdate();
}

void TCurvyControl::SetImageIndex(int value) {
    if (value == FImageIndex) return;
    FImageIndex = value;
    NotifyCollection();
}

void TCurvyControl::SetDropDown(bool value) {
    if (value == FDropDown) return;
    FDropDown = value;
    NotifyCollection();
}

void TCurvyControl::SetPosition(TControlPosition value) {
    if (value == FPosition) return;
    FPosition = value;
    NotifyCollection();
}

void TCurvyControl::Assign(TPersistent* source) {
    auto* other = dynamic_cast<TCurvyControl*>(source);
    if (other == nullptr) return;
    FHint = other->FHint;
    FImageIndex = other->FImageIndex;
    FImageIndexDown = other->FImageIndexDown;
    FImageIndexHover = other->FImageIndexHover;
    FPosition = other->FPosition;
    FDropDown = other->FDropDown;
}

TCurvyControls::TCurvyControls(TPersistent* owner)
    : TOwnedCollection(owner, TCollection::ItemClass<TCurvyControl>()) {}

TCurvyControl* TCurvyControls::Add() {
    BeginUpdate();
    auto* control = static_cast<TCurvyControl*>(TCollection::Add());
    EndUpdate();
    return control;
}

TCurvyControl* TCurvyControls::Insert(int index) {
    BeginUpdate();
    auto* control = static_cast<TCurvyControl*>(TCollection::Insert(index));
    EndUpdate();
    return control;
}

void TCurvyControls::Update(TCollectionItem* item) {
    TOwnedCollection::Update(item);
    if (OnChange) OnChange(this);
}

TSize TCurvyControls::GetControlSize(int index) const {
    const TCurvyControl* c = Items(index);
    TSize size{FImageListImageWidth + 2, FImageListImageHeight};
    if (c == nullptr) return size;
    if (!c->Picture()->Empty()) size = {c->Picture()->Width() + 2, c->Picture()->Height()};
    if (c->DropDown()) size.cx += 5;
    return size;
}

void TCurvyControls::CalcSizes() {
    FLeftSize = 0;
    FRightSize = 0;
    FLeftControlSize = 0;
    FRightControlSize = 2;
    for (int i = 0; i < Count(); ++i) {
        if (Items(i) == nullptr) continue;
        const int w = GetControlSize(i).cx;
        switch (Items(i)->Position()) {
            case cpLeftInControl: FLeftControlSize += w; break;
            case cpRightInControl: FRightControlSize += w; break;
            case cpLeft: FLeftSize += w; break;
            case cpRight: FRightSize += w; break;
        }
    }
}

TCurvyControlPanel::TCurvyControlPanel(TComponent* owner) : TCurvyPanel(owner) {
    FCurvyControls = std::make_unique<TCurvyControls>(this);
    FCurvyControls->OnChange = [this](TObject*) { UpdateControls(); };
    // The sums hold from the start, not only after the buttons were read.
    UpdateControls();
}

TCurvyControlPanel::~TCurvyControlPanel() = default;

std::string TCurvyControlPanel::Version() const { return "1.2.0.0"; }

void TCurvyControlPanel::SetImages(TImageList* value) {
    if (FImages != nullptr) FImages->RemoveFreeNotification(this);
    FImages = value;
    if (FImages != nullptr) FImages->FreeNotification(this);
    FCurvyControls->SetImageListSize(value != nullptr ? value->Width() : 0,
                                     value != nullptr ? value->Height() : 0);
    UpdateControls();
}

void TCurvyControlPanel::Notification(TComponent* component, TOperation operation) {
    if (operation == opRemove) {
        if (component == FImages) SetImages(nullptr);
        if (!ComponentState().Contains(csDestroying)) {
            for (int i = 0; i < FCurvyControls->Count(); ++i) {
                TCurvyControl* c = FCurvyControls->Items(i);
                if (c != nullptr && c->PopupMenu() == component) c->SetPopupMenu(nullptr);
            }
        }
    }
    TCurvyPanel::Notification(component, operation);
}

void TCurvyControlPanel::UpdateControls() {
    FCurvyControls->CalcSizes();
    FIndentLeft = FCurvyControls->LeftSize();
    FIndentRight = FCurvyControls->RightSize();
    LayoutContent();
    Invalidate();
}

void TCurvyControlPanel::SetRounding(int value) {
    if (value == FRounding) return;
    TCurvyPanel::SetRounding(value);
    UpdateControls();
}

void TCurvyControlPanel::DoControlClick(int index) {
    if (OnControlClick) OnControlClick(this, index);
}

int TCurvyControlPanel::WalkControls(bool draw, int x, int* left) const {
    const TCurvyControls& cs = *FCurvyControls;
    int running[4] = {cs.LeftSize() + FRounding / 2,
                      Width() - cs.RightSize() - cs.RightControlSize() - FRounding / 2, 0,
                      Width() - cs.RightSize() + 2};
    int hit = -1;
    for (int i = 0; i < cs.Count(); ++i) {
        if (cs.Items(i) == nullptr) continue;
        const TSize size = cs.GetControlSize(i);
        int& at = running[static_cast<int>(cs.Items(i)->Position())];
        if (draw) DrawControl(i, at, (Height() - size.cy) / 2);
        if (x > at && x < at + size.cx) {
            hit = i;
            if (left != nullptr) *left = at;
        }
        at += size.cx;
    }
    return hit;
}

int TCurvyControlPanel::ControlAt(int x, int* left) const { return WalkControls(false, x, left); }

void TCurvyControlPanel::DrawControl(int index, int x, int y) const {
    const TCurvyControl& c = *FCurvyControls->Items(index);
    TCanvas* canvas = Canvas();
    int w = 0;
    if (c.Picture()->Empty()) {
        int image = c.ImageIndex();
        if (c.State() == TCurvyControlState::csHover && c.ImageIndexHover() >= 0)
            image = c.ImageIndexHover();
        if (c.State() == TCurvyControlState::csDown && c.ImageIndexDown() >= 0)
            image = c.ImageIndexDown();
        if (FImages != nullptr) {
            w = FImages->Width();
            if (image >= 0) FImages->Draw(canvas, x, y, image, true);
        }
    } else {
        TAdvGDIPPicture* picture = c.Picture();
        if (c.State() == TCurvyControlState::csHover && !c.PictureHover()->Empty())
            picture = c.PictureHover();
        if (c.State() == TCurvyControlState::csDown && !c.PictureDown()->Empty())
            picture = c.PictureDown();
        TGPGraphics graphics(canvas);
        picture->GDIPDraw(&graphics, Rect(x, y, x + picture->Width(), y + picture->Height()));
        w = picture->Width();
    }
    if (c.DropDown()) {
        TGPGraphics graphics(canvas);
        graphics.SetSmoothingMode(SmoothingModeHighQuality);
        const TGPPointF triangle[3] = {
            MakeGPPointF(static_cast<REAL>(x + w), static_cast<REAL>(y + 5)),
            MakeGPPointF(static_cast<REAL>(x + w + 6), static_cast<REAL>(y + 5)),
            MakeGPPointF(static_cast<REAL>(x + w + 3), static_cast<REAL>(y + 9))};
        TGPSolidBrush black(0xFF000000);
        graphics.FillPolygon(&black, triangle, 3);
    }
}

void TCurvyControlPanel::Paint() {
    TCurvyPanel::Paint();
    WalkControls(true, -1, nullptr);
}

void TCurvyControlPanel::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TCurvyPanel::MouseDown(button, shift, x, y);
    int left = 0;
    const int index = ControlAt(x, &left);
    if (index < 0) return;
    TCurvyControl* c = FCurvyControls->Items(index);
    c->SetState(TCurvyControlState::csDown);
    Invalidate();
    if (c->DropDown() && c->PopupMenu() != nullptr) {
        const TPoint p = ClientToScreen({left, Height() - 3});
        c->PopupMenu()->Popup(p.X, p.Y);
    }
}

void TCurvyControlPanel::MouseMove(TShiftState shift, int x, int y) {
    TCurvyPanel::MouseMove(shift, x, y);
    const int index = ControlAt(x);
    if (index < 0) return;
    bool changed = false;
    for (int i = 0; i < FCurvyControls->Count(); ++i) {
        TCurvyControl* c = FCurvyControls->Items(i);
        if (i != index && c->State() == TCurvyControlState::csHover) {
            c->SetState(TCurvyControlState::csNormal);
            changed = true;
        }
    }
    TCurvyControl* c = FCurvyControls->Items(index);
    if (c->State() == TCurvyControlState::csNormal) {
        c->SetState(TCurvyControlState::csHover);
        changed = true;
    }
    if (changed) Invalidate();
}

void TCurvyControlPanel::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    TCurvyPanel::MouseUp(button, shift, x, y);
    const int index = ControlAt(x);
    if (index < 0) return;
    DoControlClick(index);
    if (index < FCurvyControls->Count()) {
        FCurvyControls->Items(index)->SetState(TCurvyControlState::csNormal);
        Invalidate();
    }
}

void TCurvyControlPanel::Dispatch(TMessage& message) {
    switch (message.Msg) {
        case CM_MOUSELEAVE:
            if (MouseChildOf(message) == nullptr) {
                // The panel's own leave: hovered buttons calm down; no OnMouseLeave.
                bool changed = false;
                for (int i = 0; i < FCurvyControls->Count(); ++i) {
                    TCurvyControl* c = FCurvyControls->Items(i);
                    if (c->State() == TCurvyControlState::csHover) {
                        c->SetState(TCurvyControlState::csNormal);
                        changed = true;
                    }
                }
                if (changed) Invalidate();
                return;
            }
            break;
        case CM_HINTSHOW: {
            TCurvyPanel::Dispatch(message);
            if (THintInfo* info = HintInfoOf(message)) {
                const int index = ControlAt(info->CursorPos.X);
                if (index >= 0 && !FCurvyControls->Items(index)->Hint().empty())
                    info->HintStr = FCurvyControls->Items(index)->Hint();
            }
            return;
        }
        default: break;
    }
    TCurvyPanel::Dispatch(message);
}

// ---- edit with a placeholder

TEmptyEdit::TEmptyEdit(TComponent* owner) : TEdit(owner) {}

TEmptyEdit::~TEmptyEdit() = default;

void TEmptyEdit::PaintWindow(TCanvas& canvas) {
    TEdit::PaintWindow(canvas);
    if (!Text().empty() || FEmptyText.empty()) return;
    TFont font;
    font.SetColor(clGray);
    canvas.Font()->Assign(&font);
    canvas.Brush()->SetStyle(bsClear);
    canvas.TextOut(3, 0, FEmptyText);
    canvas.Brush()->SetStyle(bsSolid);
}

void TEmptyEdit::Dispatch(TMessage& message) {
    TEdit::Dispatch(message);
    if ((message.Msg == WM_SETFOCUS || message.Msg == WM_KILLFOCUS) && !FEmptyText.empty() &&
        Text().empty()) {
        Invalidate();
    }
}

// ---- rounded edit box

TCurvyEdit::TCurvyEdit(TComponent* owner) : TCurvyControlPanel(owner) {
    FEdit = new TEmptyEdit(this);
    FEdit->SetBorderStyle(bsNone);
    // The inner edit keeps the 18 pixels it is given whatever its font.
    FEdit->SetAutoSize(false);
    FEdit->SetHeight(18);
    FEdit->SetTabStop(false);
    FEdit->SetParent(this);
    FEdit->SetFont(Font());
    FEdit->SetColor(Color());
    TCurvyControlPanel::SetBounds(Left(), Top(), 100, 24);
    HookEvents();
    UpdateControls();
}

TCurvyEdit::~TCurvyEdit() = default;

void TCurvyEdit::HookEvents() {
    FEdit->OnChange = [this](TObject*) {
        if (OnChange) OnChange(this);
    };
    FEdit->OnClick = [this](TObject*) {
        if (OnClick) OnClick(this);
    };
    FEdit->OnDblClick = [this](TObject*) {
        if (OnDblClick) OnDblClick(this);
    };
    FEdit->OnEnter = [this](TObject*) {
        if (OnEnter) OnEnter(this);
    };
    FEdit->OnExit = [this](TObject*) {
        if (OnExit) OnExit(this);
    };
    FEdit->OnKeyDown = [this](TObject*, TKeyCode& key, TShiftState shift) {
        if (OnKeyDown) OnKeyDown(this, key, shift);
    };
    FEdit->OnKeyUp = [this](TObject*, TKeyCode& key, TShiftState shift) {
        if (OnKeyUp) OnKeyUp(this, key, shift);
    };
    FEdit->OnKeyPress = [this](TObject*, char16_t& key) {
        if (OnKeyPress) OnKeyPress(this, key);
    };
    FEdit->OnMouseDown = [this](TObject*, TMouseButton button, TShiftState shift, int x, int y) {
        if (OnMouseDown) OnMouseDown(this, button, shift, x, y);
    };
    FEdit->OnMouseUp = [this](TObject*, TMouseButton button, TShiftState shift, int x, int y) {
        if (OnMouseUp) OnMouseUp(this, button, shift, x, y);
    };
    FEdit->OnMouseMove = [this](TObject*, TShiftState shift, int x, int y) {
        if (OnMouseMove) OnMouseMove(this, shift, x, y);
    };
    FEdit->OnMouseEnter = [this](TObject*) {
        if (OnMouseEnter) OnMouseEnter(this);
    };
    FEdit->OnMouseLeave = [this](TObject*) {
        if (OnMouseLeave) OnMouseLeave(this);
    };
}

void TCurvyEdit::CreateWnd() {
    TCurvyControlPanel::CreateWnd();
    LayoutContent();
    SetHeight(24);
}

void TCurvyEdit::SetFocus() { FEdit->SetFocus(); }

void TCurvyEdit::SetBounds(int left, int top, int width, int /*height*/) {
    const int oldWidth = Width();
    TCurvyControlPanel::SetBounds(left, top, width, 24);
    // Before its window exists the box hears of no resize; the inner edit follows the width
    // all the same.
    if (Width() != oldWidth) LayoutContent();
}

void TCurvyEdit::LayoutContent() {
    if (FEdit == nullptr) return;
    const TCurvyControls& cs = *Controls();
    const int left = cs.LeftSize() + FRounding + cs.LeftControlSize();
    const int width = Width() - 2 * FRounding - cs.RightSize() - cs.RightControlSize() -
                      cs.LeftSize() - cs.LeftControlSize();
    FEdit->SetBounds(left, 5, width, 18);
}

void TCurvyEdit::ColorChanged() {
    TCurvyControlPanel::ColorChanged();
    if (FEdit != nullptr) FEdit->SetColor(Color());
}

void TCurvyEdit::Resize() {
    TCurvyControlPanel::Resize();
    LayoutContent();
}

void TCurvyEdit::Dispatch(TMessage& message) {
    switch (message.Msg) {
        case CM_FONTCHANGED:
        case CM_PARENTFONTCHANGED:
            // The inner edit takes the box's font; the box does not take its parent's.
            if (FEdit != nullptr) FEdit->SetFont(Font());
            Invalidate();
            return;
        default: TCurvyControlPanel::Dispatch(message);
    }
}

}  // namespace dsp

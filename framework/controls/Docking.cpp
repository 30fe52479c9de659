#include "framework/controls/Docking.h"

#include <algorithm>

#include "framework/controls/ClassicDraw.h"
#include "framework/controls/ControlErrors.h"

namespace dsp {

namespace {

constexpr int kGrabberBars = 2;  // raised bars along a grabber
constexpr int kCloseBox = 11;    // the close box at the grabber's far end

void EraseFrom(std::vector<TControl*>& list, TControl* control) {
    list.erase(std::remove(list.begin(), list.end(), control), list.end());
}

}  // namespace

// ---- TDockTree

TDockTree::TDockTree(TWinControl* dockSite) : dockSite_(dockSite) {
    oldWndProc_ = dockSite_->WindowProc();
    dockSite_->SetWindowProc([this](TMessage& message) { SiteMessage(message); });
}

TDockTree::~TDockTree() { dockSite_->SetWindowProc(oldWndProc_); }

void TDockTree::SiteMessage(TMessage& message) {
    oldWndProc_(message);
    switch (message.Msg) {
        case WM_PAINT:
        case WM_PRINTCLIENT:
            if (TCanvas* canvas = MessageCanvas(message)) PaintSite(*canvas);
            break;
        case WM_SIZE: ResetBounds(false); break;
        default: break;
    }
}

void TDockTree::SetGrabberSize(int value) {
    grabberSize_ = std::max(0, value);
    ResetBounds(true);
}

bool TDockTree::GrabbersAtLeft() const {
    return dockSite_->Align() == alTop || dockSite_->Align() == alBottom;
}

void TDockTree::InsertControl(TControl* control, TAlign insertAt, TControl* dropControl) {
    EraseFrom(clients_, control);
    auto at = std::find(clients_.begin(), clients_.end(), dropControl);
    if (at != clients_.end() && (insertAt == alRight || insertAt == alBottom)) ++at;
    clients_.insert(at, control);
    ResetBounds(true);
}

void TDockTree::RemoveControl(TControl* control) {
    EraseFrom(clients_, control);
    ResetBounds(true);
}

TRect TDockTree::ZoneRect(TControl* control) const {
    auto it = std::find(clients_.begin(), clients_.end(), control);
    if (it == clients_.end()) return {};
    const int count = static_cast<int>(clients_.size());
    const int index = static_cast<int>(it - clients_.begin());
    const TRect client = dockSite_->ClientRect();
    if (GrabbersAtLeft()) {
        const int left = client.Left + client.Width() * index / count;
        const int right = client.Left + client.Width() * (index + 1) / count;
        return Rect(left, client.Top, right, client.Bottom);
    }
    const int top = client.Top + client.Height() * index / count;
    const int bottom = client.Top + client.Height() * (index + 1) / count;
    return Rect(client.Left, top, client.Right, bottom);
}

void TDockTree::AdjustDockRect(TControl*, TRect& rect) {
    if (GrabbersAtLeft()) {
        rect.Left += grabberSize_;
    } else {
        rect.Top += grabberSize_;
    }
}

void TDockTree::ResetBounds(bool) {
    if (dockSite_->ComponentState().Contains(csDestroying)) return;
    for (TControl* control : clients_) {
        TRect r = ZoneRect(control);
        AdjustDockRect(control, r);
        control->SetBoundsRect(NormalizeRect(r));
    }
    dockSite_->Invalidate();
}

void TDockTree::PaintDockFrame(TCanvas& canvas, TControl*, const TRect& rect) {
    // Bars along the grabber, a close box with a cross at its far end.
    const bool atLeft = GrabbersAtLeft();
    const TRect grabber = atLeft ? Rect(rect.Left, rect.Top, rect.Left + grabberSize_, rect.Bottom)
                                 : Rect(rect.Left, rect.Top, rect.Right, rect.Top + grabberSize_);
    TRect close = atLeft
                      ? Bounds(grabber.Left + (grabberSize_ - kCloseBox) / 2, grabber.Top + 1,
                               kCloseBox, kCloseBox)
                      : Bounds(grabber.Right - kCloseBox - 1,
                               grabber.Top + (grabberSize_ - kCloseBox) / 2, kCloseBox, kCloseBox);
    for (int i = 0; i < kGrabberBars; ++i) {
        TRect bar = atLeft ? Rect(grabber.Left + 2 + 4 * i, close.Bottom + 2,
                                  grabber.Left + 5 + 4 * i, grabber.Bottom - 2)
                           : Rect(grabber.Left + 2, grabber.Top + 2 + 4 * i, close.Left - 2,
                                  grabber.Top + 5 + 4 * i);
        if (IsRectEmpty(bar)) continue;
        Frame3D(canvas, bar, clBtnHighlight, clBtnShadow, 1);
    }
    DrawButtonFace(canvas, close, false, false);
    canvas.Pen()->SetColor(clBtnText);
    const int size = close.Width() - 1;
    canvas.MoveTo(close.Left, close.Top);
    canvas.LineTo(close.Left + size, close.Top + size);
    canvas.MoveTo(close.Left + size - 1, close.Top);
    canvas.LineTo(close.Left - 1, close.Top + size);
}

void TDockTree::PaintSite(TCanvas& canvas) {
    for (TControl* control : clients_) {
        if (!control->Visible()) continue;
        PaintDockFrame(canvas, control, ZoneRect(control));
    }
}

// ---- TDockFloatForm

TDockFloatForm::TDockFloatForm(TComponent* owner) : TForm(owner) {
    SetBorderStyle(bsSizeToolWin);
    AfterConstruction();
}

// ---- the site

void TWinControl::SetDockSite(bool value) {
    if (dockSite_ == value) return;
    dockSite_ = value;
    UpdateDockManager();
}

void TWinControl::SetUseDockManager(bool value) {
    if (useDockManager_ == value) return;
    useDockManager_ = value;
    UpdateDockManager();
}

void TWinControl::UpdateDockManager() {
    const bool wanted = dockSite_ && useDockManager_;
    if (wanted && !dockManager_) {
        dockManager_ = CreateDockManager();
        if (dockManager_) {
            for (TControl* client : dockClients_) {
                dockManager_->InsertControl(client, alNone, nullptr);
            }
        }
    } else if (!wanted && dockManager_) {
        dockManager_.reset();
        Invalidate();
    }
}

std::unique_ptr<TDockTree> TWinControl::CreateDockManager() {
    return std::make_unique<TDockTree>(this);
}

TControl* TWinControl::DockClients(int index) const {
    if (index < 0 || index >= DockClientCount()) throw EListError::IndexOutOfBounds(index);
    return dockClients_[static_cast<std::size_t>(index)];
}

void TWinControl::DockDrop(TDragDockObject& source, int x, int y) {
    TControl* control = source.Control;
    control->SetParent(this);
    if (dockManager_) {
        control->SetAlign(alNone);
        dockManager_->InsertControl(control, source.DropAlign, source.DropOnControl);
    } else {
        control->SetBoundsRect(source.DockRect);
        if (source.DropAlign != alNone) control->SetAlign(source.DropAlign);
    }
    if (OnDockDrop) OnDockDrop(this, &source, x, y);
}

bool TWinControl::DoUnDock(TWinControl* newTarget, TControl* client) {
    bool allow = true;
    if (OnUnDock) OnUnDock(this, client, newTarget, allow);
    return allow;
}

void TWinControl::ForgetDockClient(TControl* control) {
    control->hostDockSite_ = nullptr;
    EraseFrom(dockClients_, control);
    if (dockManager_) dockManager_->RemoveControl(control);
}

// ---- the docking control

bool TControl::Floating() const { return dynamic_cast<TDockFloatForm*>(hostDockSite_) != nullptr; }

namespace {

void ReleaseEmptyFloatForm(TWinControl* host) {
    auto* form = dynamic_cast<TDockFloatForm*>(host);
    if (form == nullptr || form->DockClientCount() > 0) return;
    form->Hide();
    form->Release();
}

}  // namespace

bool TControl::ManualDock(TWinControl* newDockSite, TControl* dropControl, TAlign controlSide) {
    if (newDockSite == nullptr || !newDockSite->DockSite()) {
        throw EInvalidOperation("The control to dock into is not a dock site");
    }
    if (newDockSite == hostDockSite_) return true;
    TWinControl* old = hostDockSite_;
    if (old != nullptr && !old->DoUnDock(newDockSite, this)) return false;
    if (old == nullptr) {
        undockWidth_ = width_;
        undockHeight_ = height_;
    }
    if (old != nullptr) old->ForgetDockClient(this);
    TDragDockObject source;
    source.Control = this;
    source.DockRect = Bounds(0, 0, UndockWidth(), UndockHeight());
    source.DropOnControl = dropControl;
    source.DropAlign = controlSide;
    newDockSite->dockClients_.push_back(this);
    hostDockSite_ = newDockSite;
    newDockSite->DockDrop(source, 0, 0);
    ReleaseEmptyFloatForm(old);
    if (OnEndDock) OnEndDock(this, newDockSite, 0, 0);
    return true;
}

bool TControl::ManualFloat(const TRect& screenPos) {
    TWinControl* old = hostDockSite_;
    if (Floating()) {
        old->SetBounds(screenPos.Left, screenPos.Top, old->Width(), old->Height());
        old->SetClientSize(screenPos.Width(), screenPos.Height());
        return true;
    }
    if (old != nullptr && !old->DoUnDock(nullptr, this)) return false;
    if (old == nullptr) {
        undockWidth_ = width_;
        undockHeight_ = height_;
    }
    if (old != nullptr) old->ForgetDockClient(this);
    auto* form = new TDockFloatForm(this);
    form->SetCaption(Caption());
    form->SetBounds(screenPos.Left, screenPos.Top, form->Width(), form->Height());
    form->SetClientSize(screenPos.Width(), screenPos.Height());
    SetAlign(alNone);
    SetParent(form);
    SetBounds(0, 0, screenPos.Width(), screenPos.Height());
    SetAlign(alClient);
    form->dockClients_.push_back(this);
    hostDockSite_ = form;
    if (Visible()) form->Show();
    if (OnEndDock) OnEndDock(this, nullptr, screenPos.Left, screenPos.Top);
    return true;
}

}  // namespace dsp

#include "framework/controls/ScrollingWinControl.h"

#include <algorithm>

#include "framework/controls/ScrollBarsQt.h"
#include "framework/controls/WindowHost.h"
#include "framework/controls/WindowImpl.h"
#include "framework/core/FrameworkAccess.h"

namespace dsp {

// ---- TControlScrollBar

void TControlScrollBar::SetMargin(int value) {
    if (margin_ == value) return;
    margin_ = std::max(value, 0);
    control_.UpdateScrollBars();
}

void TControlScrollBar::SetRange(int value) {
    control_.autoScroll_ = false;
    range_ = std::max(value, 0);
    control_.UpdateScrollBars();
}

void TControlScrollBar::SetPosition(int value) { control_.ScrollTo(*this, value); }

void TControlScrollBar::SetVisible(bool value) {
    if (visible_ == value) return;
    visible_ = value;
    control_.UpdateScrollBars();
}

// ---- TScrollingWinControl

TScrollingWinControl::TScrollingWinControl(TComponent* owner)
    : TWinControl(owner),
      horz_(std::make_unique<TControlScrollBar>(*this, sbHorizontal)),
      vert_(std::make_unique<TControlScrollBar>(*this, sbVertical)),
      widgets_(std::make_unique<TScrollBarWidgets>()) {}

TScrollingWinControl::~TScrollingWinControl() {
    // The toolkit's bars call back into this object: they go before it does.
    delete widgets_->horz.data();
    delete widgets_->vert.data();
}

void TScrollingWinControl::SetAutoScroll(bool value) {
    if (autoScroll_ == value) return;
    autoScroll_ = value;
    if (!value) {
        // Without automatic ranges the area shrinks back to the client area.
        ScrollTo(*horz_, 0);
        ScrollTo(*vert_, 0);
        horz_->range_ = 0;
        vert_->range_ = 0;
    }
    UpdateScrollBars();
}

TRect TScrollingWinControl::ClientRectWithoutBars() const { return TWinControl::GetClientRect(); }

TRect TScrollingWinControl::GetClientRect() const {
    TRect r = ClientRectWithoutBars();
    if (vert_->shown_) r.Right = std::max(r.Left, r.Right - kScrollBarSize);
    if (horz_->shown_) r.Bottom = std::max(r.Top, r.Bottom - kScrollBarSize);
    return r;
}

void TScrollingWinControl::AdjustClientRect(TRect& rect) {
    rect = Bounds(-horz_->position_, -vert_->position_, std::max(horz_->range_, ClientWidth()),
                  std::max(vert_->range_, ClientHeight()));
    TWinControl::AdjustClientRect(rect);
}

void TScrollingWinControl::AlignControls(TControl* control, TRect& rect) {
    // The bars decide the client area the children are aligned in, and the aligned children
    // decide the ranges: settle the bars, align, and align again if the bars changed.
    UpdateScrollBarState();
    TWinControl::AlignControls(control, rect);
    if (UpdateScrollBarState()) {
        rect = GetClientRect();
        TWinControl::AlignControls(control, rect);
        UpdateScrollBarState();
    }
}

int TScrollingWinControl::AutoRange(TScrollBarKind kind) const {
    // The far edge of the children placed from the near edge (aligned to it, or anchored to
    // it alone), plus what the children aligned to the far edge take.
    const bool horizontal = kind == sbHorizontal;
    const int scrolled = horizontal ? horz_->position_ : vert_->position_;
    const TAlign nearAlign = horizontal ? alLeft : alTop;
    const TAlign farAlign = horizontal ? alRight : alBottom;
    const TAnchorKind nearAnchor = horizontal ? akLeft : akTop;
    const TAnchors axis = horizontal ? TAnchors{akLeft, akRight} : TAnchors{akTop, akBottom};
    int range = 0;
    int aligned = 0;
    for (int i = 0; i < ControlCount(); ++i) {
        const TControl* c = Controls(i);
        if (!c->Visible()) continue;
        const TAlign align = c->Align();
        if (align == nearAlign ||
            (align == alNone && c->Anchors() * axis == TAnchors{nearAnchor})) {
            range = std::max(range, horizontal ? c->Left() + c->Width() + scrolled
                                               : c->Top() + c->Height() + scrolled);
        } else if (align == farAlign) {
            aligned += horizontal ? c->Width() : c->Height();
        }
    }
    return range + aligned + (horizontal ? horz_->margin_ : vert_->margin_);
}

void TScrollingWinControl::UpdateScrollBars() {
    if (UpdateScrollBarState()) {
        Invalidate();
        Realign();
    }
}

bool TScrollingWinControl::UpdateScrollBarState() {
    if (updatingBars_ || ComponentState().Contains(csDestroying)) return false;
    updatingBars_ = true;
    if (autoScroll_) {
        horz_->range_ = AutoRange(sbHorizontal);
        vert_->range_ = AutoRange(sbVertical);
    }
    const TRect full = ClientRectWithoutBars();
    bool showHorz = false;
    bool showVert = false;
    // A bar taking its room can make the other one needed: settle in two rounds.
    for (int round = 0; round < 2; ++round) {
        const int width = full.Width() - (showVert ? kScrollBarSize : 0);
        const int height = full.Height() - (showHorz ? kScrollBarSize : 0);
        showHorz = horz_->visible_ && horz_->range_ > width;
        showVert = vert_->visible_ && vert_->range_ > height;
    }
    const bool changed = showHorz != horz_->shown_ || showVert != vert_->shown_;
    horz_->shown_ = showHorz;
    vert_->shown_ = showVert;
    ScrollTo(*horz_, showHorz ? horz_->position_ : 0);
    ScrollTo(*vert_, showVert ? vert_->position_ : 0);
    updatingBars_ = false;
    PlaceScrollBarWidgets();
    return changed;
}

void TScrollingWinControl::ScrollTo(TControlScrollBar& bar, int position) {
    const bool horizontal = bar.kind_ == sbHorizontal;
    const int extent = horizontal ? ClientWidth() : ClientHeight();
    const int limit = bar.shown_ ? std::max(bar.range_ - extent, 0) : 0;
    position = std::clamp(position, 0, limit);
    if (position == bar.position_) return;
    const int delta = bar.position_ - position;
    bar.position_ = position;
    ScrollBy(horizontal ? delta : 0, horizontal ? 0 : delta);
    PlaceScrollBarWidgets();
}

void TScrollingWinControl::ScrollBy(int dx, int dy) {
    if (dx == 0 && dy == 0) return;
    for (int i = 0; i < ControlCount(); ++i) {
        TControl* c = Controls(i);
        c->left_ += dx;
        c->top_ += dy;
        if (auto* windowed = dynamic_cast<TWinControl*>(c))
            PlaceHost(windowed->Window(kFrameworkKey));
    }
    Invalidate();
    Realign();
}

void TScrollingWinControl::ScrollInView(TControl* control) {
    if (control == nullptr || !control->Visible() || !ContainsControl(control) || control == this) {
        return;
    }
    TRect r = control->ClientRect();
    r = InflateRect(r, horz_->margin_, vert_->margin_);
    const TPoint topLeft = ScreenToClient(control->ClientToScreen(r.TopLeft()));
    const TPoint bottomRight = ScreenToClient(control->ClientToScreen(r.BottomRight()));
    r = {topLeft.X, topLeft.Y, bottomRight.X, bottomRight.Y};
    if (r.Left < 0) {
        ScrollTo(*horz_, horz_->position_ + r.Left);
    } else if (r.Right > ClientWidth()) {
        if (r.Width() > ClientWidth()) r.Right = r.Left + ClientWidth();
        ScrollTo(*horz_, horz_->position_ + r.Right - ClientWidth());
    }
    if (r.Top < 0) {
        ScrollTo(*vert_, vert_->position_ + r.Top);
    } else if (r.Bottom > ClientHeight()) {
        if (r.Height() > ClientHeight()) r.Bottom = r.Top + ClientHeight();
        ScrollTo(*vert_, vert_->position_ + r.Bottom - ClientHeight());
    }
}

void TScrollingWinControl::PlaceScrollBarWidgets() {
    QWidget* host = Window(kFrameworkKey).host;
    if (host == nullptr) return;
    const TRect full = ClientRectWithoutBars();
    auto place = [&](QPointer<QScrollBar>& widget, TControlScrollBar& bar) {
        const bool horizontal = bar.kind_ == sbHorizontal;
        if (!bar.shown_) {
            if (widget) widget->hide();
            return;
        }
        if (!widget) {
            widget = new QScrollBar(horizontal ? Qt::Horizontal : Qt::Vertical, host);
            TControlScrollBar* target = &bar;
            QObject::connect(widget.data(), &QScrollBar::valueChanged,
                             [this, target](int value) { ScrollTo(*target, value); });
        }
        const int extent = horizontal ? ClientWidth() : ClientHeight();
        const QSignalBlocker blocker(widget.data());
        widget->setRange(0, std::max(bar.range_ - extent, 0));
        widget->setPageStep(std::max(extent, 1));
        widget->setSingleStep(std::max(bar.increment_, 1));
        widget->setValue(bar.position_);
        if (horizontal) {
            widget->setGeometry(full.Left, full.Bottom - kScrollBarSize,
                                full.Width() - (vert_->shown_ ? kScrollBarSize : 0),
                                kScrollBarSize);
        } else {
            widget->setGeometry(full.Right - kScrollBarSize, full.Top, kScrollBarSize,
                                full.Height() - (horz_->shown_ ? kScrollBarSize : 0));
        }
        widget->raise();
        widget->show();
    };
    place(widgets_->horz, *horz_);
    place(widgets_->vert, *vert_);
}

void TScrollingWinControl::Dispatch(TMessage& message) {
    TWinControl::Dispatch(message);
    if (message.Msg == CM_SHOWINGCHANGED) PlaceScrollBarWidgets();
}

}  // namespace dsp

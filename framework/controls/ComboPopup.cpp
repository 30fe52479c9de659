#include "framework/controls/ComboPopup.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QWheelEvent>

#include <algorithm>
#include <exception>

#include "framework/controls/ClassicDraw.h"
#include "framework/controls/ComboBox.h"
#include "framework/controls/HostInput.h"
#include "framework/controls/ScrollTracker.h"
#include "framework/core/FrameworkAccess.h"
#include "framework/graphics/CanvasQt.h"
#include "framework/runtime/MainThread.h"

namespace dsp {

namespace {

// Runs a step of the popup's event handling; an exception goes to the application's display.
template <typename F>
void Guarded(F&& f) {
    try {
        f();
    } catch (...) {
        HandleUnexpectedException(std::current_exception());
    }
}

TPoint PointOf(const QMouseEvent* event) {
    return {static_cast<int>(event->position().x()), static_cast<int>(event->position().y())};
}

}  // namespace

TComboPopup::TComboPopup(TCustomComboBox& combo)
    : QWidget(nullptr, Qt::Popup | Qt::FramelessWindowHint), combo_(&combo) {
    setAttribute(Qt::WA_NoMouseReplay);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    scroll_ = std::make_unique<TScrollTracker>(
        true, [this] { return BarRect(); },
        [this] {
            const int count = combo_ != nullptr ? combo_->Items()->Count() : 0;
            return TScrollBarState{0, std::max(count - 1, 0), rows_,
                                   combo_ != nullptr ? combo_->TopIndex() : 0};
        },
        [this](int position) {
            if (combo_ == nullptr) return;
            combo_->SetTopIndex(position);
            Refresh();
        });
}

TComboPopup::~TComboPopup() = default;

void TComboPopup::Detach() { combo_ = nullptr; }

void TComboPopup::Layout() {
    const int count = combo_->Items()->Count();
    rows_ = std::clamp(count, 1, combo_->DropDownCount());
}

bool TComboPopup::HasBar() const { return combo_ != nullptr && combo_->Items()->Count() > rows_; }

TRect TComboPopup::RowsRect() const {
    TRect r = Rect(1, 1, width() - 1, height() - 1);
    if (HasBar()) r.Right -= kScrollBarSize;
    return r;
}

TRect TComboPopup::BarRect() const {
    if (!HasBar()) return {};
    return Rect(width() - 1 - kScrollBarSize, 1, width() - 1, height() - 1);
}

void TComboPopup::Open(TPoint screenTopLeft, int width) {
    Layout();
    int height = 2;
    const int top = combo_->TopIndex();
    for (int i = 0; i < rows_; ++i) height += combo_->ListRowHeight(kFrameworkKey, top + i);
    setGeometry(screenTopLeft.X, screenTopLeft.Y, width, height);
    image_ = QImage(width, height, QImage::Format_RGB32);
    show();
    Refresh();
}

int TComboPopup::RowAt(TPoint p) const {
    if (combo_ == nullptr) return -1;
    const TRect r = RowsRect();
    if (!PtInRect(r, p)) return -1;
    int y = r.Top;
    for (int i = combo_->TopIndex(); i < combo_->Items()->Count(); ++i) {
        y += combo_->ListRowHeight(kFrameworkKey, i);
        if (p.Y < y) return i;
    }
    return -1;
}

void TComboPopup::SetHot(int index) {
    if (combo_ == nullptr) return;
    const int count = combo_->Items()->Count();
    if (count == 0) {
        hot_ = -1;
        Refresh();
        return;
    }
    index = std::clamp(index, 0, count - 1);
    hot_ = index;
    if (index < combo_->TopIndex()) combo_->SetTopIndex(index);
    if (index >= combo_->TopIndex() + rows_) combo_->SetTopIndex(index - rows_ + 1);
    Refresh();
}

void TComboPopup::Refresh() {
    if (combo_ == nullptr || image_.isNull()) return;
    TCanvasSurface surface;
    surface.image = &image_;
    TCanvas dc;
    dc.SetSurface(&surface);
    dc.Brush()->SetColor(clWindowFrame);
    dc.FrameRect(Rect(0, 0, width(), height()));
    const TRect area = RowsRect();
    dc.Brush()->SetColor(combo_->Color());
    dc.FillRect(area);
    dc.IntersectClipRect(area.Left, area.Top, area.Right, area.Bottom);
    int y = area.Top;
    for (int i = combo_->TopIndex(); i < combo_->Items()->Count() && y < area.Bottom; ++i) {
        const TRect line =
            Rect(area.Left, y, area.Right, y + combo_->ListRowHeight(kFrameworkKey, i));
        y = line.Bottom;
        TOwnerDrawState state;
        if (i == hot_) state = TOwnerDrawState{odSelected, odFocused};
        combo_->DrawListItem(kFrameworkKey, dc, i, line, state);
    }
    dc.SelectClipRgn(nullptr);
    scroll_->Paint(dc, true);
    update();
}

void TComboPopup::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    for (const QRect& r : event->region()) painter.drawImage(r.topLeft(), image_, r);
}

void TComboPopup::mousePressEvent(QMouseEvent* event) {
    Guarded([&] {
        if (combo_ == nullptr) return;
        const TPoint p = PointOf(event);
        if (!rect().contains(QPoint(p.X, p.Y))) {
            // Outside the list: it closes without a choice.
            combo_->ListChosen(kFrameworkKey, -1);
            return;
        }
        if (scroll_->MouseDown(p)) {
            Refresh();
            return;
        }
        pressedInList_ = true;
        const int row = RowAt(p);
        if (row >= 0) SetHot(row);
    });
}

void TComboPopup::mouseMoveEvent(QMouseEvent* event) {
    Guarded([&] {
        if (combo_ == nullptr) return;
        const TPoint p = PointOf(event);
        if (scroll_->Tracking()) {
            scroll_->MouseMove(p);
            Refresh();
            return;
        }
        const int row = RowAt(p);
        if (row >= 0 && row != hot_) SetHot(row);
    });
}

void TComboPopup::mouseReleaseEvent(QMouseEvent* event) {
    Guarded([&] {
        if (combo_ == nullptr) return;
        if (scroll_->Tracking()) {
            scroll_->MouseUp();
            Refresh();
            return;
        }
        const int row = RowAt(PointOf(event));
        // A release on a line chooses it (also after pressing on the combo and dragging here).
        if (row >= 0) combo_->ListChosen(kFrameworkKey, row);
        pressedInList_ = false;
    });
}

void TComboPopup::wheelEvent(QWheelEvent* event) {
    Guarded([&] {
        if (combo_ == nullptr) return;
        const int notches = event->angleDelta().y() / 120;
        combo_->SetTopIndex(combo_->TopIndex() - 3 * notches);
        Refresh();
    });
}

void TComboPopup::keyPressEvent(QKeyEvent* event) {
    Guarded([&] {
        if (combo_ != nullptr) DeliverKeyEvent(*combo_, event);
    });
}

void TComboPopup::keyReleaseEvent(QKeyEvent* event) {
    Guarded([&] {
        if (combo_ != nullptr) DeliverKeyEvent(*combo_, event);
    });
}

void TComboPopup::hideEvent(QHideEvent*) {
    // Hidden by the toolkit (a click elsewhere): the combo closes its list.
    Guarded([&] {
        if (combo_ != nullptr) combo_->ListClosed(kFrameworkKey);
    });
}

}  // namespace dsp

#include "framework/controls/ListBox.h"

#include <QString>

#include <algorithm>

#include "framework/controls/ClassicDraw.h"
#include "framework/controls/KeyMap.h"
#include "framework/controls/MessageParams.h"
#include "framework/controls/PaintBinding.h"
#include "framework/controls/ScrollTracker.h"
#include "framework/core/FrameworkAccess.h"
#include "framework/graphics/Canvas.h"

namespace dsp {

namespace {

int FontLineHeight(const TFont* font) {
    static TCanvas* measure = new TCanvas();
    measure->SetFont(const_cast<TFont*>(font));
    return measure->TextHeight("Wg");
}

}  // namespace

TCustomListBox::TCustomListBox(TComponent* owner)
    : TWinControl(owner),
      items_(std::make_unique<TItemStrings>([this](TItemChange change, int index, int other) {
          ItemsChanged(change, index, other);
      })),
      canvas_(std::make_unique<TControlCanvas>(*this)) {
    // OnClick comes from the user's selection, not from any press and release.
    TControlStyle style = ControlStyle();
    style.Exclude(csClickEvents);
    SetControlStyle(style);
    SetBounds(0, 0, 121, 97);
    SetTabStop(true);
    SetParentColor(false);
    SetColor(clWindow);
    scroll_ = std::make_unique<TScrollTracker>(
        true, [this] { return ScrollBarRect(); },
        [this] {
            return TScrollBarState{0, std::max(Count() - 1, 0), std::max(VisibleCount(), 1),
                                   topIndex_};
        },
        [this](int position) { SetTopIndex(position); });
}

TCustomListBox::~TCustomListBox() = default;

// ---- items

void TCustomListBox::SetItems(TStrings* value) {
    if (value != items_.get()) items_->Assign(value);
}

void TCustomListBox::ItemsChanged(TItemChange change, int index, int other) {
    switch (change) {
        case TItemChange::Inserted:
            if (multiSelect_) selected_.insert(selected_.begin() + index, false);
            if (itemIndex_ >= index) ++itemIndex_;
            if (style_ == lbOwnerDrawVariable) {
                int h = itemHeight_;
                MeasureItem(index, h);
                items_->SetItemData(index, std::max(h, 1));
            }
            break;
        case TItemChange::Deleted:
            if (multiSelect_ && index < static_cast<int>(selected_.size())) {
                selected_.erase(selected_.begin() + index);
            }
            if (itemIndex_ == index) {
                itemIndex_ = -1;
            } else if (itemIndex_ > index) {
                --itemIndex_;
            }
            break;
        case TItemChange::Cleared:
            itemIndex_ = -1;
            topIndex_ = 0;
            anchor_ = -1;
            selected_.assign(multiSelect_ ? static_cast<std::size_t>(Count()) : 0u, false);
            break;
        case TItemChange::Exchanged:
            if (multiSelect_) {
                const bool a = selected_[index];
                selected_[index] = selected_[other];
                selected_[other] = a;
            }
            break;
        case TItemChange::Changed:
        case TItemChange::EndUpdate: break;
    }
    topIndex_ = std::clamp(topIndex_, 0, MaxTopIndex());
    if (items_->UpdateCount() == 0) Invalidate();
}

void TCustomListBox::DeleteSelected() {
    if (!multiSelect_) {
        if (itemIndex_ >= 0) items_->Delete(itemIndex_);
        return;
    }
    items_->BeginUpdate();
    for (int i = Count() - 1; i >= 0; --i)
        if (selected_[i]) items_->Delete(i);
    items_->EndUpdate();
}

// ---- selection

void TCustomListBox::SetItemIndex(int value) {
    if (value < 0 || value >= Count()) value = -1;
    if (!multiSelect_ && value == itemIndex_) return;
    itemIndex_ = value;
    anchor_ = value;
    if (value >= 0) MakeVisible(value);
    Invalidate();
}

bool TCustomListBox::Selected(int index) const {
    if (index < 0 || index >= Count()) throw EListError::IndexOutOfBounds(index);
    return multiSelect_ ? selected_[index] : index == itemIndex_;
}

void TCustomListBox::SetSelected(int index, bool value) {
    if (index < 0 || index >= Count()) throw EListError::IndexOutOfBounds(index);
    if (multiSelect_) {
        selected_[index] = value;
    } else if (value) {
        itemIndex_ = index;
    } else if (itemIndex_ == index) {
        itemIndex_ = -1;
    }
    Invalidate();
}

int TCustomListBox::SelCount() const {
    if (!multiSelect_) return -1;
    return static_cast<int>(std::count(selected_.begin(), selected_.end(), true));
}

void TCustomListBox::SelectAll() {
    if (!multiSelect_) return;
    selected_.assign(static_cast<std::size_t>(Count()), true);
    Invalidate();
}

void TCustomListBox::ClearSelection() {
    if (multiSelect_) {
        selected_.assign(static_cast<std::size_t>(Count()), false);
    } else {
        itemIndex_ = -1;
    }
    Invalidate();
}

void TCustomListBox::SetMultiSelect(bool value) {
    if (multiSelect_ == value) return;
    multiSelect_ = value;
    selected_.assign(value ? static_cast<std::size_t>(Count()) : 0u, false);
    if (value && itemIndex_ >= 0) selected_[itemIndex_] = true;
    Invalidate();
}

void TCustomListBox::UserSelect(int index, TShiftState shift) {
    if (index < 0 || index >= Count()) return;
    if (multiSelect_) {
        if (extendedSelect_ && shift.Contains(ssShift) && anchor_ >= 0) {
            const bool keep = shift.Contains(ssCtrl);
            if (!keep) selected_.assign(selected_.size(), false);
            for (int i = std::min(anchor_, index); i <= std::max(anchor_, index); ++i)
                selected_[i] = true;
        } else if (!extendedSelect_ || shift.Contains(ssCtrl)) {
            selected_[index] = !selected_[index];
            anchor_ = index;
        } else {
            selected_.assign(selected_.size(), false);
            selected_[index] = true;
            anchor_ = index;
        }
        itemIndex_ = index;
    } else {
        itemIndex_ = index;
        anchor_ = index;
    }
    MakeVisible(index);
    Invalidate();
    Click();
}

// ---- geometry

void TCustomListBox::SetStyle(TListBoxStyle value) {
    if (style_ == value) return;
    style_ = value;
    if (style_ == lbOwnerDrawVariable) {
        for (int i = 0; i < Count(); ++i) {
            int h = itemHeight_;
            MeasureItem(i, h);
            items_->SetItemData(i, std::max(h, 1));
        }
    }
    Invalidate();
}

int TCustomListBox::ItemHeight() const {
    return style_ == lbStandard ? FontLineHeight(Font()) : itemHeight_;
}

void TCustomListBox::SetItemHeight(int value) {
    if (value <= 0 || itemHeight_ == value) return;
    itemHeight_ = value;
    Invalidate();
}

void TCustomListBox::SetSorted(bool value) { items_->SetSorted(value); }

void TCustomListBox::SetBorderStyle(TBorderStyle value) {
    if (borderStyle_ == value) return;
    borderStyle_ = value;
    Invalidate();
}

int TCustomListBox::LineHeight(int index) const {
    if (style_ == lbOwnerDrawVariable && index >= 0 && index < Count()) {
        const int h = items_->ItemData(index);
        return h > 0 ? h : itemHeight_;
    }
    return ItemHeight();
}

// Lines from top that fit whole into height.
int TCustomListBox::RowsFrom(int top, int height) const {
    int rows = 0;
    for (int i = top; i < Count(); ++i) {
        height -= LineHeight(i);
        if (height < 0) break;
        ++rows;
    }
    return rows;
}

TRect TCustomListBox::ItemsRect() const {
    TRect r = FieldInside(ClientRect(), borderStyle_);
    if (NeedsScrollBar()) r.Right -= kScrollBarSize;
    return r;
}

bool TCustomListBox::NeedsScrollBar() const {
    const TRect r = FieldInside(ClientRect(), borderStyle_);
    if (style_ != lbOwnerDrawVariable) {
        return static_cast<long long>(Count()) * ItemHeight() > r.Height();
    }
    int total = 0;
    for (int i = 0; i < Count(); ++i) {
        total += LineHeight(i);
        if (total > r.Height()) return true;
    }
    return false;
}

TRect TCustomListBox::ScrollBarRect() const {
    if (!NeedsScrollBar()) return {};
    return RightScrollBar(FieldInside(ClientRect(), borderStyle_));
}

int TCustomListBox::VisibleCount() const { return RowsFrom(topIndex_, ItemsRect().Height()); }

int TCustomListBox::MaxTopIndex() const {
    const int height = ItemsRect().Height();
    if (style_ != lbOwnerDrawVariable) {
        const int rows = std::max(height / std::max(ItemHeight(), 1), 1);
        return std::max(Count() - rows, 0);
    }
    int used = 0;
    int top = Count();
    while (top > 0 && used + LineHeight(top - 1) <= height) used += LineHeight(--top);
    return std::min(top, std::max(Count() - 1, 0));
}

void TCustomListBox::SetTopIndex(int value) {
    value = std::clamp(value, 0, MaxTopIndex());
    if (value == topIndex_) return;
    topIndex_ = value;
    Invalidate();
}

void TCustomListBox::MakeVisible(int index) {
    if (index < topIndex_) {
        SetTopIndex(index);
        return;
    }
    const int height = ItemsRect().Height();
    int top = topIndex_;
    // Move the top down until the line ends inside the list.
    for (;;) {
        int bottom = 0;
        for (int i = top; i <= index; ++i) bottom += LineHeight(i);
        if (bottom <= height || top >= index) break;
        ++top;
    }
    SetTopIndex(top);
}

int TCustomListBox::ItemAtPos(TPoint pos, bool existing) const {
    const TRect r = ItemsRect();
    if (pos.X < r.Left || pos.X >= r.Right || pos.Y < r.Top) return existing ? -1 : topIndex_;
    int y = r.Top;
    for (int i = topIndex_; i < Count(); ++i) {
        const int h = LineHeight(i);
        if (pos.Y < y + h) return i;
        y += h;
    }
    return existing ? -1 : Count();
}

TRect TCustomListBox::ItemRect(int index) const {
    const TRect r = ItemsRect();
    if (index < topIndex_ || index >= Count()) return {};
    int y = r.Top;
    for (int i = topIndex_; i < index; ++i) {
        y += LineHeight(i);
        if (y >= r.Bottom) return {};
    }
    return Rect(r.Left, y, r.Right, y + LineHeight(index));
}

// ---- painting

TCanvas* TCustomListBox::Canvas() const {
    canvas_->BindOutsidePaint(kFrameworkKey);
    return canvas_.get();
}

void TCustomListBox::MeasureItem(int index, int& height) {
    if (OnMeasureItem) OnMeasureItem(this, index, height);
}

void TCustomListBox::DrawItem(int index, const TRect& rect, TOwnerDrawState state) {
    if (style_ != lbStandard && OnDrawItem) {
        OnDrawItem(this, index, rect, state);
        return;
    }
    TCanvas& canvas = *canvas_;
    canvas.FillRect(rect);
    canvas.Brush()->SetStyle(bsClear);
    canvas.TextRect(rect, rect.Left + 2, rect.Top, items_->Strings(index));
    canvas.Brush()->SetStyle(bsSolid);
}

void TCustomListBox::PaintWindow(TCanvas& dc) {
    TRect r = ClientRect();
    if (borderStyle_ == bsSingle) DrawSunkenField(dc, r);
    dc.Brush()->SetStyle(bsSolid);
    dc.Brush()->SetColor(Color());
    dc.FillRect(r);
    const TRect area = ItemsRect();
    {
        TPaintBinding binding(*canvas_, dc);
        TCanvas& canvas = *canvas_;
        const int saved = canvas.SaveDC();
        canvas.IntersectClipRect(area.Left, area.Top, area.Right, area.Bottom);
        const bool focused = Focused();
        int y = area.Top;
        for (int i = topIndex_; i < Count() && y < area.Bottom; ++i) {
            const TRect line = Rect(area.Left, y, area.Right, y + LineHeight(i));
            y = line.Bottom;
            TOwnerDrawState state;
            const bool selected = multiSelect_ ? selected_[i] : i == itemIndex_;
            if (selected) state.Include(odSelected);
            if (!Enabled()) state.Include(odDisabled);
            if (focused && i == itemIndex_) state.Include(odFocused);
            canvas.SetFont(Font());
            canvas.Brush()->SetStyle(bsSolid);
            canvas.Brush()->SetColor(selected ? clHighlight : Color());
            canvas.Font()->SetColor(!Enabled() ? clGrayText
                                    : selected ? clHighlightText
                                               : Font()->Color());
            DrawItem(i, line, state);
            if (state.Contains(odFocused)) canvas.DrawFocusRect(line);
        }
        if (focused && itemIndex_ < 0 && Count() > 0) {
            canvas.DrawFocusRect(
                Rect(area.Left, area.Top, area.Right, area.Top + LineHeight(topIndex_)));
        }
        canvas.RestoreDC(saved);
    }
    scroll_->Paint(dc, Enabled());
}

// ---- input

void TCustomListBox::ClickKey(unsigned key, TShiftState shift) {
    if (Count() == 0) return;
    const int page = std::max(VisibleCount() - 1, 1);
    const int current = itemIndex_;
    int next = current;
    switch (key) {
        case VK_UP: next = current < 0 ? 0 : current - 1; break;
        case VK_DOWN: next = current + 1; break;
        case VK_PRIOR: next = current - page; break;
        case VK_NEXT: next = current + page; break;
        case VK_HOME: next = 0; break;
        case VK_END: next = Count() - 1; break;
        default: return;
    }
    next = std::clamp(next, 0, Count() - 1);
    if (next == current && !multiSelect_) return;
    TShiftState selectShift;
    if (shift.Contains(ssShift)) selectShift.Include(ssShift);
    UserSelect(next, selectShift);
}

void TCustomListBox::TypeSearch(char16_t ch) {
    if (ch < 32) return;
    const QChar c(ch);
    const std::string prefix = QString(c).toStdString();
    const int found = FindItemPrefix(*items_, prefix, itemIndex_);
    if (found >= 0) UserSelect(found, {});
}

bool TCustomListBox::WheelScroll(int rows) {
    SetTopIndex(topIndex_ + rows);
    return true;
}

void TCustomListBox::BeginDrag() {
    if (dragging_) return;
    dragging_ = true;
    dragPending_ = false;
    dragAccepted_ = false;
    SetMouseCapture(true);
    if (OnStartDrag) OnStartDrag(this);
}

void TCustomListBox::DragOver(TObject* source, int x, int y, TDragState state, bool& accept) {
    accept = false;
    if (OnDragOver) {
        accept = true;
        OnDragOver(this, source, x, y, state, accept);
    }
}

void TCustomListBox::DragDrop(TObject* source, int x, int y) {
    if (OnDragDrop) OnDragDrop(this, source, x, y);
}

void TCustomListBox::EndDrag(TPoint p, bool drop) {
    dragging_ = false;
    const bool inside = PtInRect(ClientRect(), p);
    bool accept = false;
    if (drop && inside) DragOver(this, p.X, p.Y, dsDragLeave, accept);
    if (drop && inside && accept) DragDrop(this, p.X, p.Y);
    if (OnEndDrag) OnEndDrag(this, drop && inside && accept ? this : nullptr, p.X, p.Y);
    SetMouseCapture(false);
}

void TCustomListBox::Dispatch(TMessage& message) {
    switch (message.Msg) {
        case CM_FONTCHANGED:
            TWinControl::Dispatch(message);
            topIndex_ = std::clamp(topIndex_, 0, MaxTopIndex());
            return;
        default: TWinControl::Dispatch(message); return;
    }
}

void TCustomListBox::DefaultHandler(TMessage& message) {
    switch (message.Msg) {
        case WM_PAINT:
            if (TCanvas* dc = MessageCanvas(message)) PaintWindow(*dc);
            return;
        case WM_GETDLGCODE: message.Result = DLGC_WANTARROWS | DLGC_WANTCHARS; return;
        case WM_SETFOCUS:
        case WM_KILLFOCUS: Invalidate(); return;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK: {
            if (CanFocus() && !Focused()) SetFocus();
            const TPoint p = MouseParamsOf(message).pos;
            if (scroll_->MouseDown(p)) {
                Invalidate();
                return;
            }
            if (message.Msg == WM_LBUTTONDBLCLK) {
                DblClick();
                return;
            }
            const int index = ItemAtPos(p, true);
            if (index < 0) return;
            UserSelect(index, MouseParamsOf(message).Shift());
            mouseSelecting_ = true;
            if (dragMode_ == dmAutomatic) {
                dragPending_ = true;
                dragStart_ = p;
            }
            return;
        }
        case WM_MOUSEMOVE: {
            if (scroll_->TrackMessage(message)) {
                Invalidate();
                return;
            }
            const TPoint p = MouseParamsOf(message).pos;
            if (dragPending_ && (std::abs(p.X - dragStart_.X) >= kDragThreshold ||
                                 std::abs(p.Y - dragStart_.Y) >= kDragThreshold)) {
                mouseSelecting_ = false;
                BeginDrag();
            }
            if (dragging_) {
                bool accept = false;
                if (PtInRect(ClientRect(), p)) DragOver(this, p.X, p.Y, dsDragMove, accept);
                dragAccepted_ = accept;
                SetCursor(accept ? crDrag : crNoDrop);
                return;
            }
            if (mouseSelecting_ && !multiSelect_ && MouseParamsOf(message).Holds(MK_LBUTTON)) {
                const int index = ItemAtPos(p, true);
                if (index >= 0 && index != itemIndex_) UserSelect(index, {});
            }
            return;
        }
        case WM_LBUTTONUP: {
            if (scroll_->TrackMessage(message)) Invalidate();
            if (dragging_) {
                EndDrag(MouseParamsOf(message).pos, true);
                SetCursor(crDefault);
            }
            dragPending_ = false;
            mouseSelecting_ = false;
            return;
        }
        case WM_CAPTURECHANGED:
            if (dragging_ && !MouseCapture()) {
                EndDrag(dragStart_, false);
                SetCursor(crDefault);
            }
            return;
        case WM_KEYDOWN: {
            const TKeyParams key = KeyParamsOf(message);
            ClickKey(key.key, key.Shift());
            return;
        }
        case WM_CHAR: TypeSearch(CharOf(message)); return;
        default: TWinControl::DefaultHandler(message); return;
    }
}

}  // namespace dsp

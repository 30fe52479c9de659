#include "framework/controls/ComboBox.h"

#include <QString>

#include <algorithm>

#include "framework/controls/Caret.h"
#include "framework/controls/ClassicDraw.h"
#include "framework/controls/ComboPopup.h"
#include "framework/controls/KeyMap.h"
#include "framework/controls/MessageParams.h"
#include "framework/controls/PaintBinding.h"
#include "framework/controls/StdControlSupport.h"
#include "framework/core/FrameworkAccess.h"
#include "framework/graphics/Canvas.h"
#include "framework/runtime/Clock.h"

namespace dsp {

namespace {

// Characters typed within this time make one prefix of the list styles' search.
constexpr long long kSearchDelayMs = 500;

int FontLineHeight(const TFont* font) {
    static TCanvas* measure = new TCanvas();
    measure->SetFont(const_cast<TFont*>(font));
    return measure->TextHeight("Wg");
}

bool OwnerDrawn(TComboBoxStyle style) {
    return style == csOwnerDrawFixed || style == csOwnerDrawVariable;
}

}  // namespace

TCustomComboBox::TCustomComboBox(TComponent* owner)
    : TWinControl(owner),
      items_(std::make_unique<TItemStrings>([this](TItemChange change, int index, int other) {
          ItemsChanged(change, index, other);
      })),
      canvas_(std::make_unique<TControlCanvas>(*this)),
      field_(*this, *Font()) {
    TControlStyle style = ControlStyle() + TControlStyle{csSetCaption, csCaptureMouse};
    style.Exclude(csClickEvents);
    SetControlStyle(style);
    field_.OnUserChange = [this] {
        // Typed text names a line only when it equals one.
        itemIndex_ = FindItemExact(*items_, field_.Text());
        Change();
    };
    SetBounds(0, 0, 145, 21);
    SetTabStop(true);
    SetParentColor(false);
    SetColor(clWindow);
    LayoutField();
}

TCustomComboBox::~TCustomComboBox() {
    Destroying();
    CaretRelease(*this);
    if (popup_) {
        popup_->Detach();
        popup_->hide();
        popup_.release()->deleteLater();
    }
}

// ---- items and selection

void TCustomComboBox::SetItems(TStrings* value) {
    if (value != items_.get()) items_->Assign(value);
}

void TCustomComboBox::Clear() {
    items_->Clear();
    field_.SetText("");
    listText_.clear();
    Invalidate();
}

void TCustomComboBox::ItemsChanged(TItemChange change, int index, int) {
    switch (change) {
        case TItemChange::Inserted:
            if (itemIndex_ >= index) ++itemIndex_;
            if (style_ == csOwnerDrawVariable) {
                int h = itemHeight_;
                MeasureItem(index, h);
                items_->SetItemData(index, std::max(h, 1));
            }
            break;
        case TItemChange::Deleted:
            if (itemIndex_ == index) {
                itemIndex_ = -1;
                if (!IsEditable()) listText_.clear();
            } else if (itemIndex_ > index) {
                --itemIndex_;
            }
            break;
        case TItemChange::Cleared:
            // Emptying the list empties the edit field too, as the native combo does.
            itemIndex_ = -1;
            topIndex_ = 0;
            listText_.clear();
            if (IsEditable()) field_.SetText("");
            break;
        case TItemChange::Changed:
            if (index == itemIndex_) ShowItemText();
            break;
        default: break;
    }
    topIndex_ = std::clamp(topIndex_, 0, std::max(items_->Count() - 1, 0));
    if (popup_) popup_->Refresh();
    Invalidate();
}

void TCustomComboBox::ShowItemText() {
    const std::string text = itemIndex_ >= 0 ? items_->Strings(itemIndex_) : std::string();
    if (IsEditable()) {
        field_.SetText(text);
        if (Focused()) field_.SelectAll();
    } else {
        listText_ = text;
    }
    Invalidate();
}

void TCustomComboBox::SetItemIndex(int value) {
    if (value < -1 || value >= items_->Count()) value = -1;
    if (value == itemIndex_) return;
    itemIndex_ = value;
    if (value >= 0 || !IsEditable()) {
        ShowItemText();
    } else {
        field_.SetText("");
    }
    Invalidate();
}

int TCustomComboBox::FindString(const std::string& prefix, int after) const {
    return FindItemPrefix(*items_, prefix, after);
}

int TCustomComboBox::FindStringExact(const std::string& text, int after) const {
    return FindItemExact(*items_, text, after);
}

void TCustomComboBox::UserSelect(int index) {
    if (index < 0 || index >= items_->Count()) return;
    itemIndex_ = index;
    ShowItemText();
    Click();
    Select();
}

void TCustomComboBox::StepSelection(int delta) {
    const int count = items_->Count();
    if (count == 0) return;
    const int next = itemIndex_ < 0 ? 0 : std::clamp(itemIndex_ + delta, 0, count - 1);
    if (next == itemIndex_) return;
    UserSelect(next);
}

void TCustomComboBox::Change() {
    if (OnChange) OnChange(this);
}

void TCustomComboBox::Select() {
    if (OnSelect) {
        OnSelect(this);
    } else {
        Change();
    }
}

// ---- settings

void TCustomComboBox::SetStyle(TComboBoxStyle value) {
    if (style_ == value) return;
    const std::string text = Text();
    style_ = value;
    if (IsEditable()) {
        field_.SetText(text);
    } else {
        listText_ = itemIndex_ >= 0 ? items_->Strings(itemIndex_) : std::string();
    }
    if (style_ == csOwnerDrawVariable) {
        for (int i = 0; i < items_->Count(); ++i) {
            int h = itemHeight_;
            MeasureItem(i, h);
            items_->SetItemData(i, std::max(h, 1));
        }
    }
    SetBounds(Left(), Top(), Width(), Height());
    LayoutField();
    Invalidate();
}

int TCustomComboBox::ItemHeight() const {
    return OwnerDrawn(style_) ? itemHeight_ : FontLineHeight(Font());
}

void TCustomComboBox::SetItemHeight(int value) {
    if (value <= 0 || itemHeight_ == value) return;
    itemHeight_ = value;
    // Only owner-drawn combos take another height (the native combo is made again).
    if (OwnerDrawn(style_)) {
        SetBounds(Left(), Top(), Width(), Height());
        Invalidate();
    }
}

void TCustomComboBox::SetCharCase(TEditCharCase value) {
    if (field_.charCase == value) return;
    field_.charCase = value;
    if (field_.ApplyCharCase()) Change();
}

void TCustomComboBox::SetTextHint(const std::string& value) {
    field_.textHint = value;
    Invalidate();
}

void TCustomComboBox::SetTopIndex(int value) {
    topIndex_ = std::clamp(value, 0, std::max(items_->Count() - 1, 0));
    if (popup_) {
        // The list shows whole rows: its top line is never so low that rows stay empty.
        topIndex_ = std::min(topIndex_, std::max(items_->Count() - popup_->Rows(), 0));
        popup_->Refresh();
    }
}

int TCustomComboBox::AutoHeight() const {
    return OwnerDrawn(style_) ? itemHeight_ + 6 : FontLineHeight(Font()) + 8;
}

void TCustomComboBox::SetBounds(int left, int top, int width, int height) {
    if (style_ != csSimple) height = AutoHeight();
    TWinControl::SetBounds(left, top, width, height);
}

// ---- dropping down

void TCustomComboBox::DropDown() {
    if (OnDropDown) OnDropDown(this);
}

void TCustomComboBox::CloseUp() {
    if (OnCloseUp) OnCloseUp(this);
}

void TCustomComboBox::SetDroppedDown(bool value) {
    if (value == DroppedDown() || style_ == csSimple) return;
    if (value) {
        DropDown();
        if (!Showing() || popup_) return;
        popup_ = std::make_unique<TComboPopup>(*this);
        const int rows = std::clamp(items_->Count(), 1, dropDownCount_);
        if (itemIndex_ >= 0 && (itemIndex_ < topIndex_ || itemIndex_ >= topIndex_ + rows)) {
            topIndex_ = std::max(std::min(itemIndex_, items_->Count() - rows), 0);
        }
        const TPoint at = ClientToScreen({0, Height()});
        popup_->Open(at, std::max(DroppedWidth(), Width()));
        popup_->SetHot(itemIndex_);
        Invalidate();
        return;
    }
    ListChosen(kFrameworkKey, -1);
}

void TCustomComboBox::ListChosen(TFrameworkKey, int index) {
    if (!popup_ || closing_) return;
    closing_ = true;
    std::unique_ptr<TComboPopup> popup = std::move(popup_);
    popup->Detach();
    popup->hide();
    popup.release()->deleteLater();
    closing_ = false;
    buttonDown_ = false;
    Invalidate();
    if (index >= 0) {
        SelEndOk();
        UserSelect(index);
    } else {
        SelEndCancel();
    }
    CloseUp();
}

void TCustomComboBox::ListClosed(TFrameworkKey) { ListChosen(kFrameworkKey, -1); }

// ---- drawing

TCanvas* TCustomComboBox::Canvas() const {
    canvas_->BindOutsidePaint(kFrameworkKey);
    return canvas_.get();
}

int TCustomComboBox::ListRowHeight(TFrameworkKey, int index) const {
    if (style_ == csOwnerDrawVariable && index >= 0 && index < items_->Count()) {
        const int h = items_->ItemData(index);
        return h > 0 ? h : itemHeight_;
    }
    return ItemHeight();
}

void TCustomComboBox::MeasureItem(int index, int& height) {
    if (OnMeasureItem) OnMeasureItem(this, index, height);
}

void TCustomComboBox::DrawItem(int index, const TRect& rect, TOwnerDrawState state) {
    if (OwnerDrawn(style_) && OnDrawItem) {
        OnDrawItem(this, index, rect, state);
        return;
    }
    TCanvas& canvas = *canvas_;
    canvas.FillRect(rect);
    if (index < 0 || index >= items_->Count()) return;
    canvas.Brush()->SetStyle(bsClear);
    canvas.TextRect(rect, rect.Left + 2, rect.Top + (rect.Height() - canvas.TextHeight("Wg")) / 2,
                    items_->Strings(index));
    canvas.Brush()->SetStyle(bsSolid);
}

void TCustomComboBox::DrawListItem(TFrameworkKey, TCanvas& dc, int index, const TRect& rect,
                                   TOwnerDrawState state) {
    TPaintBinding binding(*canvas_, dc);
    TCanvas& canvas = *canvas_;
    const bool selected = state.Contains(odSelected);
    canvas.SetFont(Font());
    canvas.Brush()->SetStyle(bsSolid);
    canvas.Brush()->SetColor(selected ? clHighlight : Color());
    canvas.Font()->SetColor(selected ? clHighlightText : Font()->Color());
    DrawItem(index, rect, state);
}

TRect TCustomComboBox::ButtonRect() const {
    if (style_ == csSimple) return {};
    return RightScrollBar(InflateRect(ClientRect(), -kEditBorder, -kEditBorder));
}

TRect TCustomComboBox::EditRect() const {
    TRect r = ClientRect();
    if (style_ == csSimple) r.Bottom = std::min(r.Bottom, FontLineHeight(Font()) + 8);
    r = InflateRect(r, -kEditBorder, -kEditBorder);
    if (style_ != csSimple) r.Right -= kScrollBarSize;
    return r;
}

void TCustomComboBox::LayoutField() { field_.SetRect(InflateRect(EditRect(), -1, 0)); }

void TCustomComboBox::PaintSelectedLine(TCanvas& dc, const TRect& r, bool focused) {
    TOwnerDrawState state{odComboBoxEdit};
    if (focused) state += TOwnerDrawState{odSelected, odFocused};
    if (!Enabled()) state.Include(odDisabled);
    {
        TPaintBinding binding(*canvas_, dc);
        TCanvas& canvas = *canvas_;
        canvas.SetFont(Font());
        canvas.Brush()->SetStyle(bsSolid);
        canvas.Brush()->SetColor(focused ? clHighlight : Color());
        canvas.Font()->SetColor(!Enabled() ? clGrayText
                                : focused  ? clHighlightText
                                           : Font()->Color());
        const TRect line = InflateRect(r, -1, -1);
        if (OwnerDrawn(style_)) {
            canvas.Brush()->SetColor(Color());
            canvas.FillRect(r);
            canvas.Brush()->SetColor(focused ? clHighlight : Color());
            DrawItem(itemIndex_, line, state);
        } else {
            canvas.FillRect(line);
            canvas.Brush()->SetStyle(bsClear);
            canvas.TextRect(line, line.Left + 1,
                            line.Top + (line.Height() - canvas.TextHeight("Wg")) / 2, listText_);
            canvas.Brush()->SetStyle(bsSolid);
        }
    }
    if (focused) dc.DrawFocusRect(InflateRect(r, -1, -1));
}

void TCustomComboBox::PaintWindow(TCanvas& dc) {
    TRect frame = ClientRect();
    if (style_ == csSimple) frame.Bottom = EditRect().Bottom + kEditBorder;
    TRect inner = frame;
    DrawSunkenField(dc, inner);
    dc.Brush()->SetStyle(bsSolid);
    dc.Brush()->SetColor(Color());
    dc.FillRect(inner);
    const bool focused = Focused() && !DroppedDown();
    const TRect edit = EditRect();
    if (IsEditable()) {
        field_.Paint(dc, Font()->Color(), Enabled(), Focused());
    } else {
        PaintSelectedLine(dc, edit, focused);
    }
    if (style_ != csSimple) {
        DrawArrowButton(dc, ButtonRect(), TArrowDirection::Down, buttonDown_ || DroppedDown(),
                        Enabled());
        return;
    }
    // The simple style shows its list below the field at all times.
    TRect list = Rect(0, frame.Bottom, Width(), Height());
    if (IsRectEmpty(list)) return;
    DrawSunkenField(dc, list);
    dc.Brush()->SetColor(Color());
    dc.FillRect(list);
    const int saved = dc.SaveDC();
    dc.IntersectClipRect(list.Left, list.Top, list.Right, list.Bottom);
    int y = list.Top;
    for (int i = topIndex_; i < items_->Count() && y < list.Bottom; ++i) {
        const TRect line = Rect(list.Left, y, list.Right, y + ListRowHeight(kFrameworkKey, i));
        y = line.Bottom;
        TOwnerDrawState state;
        if (i == itemIndex_) state.Include(odSelected);
        DrawListItem(kFrameworkKey, dc, i, line, state);
    }
    dc.RestoreDC(saved);
}

// ---- input

void TCustomComboBox::TypeSearch(char16_t ch) {
    if (ch < 32) return;
    const std::string typed = QString(QChar(ch)).toStdString();
    const long long now = MonotonicMs();
    int found = -1;
    if (autoComplete_) {
        // Characters typed in quick succession make one prefix, found from the top.
        search_ = now - lastSearchMs_ <= kSearchDelayMs ? search_ + typed : typed;
        lastSearchMs_ = now;
        found = FindItemPrefix(*items_, search_);
    } else {
        found = FindItemPrefix(*items_, typed, popup_ ? popup_->Hot() : itemIndex_);
    }
    if (found < 0) return;
    if (popup_) {
        popup_->SetHot(found);
    } else if (found != itemIndex_) {
        UserSelect(found);
    }
}

void TCustomComboBox::HandleKeyDown(unsigned key, TShiftState shift) {
    const bool alt = shift.Contains(ssAlt);
    if (key == VK_F4 || (alt && (key == VK_DOWN || key == VK_UP))) {
        if (popup_) {
            ListChosen(kFrameworkKey, popup_->Hot());
        } else {
            SetDroppedDown(true);
        }
        return;
    }
    if (popup_) {
        const int rows = popup_->Rows();
        const int hot = popup_->Hot();
        switch (key) {
            case VK_UP: popup_->SetHot(hot < 0 ? 0 : hot - 1); return;
            case VK_DOWN: popup_->SetHot(hot + 1); return;
            case VK_PRIOR: popup_->SetHot(hot - rows + 1); return;
            case VK_NEXT: popup_->SetHot(hot + rows - 1); return;
            case VK_HOME: popup_->SetHot(0); return;
            case VK_END: popup_->SetHot(items_->Count() - 1); return;
            case VK_RETURN: ListChosen(kFrameworkKey, hot); return;
            case VK_ESCAPE: ListChosen(kFrameworkKey, -1); return;
            default: break;
        }
        if (!IsEditable()) return;
    }
    switch (key) {
        case VK_UP:
        case VK_LEFT:
            if (key == VK_UP || !IsEditable()) {
                StepSelection(-1);
                return;
            }
            break;
        case VK_DOWN:
        case VK_RIGHT:
            if (key == VK_DOWN || !IsEditable()) {
                StepSelection(1);
                return;
            }
            break;
        case VK_PRIOR: StepSelection(-(dropDownCount_ - 1)); return;
        case VK_NEXT: StepSelection(dropDownCount_ - 1); return;
        case VK_HOME:
        case VK_END:
            if (!IsEditable()) {
                StepSelection(key == VK_HOME ? -items_->Count() : items_->Count());
                return;
            }
            break;
        default: break;
    }
    if (IsEditable()) field_.Key(key, shift.Contains(ssShift), shift.Contains(ssCtrl));
}

bool TCustomComboBox::DoMouseWheelDown(TShiftState shift, TPoint mousePos) {
    if (TWinControl::DoMouseWheelDown(shift, mousePos)) return true;
    if (popup_) {
        SetTopIndex(topIndex_ + 3);
    } else {
        StepSelection(1);
    }
    return true;
}

bool TCustomComboBox::DoMouseWheelUp(TShiftState shift, TPoint mousePos) {
    if (TWinControl::DoMouseWheelUp(shift, mousePos)) return true;
    if (popup_) {
        SetTopIndex(topIndex_ - 3);
    } else {
        StepSelection(-1);
    }
    return true;
}

void TCustomComboBox::Dispatch(TMessage& message) {
    switch (message.Msg) {
        case CM_FONTCHANGED:
            TWinControl::Dispatch(message);
            SetBounds(Left(), Top(), Width(), Height());
            LayoutField();
            return;
        case WM_SIZE:
            LayoutField();
            TWinControl::Dispatch(message);
            return;
        case CM_ENABLEDCHANGED:
            if (!Enabled()) SetDroppedDown(false);
            TWinControl::Dispatch(message);
            return;
        case CM_VISIBLECHANGED:
            if (!Visible()) SetDroppedDown(false);
            TWinControl::Dispatch(message);
            return;
        case CM_CANCELMODE:
            SetDroppedDown(false);
            TWinControl::Dispatch(message);
            return;
        default: TWinControl::Dispatch(message); return;
    }
}

void TCustomComboBox::DefaultHandler(TMessage& message) {
    switch (message.Msg) {
        case WM_PAINT:
            if (TCanvas* dc = MessageCanvas(message)) PaintWindow(*dc);
            return;
        case WM_GETTEXT: AnswerGetText(message, IsEditable() ? field_.Text() : listText_); return;
        case WM_SETTEXT:
            if (const std::string* in = SetTextOf(message)) {
                if (IsEditable()) {
                    field_.SetText(*in);
                    itemIndex_ = FindItemExact(*items_, field_.Text());
                } else {
                    // A list-style combo shows only its lines: the text selects the one it names.
                    const int index = FindItemExact(*items_, *in);
                    if (index >= 0) {
                        itemIndex_ = index;
                        listText_ = items_->Strings(index);
                    }
                }
                Invalidate();
                message.Result = 1;
            }
            return;
        case WM_GETDLGCODE:
            message.Result = DLGC_WANTARROWS | DLGC_WANTCHARS;
            if (popup_) message.Result |= DLGC_WANTALLKEYS;
            return;
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN: {
            const TKeyParams key = KeyParamsOf(message);
            HandleKeyDown(key.key, key.Shift());
            return;
        }
        case WM_CHAR:
            if (IsEditable()) {
                if (popup_ && autoCloseUp_) ListChosen(kFrameworkKey, popup_->Hot());
                field_.Char(CharOf(message));
            } else {
                TypeSearch(CharOf(message));
            }
            return;
        case WM_SETFOCUS:
            if (IsEditable()) field_.UpdateCaret();
            Invalidate();
            return;
        case WM_KILLFOCUS:
            if (IsEditable()) field_.FocusLost();
            SetDroppedDown(false);
            Invalidate();
            return;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK: {
            if (!Focused() && CanFocus()) SetFocus();
            const TPoint p = MouseParamsOf(message).pos;
            if (style_ == csSimple) {
                if (p.Y < EditRect().Bottom) {
                    field_.MouseDown(p.X, MouseParamsOf(message).Holds(MK_SHIFT));
                    return;
                }
                int y = EditRect().Bottom + 2 * kEditBorder;
                for (int i = topIndex_; i < items_->Count(); ++i) {
                    y += ListRowHeight(kFrameworkKey, i);
                    if (p.Y < y) {
                        UserSelect(i);
                        break;
                    }
                }
                return;
            }
            if (IsEditable() && !PtInRect(ButtonRect(), p)) {
                field_.MouseMessage(message);
                return;
            }
            buttonDown_ = true;
            Invalidate();
            SetDroppedDown(!DroppedDown());
            return;
        }
        case WM_MOUSEMOVE:
            if (IsEditable()) field_.MouseMessage(message);
            return;
        case WM_LBUTTONUP:
        case WM_CAPTURECHANGED:
            field_.MouseMessage(message);
            if (buttonDown_) {
                buttonDown_ = false;
                Invalidate();
            }
            return;
        default: TWinControl::DefaultHandler(message); return;
    }
}

}  // namespace dsp

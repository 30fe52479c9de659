#include "framework/controls/PageControl.h"

#include <algorithm>

#include "framework/controls/ClassicDraw.h"
#include "framework/controls/ControlErrors.h"
#include "framework/controls/Form.h"
#include "framework/controls/KeyMap.h"
#include "framework/controls/MessageParams.h"
#include "framework/controls/StdControlSupport.h"
#include "framework/graphics/Canvas.h"

namespace dsp {

namespace {

constexpr int kTabPadding = 6;    // beside a caption
constexpr int kFrame = 4;         // between the frame's edge and the pages
constexpr int kSelectedRise = 2;  // the chosen tab stands this much higher and wider

int TextWidth(const TFont* font, const std::string& text) {
    TCanvas measure;
    measure.SetFont(const_cast<TFont*>(font));
    return measure.TextWidth(StripAccelerators(text));
}

}  // namespace

// ---- TTabSheet

TTabSheet::TTabSheet(TComponent* owner) : TWinControl(owner) {
    SetControlStyle(ControlStyle() + TControlStyle{csAcceptsControls});
    SetAlign(alClient);
    SetVisible(false);
    SetParentColor(false);
    SetColor(clBtnFace);
}

TTabSheet::~TTabSheet() {
    Destroying();
    if (pageControl_ != nullptr) pageControl_->RemovePage(this);
}

void TTabSheet::SetPageControl(TPageControl* value) { SetParent(value); }

void TTabSheet::SetParent(TWinControl* parent) {
    auto* control = dynamic_cast<TPageControl*>(parent);
    if (pageControl_ != nullptr && pageControl_ != control) pageControl_->RemovePage(this);
    TWinControl::SetParent(parent);
    if (control != nullptr && pageControl_ != control) control->InsertPage(this);
}

int TTabSheet::PageIndex() const {
    if (pageControl_ == nullptr) return -1;
    const auto& pages = pageControl_->pages_;
    return static_cast<int>(std::find(pages.begin(), pages.end(), this) - pages.begin());
}

void TTabSheet::SetPageIndex(int value) {
    if (pageControl_ != nullptr) pageControl_->MovePage(this, value);
}

int TTabSheet::TabIndex() const {
    if (pageControl_ == nullptr || !tabVisible_) return -1;
    const auto tabs = pageControl_->VisibleTabs();
    const auto found = std::find(tabs.begin(), tabs.end(), this);
    return found == tabs.end() ? -1 : static_cast<int>(found - tabs.begin());
}

void TTabSheet::SetTabVisible(bool value) {
    if (tabVisible_ == value) return;
    tabVisible_ = value;
    if (pageControl_ == nullptr) return;
    if (!value && pageControl_->active_ == this) {
        pageControl_->SetActivePage(pageControl_->FindNextPage(this, true, true));
    }
    pageControl_->TabsChanged();
}

void TTabSheet::Dispatch(TMessage& message) {
    if (message.Msg == CM_TEXTCHANGED && pageControl_ != nullptr) pageControl_->TabsChanged();
    TWinControl::Dispatch(message);
}

// ---- TPageControl

TPageControl::TPageControl(TComponent* owner) : TWinControl(owner) {
    TControlStyle style = ControlStyle() + TControlStyle{csAcceptsControls, csDoubleClicks};
    style.Exclude(csClickEvents);
    SetControlStyle(style);
    SetBounds(0, 0, 289, 193);
    SetTabStop(true);
    SetParentColor(false);
    SetColor(clBtnFace);
}

TPageControl::~TPageControl() {
    Destroying();
    for (TTabSheet* page : pages_) page->pageControl_ = nullptr;
}

TTabSheet* TPageControl::Pages(int index) const {
    if (index < 0 || index >= PageCount()) throw EListError::IndexOutOfBounds(index);
    return pages_[index];
}

void TPageControl::InsertPage(TTabSheet* page) {
    pages_.push_back(page);
    page->pageControl_ = this;
    if (active_ == nullptr && page->TabVisible()) {
        SetActivePage(page);
    } else {
        page->SetVisible(false);
    }
    TabsChanged();
}

void TPageControl::RemovePage(TTabSheet* page) {
    const auto found = std::find(pages_.begin(), pages_.end(), page);
    if (found == pages_.end()) return;
    TTabSheet* next = active_ == page ? FindNextPage(page, true, true) : active_;
    pages_.erase(found);
    page->pageControl_ = nullptr;
    if (active_ == page) {
        active_ = nullptr;
        if (next != page && !ComponentState().Contains(csDestroying)) SetActivePage(next);
    }
    TabsChanged();
}

void TPageControl::MovePage(TTabSheet* page, int index) {
    const auto found = std::find(pages_.begin(), pages_.end(), page);
    if (found == pages_.end()) return;
    pages_.erase(found);
    index = std::clamp(index, 0, PageCount());
    pages_.insert(pages_.begin() + index, page);
    TabsChanged();
}

void TPageControl::TabsChanged() { Invalidate(); }

std::vector<TTabSheet*> TPageControl::VisibleTabs() const {
    std::vector<TTabSheet*> tabs;
    for (TTabSheet* page : pages_)
        if (page->TabVisible()) tabs.push_back(page);
    return tabs;
}

void TPageControl::SetActivePage(TTabSheet* page) {
    if (page != nullptr && page->pageControl_ != this) return;
    if (page == active_) return;
    TTabSheet* old = active_;
    active_ = page;
    if (page != nullptr) {
        page->SetVisible(true);
        page->BringToFront();
    }
    if (old != nullptr) {
        // The focus does not stay on a page that goes out of sight.
        TWinControl* focused = FocusedWindow();
        if (focused != nullptr && old->ContainsControl(focused) && CanFocus()) SetFocus();
        old->SetVisible(false);
    }
    Invalidate();
}

int TPageControl::ActivePageIndex() const { return active_ != nullptr ? active_->PageIndex() : -1; }

void TPageControl::SetActivePageIndex(int value) {
    SetActivePage(value >= 0 && value < PageCount() ? pages_[value] : nullptr);
}

TTabSheet* TPageControl::FindNextPage(TTabSheet* current, bool goForward,
                                      bool checkTabVisible) const {
    const int count = PageCount();
    if (count == 0) return nullptr;
    const auto found = std::find(pages_.begin(), pages_.end(), current);
    int start = found == pages_.end() ? (goForward ? count - 1 : 0)
                                      : static_cast<int>(found - pages_.begin());
    int i = start;
    do {
        i = goForward ? (i + 1) % count : (i + count - 1) % count;
        TTabSheet* page = pages_[i];
        if (!checkTabVisible || page->TabVisible()) return page;
    } while (i != start);
    return nullptr;
}

bool TPageControl::CanChange() {
    bool allow = true;
    if (OnChanging) OnChanging(this, allow);
    return allow;
}

void TPageControl::Change() {
    if (OnChange) OnChange(this);
}

void TPageControl::UserSelect(TTabSheet* page) {
    if (page == nullptr || page == active_ || !CanChange()) return;
    SetActivePage(page);
    Change();
}

void TPageControl::SelectNextPage(bool goForward) {
    UserSelect(FindNextPage(active_, goForward, true));
}

// ---- geometry

void TPageControl::SetTabHeight(int value) {
    if (value < 0 || tabHeight_ == value) return;
    tabHeight_ = value;
    Realign();
    Invalidate();
}

void TPageControl::SetTabWidth(int value) {
    if (value < 0 || tabWidth_ == value) return;
    tabWidth_ = value;
    Invalidate();
}

int TPageControl::RowHeight() const {
    if (tabHeight_ > 0) return tabHeight_ + kSelectedRise;
    TCanvas measure;
    measure.SetFont(Font());
    return measure.TextHeight("Wg") + 6 + kSelectedRise;
}

TRect TPageControl::TabRect(int tabIndex) const {
    const auto tabs = VisibleTabs();
    if (tabIndex < 0 || tabIndex >= static_cast<int>(tabs.size())) return {};
    int x = kSelectedRise;
    for (int i = 0; i < tabIndex; ++i) {
        x += tabWidth_ > 0 ? tabWidth_ : TextWidth(Font(), tabs[i]->Caption()) + 2 * kTabPadding;
    }
    const int w =
        tabWidth_ > 0 ? tabWidth_ : TextWidth(Font(), tabs[tabIndex]->Caption()) + 2 * kTabPadding;
    return Rect(x, kSelectedRise, x + w, RowHeight());
}

int TPageControl::IndexOfTabAt(int x, int y) const {
    const int count = static_cast<int>(VisibleTabs().size());
    for (int i = 0; i < count; ++i) {
        TRect r = TabRect(i);
        if (VisibleTabs()[i] == active_) r = InflateRect(r, kSelectedRise, kSelectedRise);
        if (PtInRect(r, {x, y})) return i;
    }
    return -1;
}

TRect TPageControl::DisplayRect() const {
    return Rect(kFrame, RowHeight() + kFrame, Width() - kFrame, Height() - kFrame);
}

void TPageControl::AdjustClientRect(TRect& rect) {
    TWinControl::AdjustClientRect(rect);
    rect = DisplayRect();
}

// ---- painting

void TPageControl::PaintWindow(TCanvas& canvas) {
    const int row = RowHeight();
    // The frame of the pages: raised, its top edge under the tabs.
    TRect frame = Rect(0, row, Width(), Height());
    canvas.DrawEdge(frame, EDGE_RAISED, BF_RECT | BF_ADJUST);
    canvas.SetFont(Font());
    const auto tabs = VisibleTabs();
    for (int i = 0; i < static_cast<int>(tabs.size()); ++i) {
        const bool selected = tabs[i] == active_;
        TRect r = TabRect(i);
        if (selected) {
            r = Rect(r.Left - kSelectedRise, 0, r.Right + kSelectedRise, row + 1);
        } else {
            r.Bottom = row;
        }
        canvas.Brush()->SetStyle(bsSolid);
        canvas.Brush()->SetColor(Color());
        canvas.FillRect(Rect(r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom));
        // Left and top light, rounded corners, right side dark.
        canvas.Brush()->SetColor(clBtnHighlight);
        canvas.FillRect(Rect(r.Left, r.Top + 2, r.Left + 1, r.Bottom));
        canvas.FillRect(Rect(r.Left + 2, r.Top, r.Right - 2, r.Top + 1));
        canvas.SetPixels(r.Left + 1, r.Top + 1, clBtnHighlight);
        canvas.Brush()->SetColor(clBtnShadow);
        canvas.FillRect(Rect(r.Right - 2, r.Top + 1, r.Right - 1, r.Bottom));
        canvas.Brush()->SetColor(cl3DDkShadow);
        canvas.FillRect(Rect(r.Right - 1, r.Top + 2, r.Right, r.Bottom));
        canvas.SetPixels(r.Right - 2, r.Top + 1, cl3DDkShadow);
        TRect text = Rect(r.Left, r.Top + (selected ? 0 : 1), r.Right, r.Bottom);
        const unsigned flags = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
        canvas.Font()->SetColor(Font()->Color());
        DrawCaptionText(canvas, tabs[i]->Caption(), text, flags, Enabled());
        if (selected && Focused()) canvas.DrawFocusRect(InflateRect(text, -3, -3));
    }
}

// ---- input

void TPageControl::Dispatch(TMessage& message) {
    switch (message.Msg) {
        case CM_DIALOGKEY:
            // Ctrl+Tab and Ctrl+Shift+Tab turn the pages wherever the focus is inside.
            if (KeyParamsOf(message).key == VK_TAB && GetKeyState(VK_CONTROL) < 0 &&
                active_ != nullptr && (Focused() || ContainsControl(FocusedWindow()))) {
                SelectNextPage(GetKeyState(VK_SHIFT) >= 0);
                message.Result = 1;
                return;
            }
            TWinControl::Dispatch(message);
            return;
        case CM_FONTCHANGED:
            TWinControl::Dispatch(message);
            Realign();
            return;
        default: TWinControl::Dispatch(message); return;
    }
}

void TPageControl::DefaultHandler(TMessage& message) {
    switch (message.Msg) {
        case WM_PAINT:
            if (TCanvas* dc = MessageCanvas(message)) PaintWindow(*dc);
            return;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK: {
            const TPoint p = MouseParamsOf(message).pos;
            const int tab = IndexOfTabAt(p.X, p.Y);
            if (tab < 0) return;
            if (CanFocus() && !Focused()) SetFocus();
            UserSelect(VisibleTabs()[tab]);
            return;
        }
        case WM_GETDLGCODE: message.Result = DLGC_WANTARROWS; return;
        case WM_KEYDOWN: {
            const unsigned key = KeyParamsOf(message).key;
            if (key == VK_LEFT || key == VK_RIGHT) SelectNextPage(key == VK_RIGHT);
            return;
        }
        case WM_SETFOCUS:
        case WM_KILLFOCUS: Invalidate(); return;
        default: TWinControl::DefaultHandler(message); return;
    }
}

}  // namespace dsp

#include "framework/controls/TreeView.h"

#include <algorithm>

#include "framework/controls/ClassicDraw.h"
#include "framework/controls/KeyMap.h"
#include "framework/controls/MessageParams.h"
#include "framework/controls/ScrollTracker.h"
#include "framework/graphics/Canvas.h"

namespace dsp {

namespace {

constexpr int kButtonSize = 9;

}  // namespace

TCustomTreeView::TCustomTreeView(TComponent* owner)
    : TWinControl(owner),
      nodes_(std::make_unique<TTreeNodes>(static_cast<ITreeNodesListener*>(this))) {
    TControlStyle style = ControlStyle() + TControlStyle{csCaptureMouse, csDoubleClicks};
    style.Exclude(csClickEvents);
    SetControlStyle(style);
    SetBounds(0, 0, 121, 97);
    SetTabStop(true);
    SetParentColor(false);
    SetColor(clWindow);
    scroll_ = std::make_unique<TScrollTracker>(
        true, [this] { return ScrollBarRect(); },
        [this] {
            const int rows = static_cast<int>(ShownNodes().size());
            return TScrollBarState{0, std::max(rows - 1, 0), std::max(VisibleRows(), 1), topRow_};
        },
        [this](int position) { SetTopRow(position); });
}

TCustomTreeView::~TCustomTreeView() {
    Destroying();
    nodes_.reset();
}

// ---- settings

void TCustomTreeView::SetBorderStyle(TBorderStyle value) {
    if (borderStyle_ == value) return;
    borderStyle_ = value;
    Invalidate();
}

void TCustomTreeView::SetHideSelection(bool value) {
    if (hideSelection_ == value) return;
    hideSelection_ = value;
    Invalidate();
}

void TCustomTreeView::SetIndent(int value) {
    if (value < 0 || indent_ == value) return;
    indent_ = value;
    Invalidate();
}

void TCustomTreeView::SetRowSelect(bool value) {
    if (rowSelect_ == value) return;
    rowSelect_ = value;
    Invalidate();
}

void TCustomTreeView::SetShowButtons(bool value) {
    if (showButtons_ == value) return;
    showButtons_ = value;
    Invalidate();
}

void TCustomTreeView::SetShowLines(bool value) {
    if (showLines_ == value) return;
    showLines_ = value;
    Invalidate();
}

void TCustomTreeView::SetShowRoot(bool value) {
    if (showRoot_ == value) return;
    showRoot_ = value;
    Invalidate();
}

void TCustomTreeView::SetImages(TImageList* value) {
    if (images_ == value) return;
    if (images_ != nullptr) images_->RemoveFreeNotification(this);
    images_ = value;
    if (images_ != nullptr) images_->FreeNotification(this);
    Invalidate();
}

void TCustomTreeView::Notification(TComponent* component, TOperation operation) {
    TWinControl::Notification(component, operation);
    if (operation == opRemove && component == images_) images_ = nullptr;
}

// ---- the nodes' news

void TCustomTreeView::NodeDeleting(TTreeNode* node) {
    if (OnDeletion && !ComponentState().Contains(csDestroying)) OnDeletion(this, node);
}

void TCustomTreeView::NodesChanged() { Invalidate(); }

bool TCustomTreeView::CanExpand(TTreeNode* node) {
    bool allow = true;
    if (OnExpanding) OnExpanding(this, node, allow);
    return allow;
}

bool TCustomTreeView::CanCollapse(TTreeNode* node) {
    bool allow = true;
    if (OnCollapsing) OnCollapsing(this, node, allow);
    return allow;
}

void TCustomTreeView::Expanded(TTreeNode* node) {
    if (OnExpanded) OnExpanded(this, node);
}

void TCustomTreeView::Collapsed(TTreeNode* node) {
    // A selection hidden by the collapse moves to the collapsed node.
    TTreeNode* selected = nodes_->Selected();
    if (selected != nullptr && selected->HasAsParent(node)) SetSelected(node);
    if (OnCollapsed) OnCollapsed(this, node);
}

// ---- selection and rows

void TCustomTreeView::SetSelected(TTreeNode* node) {
    if (node == nodes_->Selected()) return;
    bool allow = true;
    if (OnChanging) OnChanging(this, node, allow);
    if (!allow) return;
    nodes_->SetSelectedNode(node);
    if (node != nullptr) MakeVisible(node);
    Invalidate();
    if (OnChange) OnChange(this, node);
}

std::vector<TTreeNode*> TCustomTreeView::ShownNodes() const {
    std::vector<TTreeNode*> rows;
    for (TTreeNode* n = nodes_->GetFirstNode(); n != nullptr; n = n->GetNextVisible()) {
        rows.push_back(n);
    }
    return rows;
}

int TCustomTreeView::RowHeight() const {
    TCanvas measure;
    measure.SetFont(Font());
    return std::max(measure.TextHeight("Wg") + 3, images_ != nullptr ? images_->Height() + 1 : 0);
}

TRect TCustomTreeView::ItemsRect() const {
    TRect r = FieldInside(ClientRect(), borderStyle_);
    if (NeedsScrollBar()) r.Right -= kScrollBarSize;
    return r;
}

bool TCustomTreeView::NeedsScrollBar() const {
    const int height = FieldInside(ClientRect(), borderStyle_).Height();
    return static_cast<int>(ShownNodes().size()) * RowHeight() > height;
}

TRect TCustomTreeView::ScrollBarRect() const {
    if (!NeedsScrollBar()) return {};
    return RightScrollBar(FieldInside(ClientRect(), borderStyle_));
}

int TCustomTreeView::VisibleRows() const {
    return std::max(ItemsRect().Height() / std::max(RowHeight(), 1), 1);
}

void TCustomTreeView::SetTopRow(int row) {
    const int rows = static_cast<int>(ShownNodes().size());
    row = std::clamp(row, 0, std::max(rows - VisibleRows(), 0));
    if (row == topRow_) return;
    topRow_ = row;
    Invalidate();
}

TTreeNode* TCustomTreeView::TopItem() const {
    const auto rows = ShownNodes();
    return topRow_ < static_cast<int>(rows.size()) ? rows[topRow_] : nullptr;
}

void TCustomTreeView::SetTopItem(TTreeNode* node) {
    const auto rows = ShownNodes();
    const auto found = std::find(rows.begin(), rows.end(), node);
    if (found != rows.end()) SetTopRow(static_cast<int>(found - rows.begin()));
}

void TCustomTreeView::MakeVisible(TTreeNode* node) {
    node->MakeVisible();
    const auto rows = ShownNodes();
    const auto found = std::find(rows.begin(), rows.end(), node);
    if (found == rows.end()) return;
    const int row = static_cast<int>(found - rows.begin());
    if (row < topRow_) SetTopRow(row);
    if (row >= topRow_ + VisibleRows()) SetTopRow(row - VisibleRows() + 1);
}

int TCustomTreeView::LevelX(int level) const {
    // With ShowRoot the top level has room for its buttons and lines too.
    return ItemsRect().Left + (level + (showRoot_ ? 1 : 0)) * indent_;
}

TRect TCustomTreeView::ButtonRect(const TTreeNode* node, int row) const {
    const TRect area = ItemsRect();
    const int y = area.Top + (row - topRow_) * RowHeight();
    const int cx = LevelX(node->Level()) - indent_ / 2;
    const int cy = y + RowHeight() / 2;
    return Rect(cx - kButtonSize / 2, cy - kButtonSize / 2, cx - kButtonSize / 2 + kButtonSize,
                cy - kButtonSize / 2 + kButtonSize);
}

TTreeNode* TCustomTreeView::GetNodeAt(int x, int y) const {
    const TRect area = ItemsRect();
    if (!PtInRect(area, {x, y})) return nullptr;
    const auto rows = ShownNodes();
    const int row = topRow_ + (y - area.Top) / std::max(RowHeight(), 1);
    return row < static_cast<int>(rows.size()) ? rows[row] : nullptr;
}

TRect TCustomTreeView::NodeRect(const TTreeNode* node) const {
    const auto rows = ShownNodes();
    const auto found = std::find(rows.begin(), rows.end(), node);
    if (found == rows.end()) return {};
    const int row = static_cast<int>(found - rows.begin());
    if (row < topRow_ || row >= topRow_ + VisibleRows()) return {};
    const TRect area = ItemsRect();
    const int y = area.Top + (row - topRow_) * RowHeight();
    return Rect(area.Left, y, area.Right, y + RowHeight());
}

void TCustomTreeView::FullExpand() {
    nodes_->BeginUpdate();
    for (TTreeNode* n = nodes_->GetFirstNode(); n != nullptr; n = n->GetNextSibling()) {
        n->Expand(true);
    }
    nodes_->EndUpdate();
}

void TCustomTreeView::FullCollapse() {
    nodes_->BeginUpdate();
    for (TTreeNode* n = nodes_->GetFirstNode(); n != nullptr; n = n->GetNextSibling()) {
        n->Collapse(true);
    }
    nodes_->EndUpdate();
}

// ---- painting

void TCustomTreeView::PaintWindow(TCanvas& canvas) {
    TRect r = ClientRect();
    if (borderStyle_ == bsSingle) DrawSunkenField(canvas, r);
    canvas.Brush()->SetStyle(bsSolid);
    canvas.Brush()->SetColor(Color());
    canvas.FillRect(r);
    const TRect area = ItemsRect();
    const auto rows = ShownNodes();
    topRow_ = std::clamp(topRow_, 0, std::max(static_cast<int>(rows.size()) - VisibleRows(), 0));
    const int h = RowHeight();
    const int saved = canvas.SaveDC();
    canvas.IntersectClipRect(area.Left, area.Top, area.Right, area.Bottom);
    canvas.SetFont(Font());
    const bool focused = Focused();
    for (int row = topRow_; row < static_cast<int>(rows.size()); ++row) {
        const int y = area.Top + (row - topRow_) * h;
        if (y >= area.Bottom) break;
        TTreeNode* node = rows[row];
        const int level = node->Level();
        const int cy = y + h / 2;
        // Dotted lines: to the node, and on down for the parents that have more siblings.
        if (showLines_ && (level > 0 || showRoot_)) {
            canvas.Pen()->SetStyle(psAlternate);
            canvas.Pen()->SetColor(clGray);
            const int x = LevelX(level) - indent_ / 2;
            const bool first = node->Parent() == nullptr && node->GetPrevSibling() == nullptr;
            canvas.MoveTo(x, first ? cy : y);
            canvas.LineTo(x, node->GetNextSibling() != nullptr ? y + h : cy + 1);
            canvas.MoveTo(x, cy);
            canvas.LineTo(x + indent_ / 2 + 1, cy);
            for (TTreeNode* p = node->Parent(); p != nullptr; p = p->Parent()) {
                if (p->GetNextSibling() == nullptr) continue;
                if (p->Level() == 0 && !showRoot_) continue;
                const int px = LevelX(p->Level()) - indent_ / 2;
                canvas.MoveTo(px, y);
                canvas.LineTo(px, y + h);
            }
            canvas.Pen()->SetStyle(psSolid);
        }
        if (showButtons_ && node->HasChildren() && (level > 0 || showRoot_)) {
            const TRect b = ButtonRect(node, row);
            canvas.Brush()->SetColor(clWindow);
            canvas.FillRect(b);
            canvas.Brush()->SetColor(clGray);
            canvas.FrameRect(b);
            canvas.Brush()->SetColor(clWindowText);
            const int mx = b.Left + kButtonSize / 2;
            const int my = b.Top + kButtonSize / 2;
            canvas.FillRect(Rect(b.Left + 2, my, b.Right - 2, my + 1));
            if (!node->Expanded()) canvas.FillRect(Rect(mx, b.Top + 2, mx + 1, b.Bottom - 2));
        }
        int x = LevelX(level) + 2;
        if (images_ != nullptr) {
            const int index = node->Selected() && node->SelectedIndex() >= 0 ? node->SelectedIndex()
                                                                             : node->ImageIndex();
            if (index >= 0) images_->Draw(&canvas, x, y + (h - images_->Height()) / 2, index);
            x += images_->Width() + 2;
        }
        const TSize text = canvas.TextExtent(node->Text());
        TRect label = Rect(x, y, x + text.cx + 4, y + h);
        if (rowSelect_) label = Rect(area.Left, y, area.Right, y + h);
        const bool selected = node->Selected() && (focused || !hideSelection_);
        canvas.Brush()->SetStyle(bsSolid);
        canvas.Brush()->SetColor(selected ? (focused ? clHighlight : clBtnFace) : Color());
        if (selected) canvas.FillRect(label);
        canvas.Brush()->SetStyle(bsClear);
        canvas.Font()->SetColor(!Enabled()            ? clGrayText
                                : selected && focused ? clHighlightText
                                                      : Font()->Color());
        canvas.TextOut(x + 2, y + (h - text.cy) / 2, node->Text());
        canvas.Brush()->SetStyle(bsSolid);
        if (node->Selected() && focused) canvas.DrawFocusRect(label);
    }
    canvas.RestoreDC(saved);
    scroll_->Paint(canvas, Enabled());
}

// ---- input

void TCustomTreeView::HandleKeyDown(unsigned key) {
    const auto rows = ShownNodes();
    if (rows.empty()) return;
    TTreeNode* current = nodes_->Selected();
    const auto found = std::find(rows.begin(), rows.end(), current);
    const int row = found == rows.end() ? -1 : static_cast<int>(found - rows.begin());
    const int last = static_cast<int>(rows.size()) - 1;
    auto select = [&](int r) { SetSelected(rows[std::clamp(r, 0, last)]); };
    switch (key) {
        case VK_UP: select(row < 0 ? 0 : row - 1); return;
        case VK_DOWN: select(row + 1); return;
        case VK_PRIOR: select(row - VisibleRows() + 1); return;
        case VK_NEXT: select(row + VisibleRows() - 1); return;
        case VK_HOME: select(0); return;
        case VK_END: select(last); return;
        case VK_LEFT:
            if (current == nullptr) return;
            if (current->Expanded() && current->HasChildren()) {
                current->Collapse(false);
            } else if (current->Parent() != nullptr) {
                SetSelected(current->Parent());
            }
            return;
        case VK_RIGHT:
            if (current == nullptr || !current->HasChildren()) return;
            if (!current->Expanded()) {
                current->Expand(false);
            } else if (current->GetFirstChild() != nullptr) {
                SetSelected(current->GetFirstChild());
            }
            return;
        case VK_ADD:
            if (current != nullptr) current->Expand(false);
            return;
        case VK_SUBTRACT:
            if (current != nullptr) current->Collapse(false);
            return;
        case VK_MULTIPLY:
            if (current != nullptr) current->Expand(true);
            return;
        default: return;
    }
}

bool TCustomTreeView::WheelScroll(int rows) {
    SetTopRow(topRow_ + rows);
    return true;
}

void TCustomTreeView::DefaultHandler(TMessage& message) {
    switch (message.Msg) {
        case WM_PAINT:
            if (TCanvas* dc = MessageCanvas(message)) PaintWindow(*dc);
            return;
        case WM_GETDLGCODE: message.Result = DLGC_WANTARROWS | DLGC_WANTCHARS; return;
        case WM_SETFOCUS:
        case WM_KILLFOCUS: Invalidate(); return;
        case WM_KEYDOWN: HandleKeyDown(KeyParamsOf(message).key); return;
        case WM_CHAR: {
            const auto ch = CharOf(message);
            if (ch == u'+') HandleKeyDown(VK_ADD);
            if (ch == u'-') HandleKeyDown(VK_SUBTRACT);
            if (ch == u'*') HandleKeyDown(VK_MULTIPLY);
            return;
        }
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK: {
            if (CanFocus() && !Focused()) SetFocus();
            const TPoint p = MouseParamsOf(message).pos;
            if (scroll_->MouseDown(p)) {
                Invalidate();
                return;
            }
            TTreeNode* node = GetNodeAt(p.X, p.Y);
            if (node == nullptr) return;
            const auto rows = ShownNodes();
            const auto at = std::find(rows.begin(), rows.end(), node);
            const int row = static_cast<int>(at - rows.begin());
            if (showButtons_ && node->HasChildren() &&
                PtInRect(InflateRect(ButtonRect(node, row), 2, 2), p)) {
                node->SetExpanded(!node->Expanded());
                return;
            }
            if (p.X < LevelX(node->Level()) && !rowSelect_) return;
            SetSelected(node);
            if (message.Msg == WM_LBUTTONDBLCLK) {
                DblClick();
                node->SetExpanded(!node->Expanded());
            } else {
                Click();
            }
            return;
        }
        case WM_MOUSEMOVE:
        case WM_LBUTTONUP:
        case WM_CAPTURECHANGED:
            if (scroll_->TrackMessage(message)) Invalidate();
            return;
        default: TWinControl::DefaultHandler(message); return;
    }
}

}  // namespace dsp

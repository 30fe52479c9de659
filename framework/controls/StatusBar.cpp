#include "framework/controls/StatusBar.h"

#include <algorithm>

#include "framework/controls/ClassicDraw.h"
#include "framework/controls/Form.h"
#include "framework/graphics/Canvas.h"

namespace dsp {

namespace {

constexpr int kTopGap = 2;     // above the boxes
constexpr int kPartGap = 2;    // between two boxes
constexpr int kTextInset = 2;  // between a box's bevel and its text
constexpr int kGripWidth = kScrollBarSize;
constexpr int kGripLines = 3;  // pairs of shadow lines in the grip

}  // namespace

// ---- TStatusPanel

TStatusPanel::TStatusPanel(TCollection* collection) : TCollectionItem(collection) {}

void TStatusPanel::SetText(const std::string& value) {
    if (text_ == value) return;
    text_ = value;
    Changed(false);
}

void TStatusPanel::SetWidth(int value) {
    value = std::max(0, value);
    if (width_ == value) return;
    width_ = value;
    Changed(true);
}

void TStatusPanel::SetAlignment(TAlignment value) {
    if (alignment_ == value) return;
    alignment_ = value;
    Changed(false);
}

void TStatusPanel::SetBevel(TStatusPanelBevel value) {
    if (bevel_ == value) return;
    bevel_ = value;
    Changed(false);
}

void TStatusPanel::SetStyle(TStatusPanelStyle value) {
    if (style_ == value) return;
    style_ = value;
    Changed(false);
}

void TStatusPanel::Assign(TPersistent* source) {
    if (auto* other = dynamic_cast<TStatusPanel*>(source)) {
        text_ = other->text_;
        width_ = other->width_;
        alignment_ = other->alignment_;
        bevel_ = other->bevel_;
        style_ = other->style_;
        Changed(true);
        return;
    }
    TCollectionItem::Assign(source);
}

// ---- TStatusPanels

TStatusPanels::TStatusPanels(TStatusBar* statusBar)
    : TOwnedCollection(statusBar, ItemClass<TStatusPanel>()), statusBar_(statusBar) {}

void TStatusPanels::Update(TCollectionItem*) { statusBar_->Invalidate(); }

// ---- TStatusBar

TStatusBar::TStatusBar(TComponent* owner)
    : TCustomControl(owner), panels_(std::make_unique<TStatusPanels>(this)) {
    SetControlStyle(ControlStyle() + TControlStyle{csOpaque});
    SetBounds(0, 0, 200, 19);
    SetParentColor(false);
    SetColor(clBtnFace);
    SetAlign(alBottom);
}

TStatusBar::~TStatusBar() = default;

void TStatusBar::SetPanels(TStatusPanels* value) { panels_->Assign(value); }

void TStatusBar::SetSimplePanel(bool value) {
    if (simplePanel_ == value) return;
    simplePanel_ = value;
    Invalidate();
}

void TStatusBar::SetSimpleText(const std::string& value) {
    if (simpleText_ == value) return;
    simpleText_ = value;
    if (simplePanel_) Invalidate();
}

void TStatusBar::SetSizeGrip(bool value) {
    if (sizeGrip_ == value) return;
    sizeGrip_ = value;
    Invalidate();
}

bool TStatusBar::ShowsSizeGrip() const {
    if (!sizeGrip_) return false;
    auto* form = dynamic_cast<TCustomForm*>(Parent());
    return form != nullptr &&
           (form->BorderStyle() == bsSizeable || form->BorderStyle() == bsSizeToolWin);
}

int TStatusBar::PartsRight() const { return ClientWidth() - (ShowsSizeGrip() ? kGripWidth : 0); }

TRect TStatusBar::PanelRect(int index) const {
    const int right = PartsRight();
    const int bottom = ClientHeight();
    if (index < 0) return Rect(0, kTopGap, std::max(0, right), bottom);
    if (index >= panels_->Count()) return {};
    long long start = 0;
    for (int i = 0; i < index && start < right; ++i) {
        start += panels_->Items(i)->Width() + kPartGap;
    }
    if (start >= right) return {};
    const int left = static_cast<int>(start);
    const bool last = index == panels_->Count() - 1;
    const int panelRight =
        last ? right
             : static_cast<int>(std::min<long long>(right, start + panels_->Items(index)->Width()));
    return Rect(left, kTopGap, std::max(left, panelRight), bottom);
}

void TStatusBar::PaintBox(TCanvas& canvas, TRect r, TStatusPanelBevel bevel) {
    switch (bevel) {
        case pbLowered: Frame3D(canvas, r, clBtnShadow, clBtnHighlight, 1); break;
        case pbRaised: Frame3D(canvas, r, clBtnHighlight, clBtnShadow, 1); break;
        default: break;
    }
}

void TStatusBar::PaintText(TCanvas& canvas, const std::string& text, TRect r,
                           TAlignment alignment) {
    if (text.empty()) return;
    r = InflateRect(r, -(1 + kTextInset), -1);
    canvas.SetFont(Font());
    canvas.Brush()->SetStyle(bsClear);
    canvas.DrawText(
        text, r,
        DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS | AlignmentTextFlag(alignment));
    canvas.Brush()->SetStyle(bsSolid);
}

void TStatusBar::PaintSizeGrip(TCanvas& canvas) {
    // Diagonal ridges in the bottom-right corner: per ridge one highlight line above two
    // shadow lines, each line from the bottom edge to the right edge.
    const int right = ClientWidth();
    const int bottom = ClientHeight();
    for (int ridge = 0; ridge < kGripLines; ++ridge) {
        const int d = 4 * ridge + 4;
        canvas.Pen()->SetColor(clBtnHighlight);
        canvas.MoveTo(right - d - 1, bottom);
        canvas.LineTo(right, bottom - d - 1);
        canvas.Pen()->SetColor(clBtnShadow);
        for (int k = 0; k < 2; ++k) {
            canvas.MoveTo(right - d + k, bottom);
            canvas.LineTo(right, bottom - d + k);
        }
    }
}

void TStatusBar::DrawPanel(TStatusPanel* panel, const TRect& rect) {
    if (OnDrawPanel) OnDrawPanel(this, panel, rect);
}

void TStatusBar::Paint() {
    TCanvas& canvas = *Canvas();
    canvas.Brush()->SetStyle(bsSolid);
    canvas.Brush()->SetColor(Color());
    canvas.FillRect(ClientRect());
    if (simplePanel_) {
        const TRect r = PanelRect(-1);
        PaintBox(canvas, r, pbLowered);
        PaintText(canvas, simpleText_, r, taLeftJustify);
    } else {
        for (int i = 0; i < panels_->Count(); ++i) {
            const TRect r = PanelRect(i);
            if (IsRectEmpty(r)) break;
            TStatusPanel* panel = panels_->Items(i);
            PaintBox(canvas, r, panel->Bevel());
            const int saved = canvas.SaveDC();
            canvas.IntersectClipRect(r.Left, r.Top, r.Right, r.Bottom);
            if (panel->Style() == psOwnerDraw) {
                DrawPanel(panel, InflateRect(r, -1, -1));
            } else {
                PaintText(canvas, panel->Text(), r, panel->Alignment());
            }
            canvas.RestoreDC(saved);
        }
    }
    if (ShowsSizeGrip()) PaintSizeGrip(canvas);
}

void TStatusBar::Dispatch(TMessage& message) {
    switch (message.Msg) {
        case CM_FONTCHANGED:
        case CM_COLORCHANGED:
            TCustomControl::Dispatch(message);
            Invalidate();
            return;
        default: TCustomControl::Dispatch(message); return;
    }
}

}  // namespace dsp

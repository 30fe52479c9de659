// TiPlotToolBar: drawing, glyphs and the mouse over buttons.

#include "framework/core/Resources.h"
#include "framework/graphics/Bitmap.h"
#include "plot/engine/iPlotAxis.h"
#include "plot/engine/iPlotComponent.h"
#include "plot/engine/iPlotToolBar.h"
#include "plot/engine/iPlotUtils.h"

namespace dsp {

namespace {

// The face of a pressed button: white less 16 in each component.
constexpr TColor kPressedFace = static_cast<TColor>(RGB(239, 239, 239));

// Two strokes around (left, top, right - 1, bottom - 1): bottom-left, top-left, top-right in
// the first colour, then top-right, bottom-right, bottom-left in the second.
void DrawEdgeStrokes(TCanvas* canvas, const TRect& r, TColor first, TColor second) {
    const int l = r.Left;
    const int t = r.Top;
    const int rr = r.Right - 1;
    const int b = r.Bottom - 1;
    canvas->Pen()->SetStyle(psSolid);
    canvas->Pen()->SetWidth(1);
    canvas->Pen()->SetColor(first);
    canvas->Polyline({{l, b}, {l, t}, {rr, t}});
    canvas->Pen()->SetColor(second);
    canvas->Polyline({{rr, t}, {rr, b}, {l, b}});
}

}  // namespace

std::unique_ptr<TBitmap> LoadToolBarGlyph(const std::string& name) {
    if (FindResource(HInstance, name, RT_BITMAP) == nullptr) return nullptr;
    auto glyph = std::make_unique<TBitmap>();
    glyph->LoadFromResourceName(HInstance, name);
    return glyph;
}

// ---- buttons

void TiPlotToolBarButton::Draw(TCanvas* canvas, TColor) {
    if (FStyle == iptbbsSpacer || !Visible()) return;
    TImageList* images = FToolBar->ImageList();
    if (FImageIndex == -1 && !FImageName.empty()) {
        if (std::unique_ptr<TBitmap> glyph = LoadToolBarGlyph(FImageName)) {
            FImageIndex = images->AddMasked(glyph.get(), clTeal);
        }
    }
    const TRect r = DrawRect();
    int x = r.Left + r.Width() / 2 - images->Width() / 2;
    int y = r.Top + r.Height() / 2 - images->Height() / 2;
    const bool pressed = MouseDown() || Down();
    if (!FFlat) {
        if (pressed) {
            canvas->Brush()->SetStyle(bsSolid);
            canvas->Brush()->SetColor(kPressedFace);
            canvas->FillRect(r);
            DrawFrameEdge(canvas, r, 0);
            ++x;
            ++y;
        } else {
            DrawFrameEdge(canvas, r, 1);
        }
    } else {
        if (pressed && !FMouseOver) {
            canvas->Brush()->SetStyle(bsSolid);
            canvas->Brush()->SetColor(kPressedFace);
            canvas->FillRect(r);
        }
        if (Enabled()) {
            if (pressed) {
                DrawEdgeStrokes(canvas, r, clBtnShadow, clBtnHighlight);
                ++x;
                ++y;
            } else if (FMouseOver) {
                DrawEdgeStrokes(canvas, r, clBtnHighlight, clBtnShadow);
            }
        }
    }
    if (FImageIndex >= 0) images->Draw(canvas, x, y, FImageIndex, Enabled());
}

void TiPlotToolBarButton::iMouseMove(TiHintData& hintData, TShiftState shift, int x, int y,
                                     int screenX, int screenY, bool dblClickActive) {
    TiPlotButton::iMouseMove(hintData, shift, x, y, screenX, screenY, dblClickActive);
    if (FStyle == iptbbsSpacer) return;
    const bool over = FMouseOver;
    FMouseOver = true;
    if (FFlat && !over) FToolBar->DoChange();
}

void TiPlotToolBarButton::DoMouseNotOver() {
    if (!FMouseOver) return;
    FMouseOver = false;
    FToolBar->DoChange();
}

void TiPlotToolBarButton::DoMouseHint(const TiPlotMouseData&, TiHintData& hintData) {
    if (FStyle == iptbbsSpacer) return;
    TiPlotComponent* plot = FToolBar->Plot();
    if (plot == nullptr) return;
    std::string text = FToolBar->TranslateString(FHint);
    TCanvas* canvas = plot->Canvas();
    canvas->Font()->Assign(plot->HintsFont());
    hintData.Top = Bottom() + 3;
    hintData.Left = Left();
    hintData.Width = canvas->TextWidth(text) + 4;
    hintData.Height = canvas->TextHeight(text) + 4;
    plot->DoToolBarCustomizeHint(FToolBar, text);
    hintData.Text = text;
}

// ---- the bar

void TiPlotToolBar::UpdateButtonStates() {
    // The spacer behind each group shows when a button of the group does.
    const bool groups[] = {
        ShowResumeButton() || ShowPauseButton(),
        Button(iptbbtScrollAxesMode)->Visible() || Button(iptbbtZoomAxesMode)->Visible(),
        Button(iptbbtZoomIn)->Visible() || Button(iptbbtZoomOut)->Visible(),
        ShowZoomBoxButton() || ShowCursorButton(),
        ShowEditButton(),
    };
    std::size_t spacer = 0;
    for (const auto& entry : FButtonList) {
        if (entry->Style() != iptbbsSpacer || spacer >= std::size(groups)) continue;
        entry->SetVisible(groups[spacer++]);
    }
    bool anyOff = false;
    bool anyOn = false;
    if (TiPlotComponent* plot = Plot()) {
        auto look = [&](const TiPlotAxis* axis) {
            anyOff = anyOff || !axis->TrackingEnabled();
            anyOn = anyOn || axis->TrackingEnabled();
        };
        for (int i = 0; i < plot->XAxisCount(); ++i) look(plot->GetXAxis(i));
        for (int i = 0; i < plot->YAxisCount(); ++i) look(plot->GetYAxis(i));
    }
    Button(iptbbtResume)->SetEnabled(anyOff);
    Button(iptbbtPause)->SetEnabled(anyOn);
}

void TiPlotToolBar::Draw(TCanvas* canvas, TColor backGroundColor) {
    TiPlotLayoutObject::Draw(canvas, backGroundColor);
    if (!Visible()) return;
    const int size = FSmallButtons ? 22 : 30;
    UpdateButtonStates();
    const TRect r = DrawRect();
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(clBtnFace);
    canvas->Pen()->SetWidth(1);
    canvas->FillRect({r.Left, r.Top, r.Right + 1, r.Bottom});
    if (!FFlatBorder) DrawFrameEdge(canvas, r, 1);
    int x = r.Left + 3;
    for (const auto& entry : FButtonList) {
        if (!entry->Visible()) continue;
        const int w = entry->Style() == iptbbsSpacer ? 10 : size;
        entry->SetDrawRect({x, r.Top + 3, x + w, r.Top + 3 + size});
        entry->Draw(canvas, backGroundColor);
        x += w;
    }
}

}  // namespace dsp

#include "framework/controls/ScrollBox.h"

#include "framework/controls/ClassicDraw.h"
#include "framework/graphics/Canvas.h"

namespace dsp {

TScrollBox::TScrollBox(TComponent* owner) : TScrollingWinControl(owner) {
    SetControlStyle(ControlStyle() + TControlStyle{csAcceptsControls, csCaptureMouse, csClickEvents,
                                                   csSetCaption, csDoubleClicks});
    SetBounds(0, 0, 185, 41);
    SetParentColor(false);
    SetColor(clBtnFace);
}

TScrollBox::~TScrollBox() = default;

int TScrollBox::Border() const { return borderStyle_ == bsSingle ? kEditBorder : 0; }

void TScrollBox::SetBorderStyle(TBorderStyle value) {
    if (borderStyle_ == value) return;
    borderStyle_ = value;
    Realign();
    Invalidate();
}

TRect TScrollBox::ClientRectWithoutBars() const {
    const TRect r = TScrollingWinControl::ClientRectWithoutBars();
    return InflateRect(r, -Border(), -Border());
}

void TScrollBox::AdjustClientRect(TRect& rect) {
    TScrollingWinControl::AdjustClientRect(rect);
    // The scrolled area starts inside the frame.
    rect = OffsetRect(rect, Border(), Border());
}

void TScrollBox::PaintWindow(TCanvas& canvas) {
    if (borderStyle_ != bsSingle) return;
    TRect r = Rect(0, 0, Width(), Height());
    DrawSunkenField(canvas, r);
}

void TScrollBox::DefaultHandler(TMessage& message) {
    if (message.Msg == WM_PAINT) {
        if (TCanvas* dc = MessageCanvas(message)) PaintWindow(*dc);
        return;
    }
    TScrollingWinControl::DefaultHandler(message);
}

}  // namespace dsp

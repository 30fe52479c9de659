#include "framework/controls/GroupBox.h"

#include "framework/controls/ClassicDraw.h"
#include "framework/controls/MessageParams.h"
#include "framework/controls/StdControlSupport.h"
#include "framework/graphics/Canvas.h"

namespace dsp {

TCustomGroupBox::TCustomGroupBox(TComponent* owner) : TCustomControl(owner) {
    SetControlStyle(ControlStyle() + TControlStyle{csAcceptsControls, csCaptureMouse, csClickEvents,
                                                   csSetCaption, csDoubleClicks, csReplicatable});
    SetBounds(0, 0, 185, 105);
}

TCustomGroupBox::~TCustomGroupBox() = default;

void TCustomGroupBox::SetParentBackground(bool value) {
    if (parentBackground_ == value) return;
    parentBackground_ = value;
    Invalidate();
}

int TCustomGroupBox::CaptionHeight() const {
    TCanvas measure;
    measure.SetFont(Font());
    return measure.TextHeight("0");
}

void TCustomGroupBox::AdjustClientRect(TRect& rect) {
    TCustomControl::AdjustClientRect(rect);
    rect.Top += CaptionHeight();
    rect = InflateRect(rect, -2, -2);
}

void TCustomGroupBox::Paint() {
    TCanvas& canvas = *Canvas();
    canvas.SetFont(Font());
    const int h = canvas.TextHeight("0");
    TRect frame = Rect(0, h / 2 - 1, Width(), Height());
    const std::string caption = Caption();
    TRect text;
    if (!caption.empty()) {
        text = Rect(0, 0, 0, h);
        canvas.DrawText(caption, text, DT_SINGLELINE | DT_CALCRECT);
        text = OffsetRect(text, 8, 0);
        text.Right += 1;
        // The frame's line does not run behind the caption.
        const int saved = canvas.SaveDC();
        canvas.ExcludeClipRect(text.Left - 1, text.Top, text.Right + 1, text.Bottom);
        canvas.DrawEdge(frame, EDGE_ETCHED, BF_RECT);
        canvas.RestoreDC(saved);
    } else {
        canvas.DrawEdge(frame, EDGE_ETCHED, BF_RECT);
    }
    if (caption.empty()) return;
    DrawCaptionText(canvas, caption, text, DT_SINGLELINE | DT_LEFT, Enabled());
}

void TCustomGroupBox::Dispatch(TMessage& message) {
    switch (message.Msg) {
        case WM_ERASEBKGND:
            if (parentBackground_) {
                if (TCanvas* dc = MessageCanvas(message)) PaintParentBackground(*this, *dc);
                message.Result = 1;
                return;
            }
            TCustomControl::Dispatch(message);
            return;
        case CM_TEXTCHANGED: Invalidate(); return;
        case CM_FONTCHANGED:
            TCustomControl::Dispatch(message);
            Realign();
            return;
        case CM_DIALOGCHAR:
            // The caption's accelerator focuses the first child that takes the focus.
            if (IsAccelerator(CharOf(message), Caption()) && CanFocus()) {
                SelectNext(nullptr, true, true);
                message.Result = 1;
                return;
            }
            TCustomControl::Dispatch(message);
            return;
        default: TCustomControl::Dispatch(message); return;
    }
}

}  // namespace dsp

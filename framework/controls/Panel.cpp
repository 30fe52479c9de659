#include "framework/controls/Panel.h"

#include "framework/controls/ClassicDraw.h"
#include "framework/controls/StdControlSupport.h"
#include "framework/graphics/Canvas.h"

namespace dsp {

namespace {

void BevelColors(TBevelCut cut, TColor face, TColor& top, TColor& bottom) {
    switch (cut) {
        case bvLowered:
            top = clBtnShadow;
            bottom = clBtnHighlight;
            break;
        case bvRaised:
            top = clBtnHighlight;
            bottom = clBtnShadow;
            break;
        default:
            top = face;
            bottom = face;
            break;
    }
}

}  // namespace

TCustomPanel::TCustomPanel(TComponent* owner) : TCustomControl(owner) {
    SetControlStyle(ControlStyle() + TControlStyle{csAcceptsControls, csOpaque, csReplicatable});
    SetBounds(0, 0, 185, 41);
    SetParentColor(false);
    SetColor(clBtnFace);
}

TCustomPanel::~TCustomPanel() = default;

void TCustomPanel::FramesChanged() {
    Realign();
    Invalidate();
}

void TCustomPanel::SetAlignment(TAlignment value) {
    if (alignment_ == value) return;
    alignment_ = value;
    Invalidate();
}

void TCustomPanel::SetVerticalAlignment(TVerticalAlignment value) {
    if (verticalAlignment_ == value) return;
    verticalAlignment_ = value;
    Invalidate();
}

void TCustomPanel::SetBevelInner(TBevelCut value) {
    if (bevelInner_ == value) return;
    bevelInner_ = value;
    FramesChanged();
}

void TCustomPanel::SetBevelOuter(TBevelCut value) {
    if (bevelOuter_ == value) return;
    bevelOuter_ = value;
    FramesChanged();
}

void TCustomPanel::SetBevelWidth(TBevelWidth value) {
    if (value < 1) value = 1;
    if (bevelWidth_ == value) return;
    bevelWidth_ = value;
    FramesChanged();
}

void TCustomPanel::SetBorderWidth(int value) {
    if (value < 0) value = 0;
    if (borderWidth_ == value) return;
    borderWidth_ = value;
    FramesChanged();
}

void TCustomPanel::SetBorderStyle(TBorderStyle value) {
    if (borderStyle_ == value) return;
    borderStyle_ = value;
    FramesChanged();
}

void TCustomPanel::SetParentBackground(bool value) {
    if (parentBackground_ == value) return;
    parentBackground_ = value;
    SetOpaque(*this, !value);
    Invalidate();
}

void TCustomPanel::SetShowCaption(bool value) {
    if (showCaption_ == value) return;
    showCaption_ = value;
    Invalidate();
}

int TCustomPanel::FrameWidth() const {
    int width = borderWidth_;
    if (borderStyle_ == bsSingle) ++width;
    if (bevelOuter_ != bvNone) width += bevelWidth_;
    if (bevelInner_ != bvNone) width += bevelWidth_;
    return width;
}

void TCustomPanel::AdjustClientRect(TRect& rect) {
    TCustomControl::AdjustClientRect(rect);
    const int frame = FrameWidth();
    rect = InflateRect(rect, -frame, -frame);
}

void TCustomPanel::Paint() {
    TCanvas& canvas = *Canvas();
    TRect r = ClientRect();
    if (borderStyle_ == bsSingle) Frame3D(canvas, r, clWindowFrame, clWindowFrame, 1);
    TColor top = clNone;
    TColor bottom = clNone;
    if (bevelOuter_ != bvNone) {
        BevelColors(bevelOuter_, Color(), top, bottom);
        Frame3D(canvas, r, top, bottom, bevelWidth_);
    }
    if (!parentBackground_) {
        Frame3D(canvas, r, Color(), Color(), borderWidth_);
    } else {
        r = InflateRect(r, -borderWidth_, -borderWidth_);
    }
    if (bevelInner_ != bvNone) {
        BevelColors(bevelInner_, Color(), top, bottom);
        Frame3D(canvas, r, top, bottom, bevelWidth_);
    }
    if (!parentBackground_) {
        canvas.Brush()->SetStyle(bsSolid);
        canvas.Brush()->SetColor(Color());
        canvas.FillRect(r);
    }
    if (!showCaption_ || Caption().empty()) return;
    canvas.SetFont(Font());
    unsigned flags = DT_EXPANDTABS | DT_SINGLELINE | AlignmentTextFlag(alignment_);
    switch (verticalAlignment_) {
        case taAlignTop: flags |= DT_TOP; break;
        case taAlignBottom: flags |= DT_BOTTOM; break;
        default: flags |= DT_VCENTER; break;
    }
    DrawCaptionText(canvas, Caption(), r, flags, Enabled());
}

void TCustomPanel::Dispatch(TMessage& message) {
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
        default: TCustomControl::Dispatch(message); return;
    }
}

}  // namespace dsp

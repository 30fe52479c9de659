#include "widgets/panels/VrControls.h"

#include <algorithm>

#include "framework/controls/MessageParams.h"

namespace dsp {

void DrawFrameRings(TCanvas& canvas, TRect& r, TColor topColor, TColor bottomColor, int count) {
    canvas.Pen()->SetWidth(1);
    --r.Right;
    --r.Bottom;
    for (int i = 0; i < count; ++i) {
        canvas.Pen()->SetColor(topColor);
        canvas.MoveTo(r.Left, r.Bottom);
        canvas.LineTo(r.Left, r.Top);
        canvas.LineTo(r.Right, r.Top);
        canvas.Pen()->SetColor(bottomColor);
        canvas.LineTo(r.Right, r.Bottom);
        canvas.LineTo(r.Left - 1, r.Bottom);
        r = InflateRect(r, -1, -1);
    }
    ++r.Right;
    ++r.Bottom;
}

TImageTextPlaces LayoutImageAndText(TCanvas& canvas, const TRect& r, TSize imageSize,
                                    const std::string& caption, int spacing, int margin,
                                    TVrImageTextLayout layout) {
    const int w = r.Width();
    const int h = r.Height();
    TSize text;
    if (!caption.empty()) {
        TRect measured = Rect(0, 0, w, 0);
        canvas.DrawText(caption, measured, DT_CALCRECT | DT_SINGLELINE);
        text = {measured.Width(), measured.Height()};
    }
    const bool horizontal = layout == ImageLeft || layout == ImageRight;
    TPoint image;
    TPoint caption0;
    if (horizontal) {
        image.Y = (h - imageSize.cy + 1) / 2;
        caption0.Y = (h - text.cy + 1) / 2;
    } else {
        image.X = (w - imageSize.cx + 1) / 2;
        caption0.X = (w - text.cx + 1) / 2;
    }
    int s = spacing;
    int m = margin;
    if (text.cx == 0 || imageSize.cx == 0) s = 0;
    const int length = horizontal ? w : h;
    const int i = horizontal ? imageSize.cx : imageSize.cy;
    const int t = horizontal ? text.cx : text.cy;
    if (m == -1 && s == -1) {
        m = s = (length - (i + t)) / 3;
    } else if (m == -1) {
        m = (length - (i + s + t) + 1) / 2;
    } else if (s == -1) {
        s = ((length - m - i) - t) / 2;
    }
    switch (layout) {
        case ImageLeft:
            image.X = m;
            caption0.X = m + imageSize.cx + s;
            break;
        case ImageRight:
            image.X = w - m - imageSize.cx;
            caption0.X = image.X - s - text.cx;
            break;
        case ImageTop:
            image.Y = m;
            caption0.Y = m + imageSize.cy + s;
            break;
        case ImageBottom:
            image.Y = h - m - imageSize.cy;
            caption0.Y = image.Y - s - text.cy;
            break;
    }
    return {Bounds(r.Left + image.X, r.Top + image.Y, imageSize.cx, imageSize.cy),
            Bounds(r.Left + caption0.X, r.Top + caption0.Y, text.cx, text.cy)};
}

// ---- controls

TVrCustomControl::TVrCustomControl(TComponent* owner) : TCustomControl(owner) {}

TVrCustomControl::~TVrCustomControl() = default;

void TVrCustomControl::EndUpdate() {
    if (updateCount_ > 0) --updateCount_;
    UpdateControlCanvas();
}

void TVrCustomControl::UpdateControlCanvas() {
    if (ComponentState().Contains(csLoading) || updateCount_ != 0) return;
    Repaint();
}

void TVrCustomControl::MouseEntered() {
    if (OnMouseEnterControl) OnMouseEnterControl(this);
}

void TVrCustomControl::MouseLeft() {
    if (OnMouseLeaveControl) OnMouseLeaveControl(this);
}

void TVrCustomControl::FontChanged() {
    if (OnFontChanged) OnFontChanged(this);
}

void TVrCustomControl::TextChanged() {
    if (OnTextChanged) OnTextChanged(this);
}

void TVrCustomControl::Dispatch(TMessage& message) {
    switch (message.Msg) {
        case CM_MOUSEENTER:
            TCustomControl::Dispatch(message);
            if (MouseChildOf(message) == nullptr) MouseEntered();
            return;
        case CM_MOUSELEAVE:
            TCustomControl::Dispatch(message);
            if (MouseChildOf(message) == nullptr) MouseLeft();
            return;
        case CM_FONTCHANGED:
            TCustomControl::Dispatch(message);
            FontChanged();
            return;
        case CM_TEXTCHANGED:
            TCustomControl::Dispatch(message);
            TextChanged();
            return;
        default: TCustomControl::Dispatch(message); return;
    }
}

TVrCustomImageControl::TVrCustomImageControl(TComponent* owner)
    : TVrCustomControl(owner), bitmapImage_(std::make_unique<TBitmap>()) {}

TVrCustomImageControl::~TVrCustomImageControl() = default;

void TVrCustomImageControl::PrepareImage() {
    if (bitmapImage_->Width() != Width() || bitmapImage_->Height() != Height()) {
        bitmapImage_->SetSize(Width(), Height());
    }
    TCanvas& c = *bitmapImage_->Canvas();
    c.Brush()->SetStyle(bsSolid);
    c.Brush()->SetColor(Color());
    c.FillRect(Rect(0, 0, Width(), Height()));
}

void TVrCustomImageControl::Paint() {
    PrepareImage();
    PaintImage();
    Canvas()->BitBlt(0, 0, Width(), Height(), bitmapImage_->Canvas(), 0, 0, SRCCOPY);
}

}  // namespace dsp

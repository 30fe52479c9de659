#include "widgets/panels/VrClasses.h"

namespace dsp {

void TVrPersistent::EndUpdate() {
    if (updateCount_ > 0) --updateCount_;
    Changed();
}

void TVrPersistent::Changed() {
    if (updateCount_ > 0) return;
    if (OnChange) OnChange(this);
}

// ---- palette

void TVrPalette::SetLow(TColor value) {
    if (low_ == value) return;
    low_ = value;
    Changed();
}

void TVrPalette::SetHigh(TColor value) {
    if (high_ == value) return;
    high_ = value;
    Changed();
}

void TVrPalette::ToBMP(TBitmap& picture, TColor darkColor, TColor lightColor) const {
    const TColorRef dark = ResolveColor(darkColor);
    const TColorRef light = ResolveColor(lightColor);
    TCanvas& c = *picture.Canvas();
    for (int y = 0; y < picture.Height(); ++y)
        for (int x = 0; x < picture.Width(); ++x) {
            const TColorRef p = picture.PixelAt(x, y);
            if (p == dark) {
                c.SetPixels(x, y, low_);
            } else if (p == light) {
                c.SetPixels(x, y, high_);
            }
        }
}

void TVrPalette::Assign(TPersistent* source) {
    auto* other = dynamic_cast<TVrPalette*>(source);
    if (other == nullptr) {
        TVrPersistent::Assign(source);
        return;
    }
    BeginUpdate();
    SetLow(other->low_);
    SetHigh(other->high_);
    EndUpdate();
}

// ---- 3-D text

void TVrFont3D::SetStyle(TVrFont3DStyle value) {
    if (style_ == value) return;
    style_ = value;
    Changed();
}

void TVrFont3D::SetHighlightColor(TColor value) {
    if (highlightColor_ == value) return;
    highlightColor_ = value;
    Changed();
}

void TVrFont3D::SetShadowColor(TColor value) {
    if (shadowColor_ == value) return;
    shadowColor_ = value;
    Changed();
}

void TVrFont3D::SetHighlightDepth(int value) {
    if (highlightDepth_ == value) return;
    highlightDepth_ = value;
    Changed();
}

void TVrFont3D::SetShadowDepth(int value) {
    if (shadowDepth_ == value) return;
    shadowDepth_ = value;
    Changed();
}

void TVrFont3D::Paint(TCanvas& canvas, TRect r, unsigned format, const std::string& text) const {
    canvas.Brush()->SetStyle(bsClear);
    const TColor color = canvas.Font()->Color();
    auto at = [&](int d, TColor c) {
        TRect moved = OffsetRect(r, d, d);
        canvas.Font()->SetColor(c);
        canvas.DrawText(text, moved, format);
    };
    switch (style_) {
        case f3dRaised:
            at(shadowDepth_, shadowColor_);
            at(-highlightDepth_, highlightColor_);
            break;
        case f3dSunken:
            at(highlightDepth_, highlightColor_);
            at(-shadowDepth_, shadowColor_);
            break;
        case f3dShadow: at(shadowDepth_, shadowColor_); break;
        case f3dNone: break;
    }
    canvas.Font()->SetColor(color);
    canvas.DrawText(text, r, format);
}

void TVrFont3D::Assign(TPersistent* source) {
    auto* other = dynamic_cast<TVrFont3D*>(source);
    if (other == nullptr) {
        TVrPersistent::Assign(source);
        return;
    }
    BeginUpdate();
    SetStyle(other->style_);
    SetHighlightColor(other->highlightColor_);
    SetShadowColor(other->shadowColor_);
    SetHighlightDepth(other->highlightDepth_);
    SetShadowDepth(other->shadowDepth_);
    EndUpdate();
}

}  // namespace dsp

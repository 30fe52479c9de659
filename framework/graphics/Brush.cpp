#include "framework/graphics/Brush.h"

#include "framework/graphics/Bitmap.h"

namespace dsp {

void TBrush::SetColor(TColor value) {
    if (value == color_) return;
    color_ = value;
    Changed();
}

void TBrush::SetStyle(TBrushStyle value) {
    if (value == style_) return;
    style_ = value;
    Changed();
}

void TBrush::SetBitmap(TBitmap* value) {
    bitmap_ = value;
    pattern_ = TBrushPattern{};
    if (value != nullptr && !value->Empty()) {
        pattern_.width = value->Width();
        pattern_.height = value->Height();
        pattern_.monochrome = value->Monochrome();
        pattern_.pixels.reserve(static_cast<std::size_t>(pattern_.width) * pattern_.height);
        for (int y = 0; y < pattern_.height; ++y)
            for (int x = 0; x < pattern_.width; ++x)
                pattern_.pixels.push_back(value->PixelAt(x, y));
    }
    Changed();
}

void TBrush::Assign(TPersistent* source) {
    if (auto* other = dynamic_cast<TBrush*>(source)) {
        if (other == this) return;
        color_ = other->color_;
        style_ = other->style_;
        bitmap_ = other->bitmap_;
        pattern_ = other->pattern_;
        Changed();
        return;
    }
    TGraphicsObject::Assign(source);
}

}  // namespace dsp

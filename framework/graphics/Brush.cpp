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
        pattern_.Width = value->Width();
        pattern_.Height = value->Height();
        pattern_.Monochrome = value->Monochrome();
        pattern_.Pixels.reserve(static_cast<std::size_t>(pattern_.Width) * pattern_.Height);
        for (int y = 0; y < pattern_.Height; ++y)
            for (int x = 0; x < pattern_.Width; ++x)
                pattern_.Pixels.push_back(value->PixelAt(x, y));
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

#include "framework/graphics/Pen.h"

#include <array>

namespace dsp {

void TPen::SetColor(TColor value) {
    if (value == color_) return;
    color_ = value;
    Changed();
}

void TPen::SetWidth(int value) {
    if (value < 0) value = 0;
    if (value == width_) return;
    width_ = value;
    Changed();
}

void TPen::SetStyle(TPenStyle value) {
    if (value == style_) return;
    style_ = value;
    Changed();
}

void TPen::SetMode(TPenMode value) {
    if (value == mode_) return;
    mode_ = value;
    Changed();
}

void TPen::Assign(TPersistent* source) {
    if (auto* other = dynamic_cast<TPen*>(source)) {
        if (other == this) return;
        const bool differs = color_ != other->color_ || width_ != other->width_ ||
                             style_ != other->style_ || mode_ != other->mode_;
        color_ = other->color_;
        width_ = other->width_;
        style_ = other->style_;
        mode_ = other->mode_;
        if (differs) Changed();
        return;
    }
    TGraphicsObject::Assign(source);
}

int PenModeToRop2(TPenMode mode) {
    // Each code is one more than the four-bit truth table of (P, D) -> result, indexed P*2 + D.
    static constexpr std::array<int, 16> kCodes = {1,  16, 11, 6, 13, 4, 14, 5,
                                                   12, 3,  15, 2, 9,  8, 7,  10};
    return kCodes[static_cast<std::size_t>(mode) & 15];
}

}  // namespace dsp

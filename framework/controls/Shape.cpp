#include "framework/controls/Shape.h"

#include <algorithm>

#include "framework/graphics/Canvas.h"

namespace dsp {

TShape::TShape(TComponent* owner)
    : TGraphicControl(owner), pen_(std::make_unique<TPen>()), brush_(std::make_unique<TBrush>()) {
    SetControlStyle(ControlStyle() + TControlStyle{csReplicatable});
    pen_->OnChange = [this](TObject*) { Invalidate(); };
    brush_->OnChange = [this](TObject*) { Invalidate(); };
    SetBounds(0, 0, 65, 65);
}

TShape::~TShape() {
    pen_->OnChange = nullptr;
    brush_->OnChange = nullptr;
}

void TShape::SetShape(TShapeType value) {
    if (shape_ == value) return;
    shape_ = value;
    Invalidate();
}

void TShape::Paint() {
    TCanvas& canvas = *Canvas();
    canvas.SetPen(pen_.get());
    canvas.SetBrush(brush_.get());
    // The outline's middle runs half a pen inside the bounds, so all of it stays inside.
    const int penWidth = pen_->Width();
    int x = penWidth / 2;
    int y = x;
    int w = Width() - penWidth + 1;
    int h = Height() - penWidth + 1;
    if (penWidth == 0) {
        --w;
        --h;
    }
    const int side = std::min(w, h);
    if (shape_ == stSquare || shape_ == stRoundSquare || shape_ == stCircle) {
        x += (w - side) / 2;
        y += (h - side) / 2;
        w = side;
        h = side;
    }
    switch (shape_) {
        case stRectangle:
        case stSquare: canvas.Rectangle(x, y, x + w, y + h); break;
        case stRoundRect:
        case stRoundSquare: canvas.RoundRect(x, y, x + w, y + h, side / 4, side / 4); break;
        case stEllipse:
        case stCircle: canvas.Ellipse(x, y, x + w, y + h); break;
    }
}

}  // namespace dsp

#include "framework/controls/PaintBox.h"

#include "framework/graphics/Canvas.h"

namespace dsp {

TPaintBox::TPaintBox(TComponent* owner) : TGraphicControl(owner) {
    SetControlStyle(ControlStyle() + TControlStyle{csReplicatable});
    SetBounds(0, 0, 105, 105);
}

TPaintBox::~TPaintBox() = default;

void TPaintBox::Paint() {
    TCanvas& canvas = *Canvas();
    canvas.SetFont(Font());
    canvas.Brush()->SetStyle(bsSolid);
    canvas.Brush()->SetColor(Color());
    if (OnPaint) OnPaint(this);
}

}  // namespace dsp

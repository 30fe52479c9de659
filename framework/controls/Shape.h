#pragma once
// TShape: a rectangle, square, rounded rectangle or square, ellipse or circle drawn with Pen and
// Brush on its parent. Square and circle shapes take the smaller side and sit centred. The
// outline stays inside the control whatever the pen's width.

#include <memory>

#include "framework/controls/GraphicControl.h"
#include "framework/graphics/Brush.h"
#include "framework/graphics/Pen.h"

namespace dsp {

enum TShapeType { stRectangle, stSquare, stRoundRect, stRoundSquare, stEllipse, stCircle };
DSP_ENUM_NAMES(TShapeType, "stRectangle", "stSquare", "stRoundRect", "stRoundSquare", "stEllipse",
               "stCircle")

class TShape : public TGraphicControl {
    DSP_PUBLISHED(TShape, TGraphicControl) {
        using P = Published<TShape>;
        return {
            P::Property("Brush", &TShape::Brush, &TShape::SetBrush),
            P::Property("Pen", &TShape::Pen, &TShape::SetPen),
            P::Property("Shape", &TShape::Shape, &TShape::SetShape).Default(stRectangle),
        };
    }

public:
    explicit TShape(TComponent* owner);
    ~TShape() override;

    TPen* Pen() const { return pen_.get(); }
    void SetPen(TPen* value) { pen_->Assign(value); }
    TBrush* Brush() const { return brush_.get(); }
    void SetBrush(TBrush* value) { brush_->Assign(value); }
    TShapeType Shape() const { return shape_; }
    void SetShape(TShapeType value);

protected:
    void Paint() override;

private:
    std::unique_ptr<TPen> pen_;
    std::unique_ptr<TBrush> brush_;
    TShapeType shape_ = stRectangle;
};

}  // namespace dsp

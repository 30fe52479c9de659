#pragma once
// TiPlotAnnotation: the base of the plot's annotations. What the plot's frame needs of an
// annotation lives here: the defaults the plot gives a new one (brush, pen, reference frames,
// font) and the data view and axis orientation the paint hands it. Shapes, coordinates and
// drawing come with the annotation class itself.

#include <memory>

#include "framework/graphics/Brush.h"
#include "framework/graphics/Font.h"
#include "framework/graphics/Pen.h"
#include "plot/engine/iPlotObjects.h"

namespace dsp {

class TiPlotDataView;

class TiPlotAnnotation : public TiPlotManagerObject {
public:
    TiPlotAnnotation(TObject* owner, TNotifyEvent onChange, TNotifyEvent onInsert,
                     TNotifyEvent onRemove, TNotifyEvent onRename);

    TiPlotObjectKind Kind() const override { return TiPlotObjectKind::Annotation; }

    TBrushStyle BrushStyle() const { return FBrushStyle; }
    virtual void SetBrushStyle(TBrushStyle value);
    TColor BrushColor() const { return FBrushColor; }
    virtual void SetBrushColor(TColor value);
    TPenStyle PenStyle() const { return FPenStyle; }
    virtual void SetPenStyle(TPenStyle value);
    TColor PenColor() const { return FPenColor; }
    virtual void SetPenColor(TColor value);
    int PenWidth() const { return FPenWidth; }
    virtual void SetPenWidth(int value);
    TiPlotReferenceType Reference() const { return FReference; }
    virtual void SetReference(TiPlotReferenceType value);
    TiPlotReferenceIndividual ReferencePositionX() const { return FReferencePositionX; }
    virtual void SetReferencePositionX(TiPlotReferenceIndividual value);
    TiPlotReferenceIndividual ReferencePositionY() const { return FReferencePositionY; }
    virtual void SetReferencePositionY(TiPlotReferenceIndividual value);
    TiPlotReferenceIndividual ReferenceSizeX() const { return FReferenceSizeX; }
    virtual void SetReferenceSizeX(TiPlotReferenceIndividual value);
    TiPlotReferenceIndividual ReferenceSizeY() const { return FReferenceSizeY; }
    virtual void SetReferenceSizeY(TiPlotReferenceIndividual value);
    TFont* Font() const { return FFont.get(); }
    void SetFont(TFont* value) { FFont->Assign(value); }

    TiPlotDataView* DataView() const { return FDataView; }
    void SetDataView(TiPlotDataView* value) { FDataView = value; }
    void NotificationRemove(TiPlotObject* sender) override;

protected:
    TBrushStyle FBrushStyle = bsSolid;
    TColor FBrushColor = clWhite;
    TPenStyle FPenStyle = psSolid;
    TColor FPenColor = clWhite;
    int FPenWidth = 1;
    TiPlotReferenceType FReference = iprtDataView;
    TiPlotReferenceIndividual FReferencePositionX = ipriAuto;
    TiPlotReferenceIndividual FReferencePositionY = ipriAuto;
    TiPlotReferenceIndividual FReferenceSizeX = ipriAuto;
    TiPlotReferenceIndividual FReferenceSizeY = ipriAuto;
    std::unique_ptr<TFont> FFont;
    TiPlotDataView* FDataView = nullptr;
};

}  // namespace dsp

#include "plot/engine/iPlotAnnotation.h"

#include "plot/engine/iPlotDataView.h"

namespace dsp {

TiPlotAnnotation::TiPlotAnnotation(TObject* owner, TNotifyEvent onChange, TNotifyEvent onInsert,
                                   TNotifyEvent onRemove, TNotifyEvent onRename)
    : TiPlotManagerObject(owner, std::move(onChange), std::move(onInsert), std::move(onRemove),
                          std::move(onRename)),
      FFont(std::make_unique<TFont>()) {
    FFont->OnChange = [this](TObject*) { DoChange(); };
}

template <typename T>
static void Store(TiPlotAnnotation* self, T value, T& field) {
    if (value == field) return;
    field = value;
    self->DoChange();
}

void TiPlotAnnotation::SetBrushStyle(TBrushStyle value) { Store(this, value, FBrushStyle); }
void TiPlotAnnotation::SetBrushColor(TColor value) { Store(this, value, FBrushColor); }
void TiPlotAnnotation::SetPenStyle(TPenStyle value) { Store(this, value, FPenStyle); }
void TiPlotAnnotation::SetPenColor(TColor value) { Store(this, value, FPenColor); }
void TiPlotAnnotation::SetPenWidth(int value) { Store(this, value, FPenWidth); }
void TiPlotAnnotation::SetReference(TiPlotReferenceType value) { Store(this, value, FReference); }
void TiPlotAnnotation::SetReferencePositionX(TiPlotReferenceIndividual value) {
    Store(this, value, FReferencePositionX);
}
void TiPlotAnnotation::SetReferencePositionY(TiPlotReferenceIndividual value) {
    Store(this, value, FReferencePositionY);
}
void TiPlotAnnotation::SetReferenceSizeX(TiPlotReferenceIndividual value) {
    Store(this, value, FReferenceSizeX);
}
void TiPlotAnnotation::SetReferenceSizeY(TiPlotReferenceIndividual value) {
    Store(this, value, FReferenceSizeY);
}

void TiPlotAnnotation::NotificationRemove(TiPlotObject* sender) {
    if (sender == FDataView) FDataView = nullptr;
}

}  // namespace dsp

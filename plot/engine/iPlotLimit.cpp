#include "plot/engine/iPlotLimit.h"

namespace dsp {

TiPlotLimit::TiPlotLimit(TObject* owner, TNotifyEvent onChange, TNotifyEvent onInsert,
                         TNotifyEvent onRemove, TNotifyEvent onRename)
    : TiPlotManagerObject(owner, std::move(onChange), std::move(onInsert), std::move(onRemove),
                          std::move(onRename)) {}

void TiPlotLimit::SetXAxisName(const std::string& value) {
    SetStringProperty(value, FXAxisName, &TiPlotObject::DoChange);
}

void TiPlotLimit::SetYAxisName(const std::string& value) {
    SetStringProperty(value, FYAxisName, &TiPlotObject::DoChange);
}

}  // namespace dsp

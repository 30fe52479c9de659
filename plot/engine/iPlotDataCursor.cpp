#include "plot/engine/iPlotDataCursor.h"

#include "plot/engine/iPlotComponent.h"
#include "plot/engine/iPlotDataView.h"

namespace dsp {

TiPlotDataCursor::TiPlotDataCursor(TObject* owner, TNotifyEvent onChange, TNotifyEvent onInsert,
                                   TNotifyEvent onRemove, TNotifyEvent onRename)
    : TiPlotManagerObject(owner, std::move(onChange), std::move(onInsert), std::move(onRemove),
                          std::move(onRename)) {}

void TiPlotDataCursor::SetChannelName(const std::string& value) {
    SetStringProperty(value, FChannelName, &TiPlotObject::DoChange);
}

void TiPlotDataCursor::SetChannelShowAllInLegend(bool value) {
    SetBooleanProperty(value, FChannelShowAllInLegend, &TiPlotObject::DoChange);
}

void TiPlotDataCursor::UpdateCursor() {
    if (Plot() != nullptr) Plot()->DoBeforeDataCursorUpdate(this);
}

void TiPlotDataCursor::NotificationRemove(TiPlotObject* sender) {
    if (sender == FDataView) FDataView = nullptr;
}

}  // namespace dsp

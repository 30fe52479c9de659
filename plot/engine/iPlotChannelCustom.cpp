#include "plot/engine/iPlotChannelCustom.h"

#include "plot/engine/iPlotAxis.h"
#include "plot/engine/iPlotComponent.h"

namespace dsp {

TiPlotChannelCustom::TiPlotChannelCustom(TObject* owner, TNotifyEvent onChange,
                                         TNotifyEvent onInsert, TNotifyEvent onRemove,
                                         TNotifyEvent onRename)
    : TiPlotManagerObject(owner, std::move(onChange), std::move(onInsert), std::move(onRemove),
                          std::move(onRename)) {}

void TiPlotChannelCustom::SetTitleText(const std::string& value) {
    SetStringProperty(value, FTitleText, &TiPlotObject::DoChange);
}

void TiPlotChannelCustom::SetColor(TColor value) {
    SetColorProperty(value, FColor, &TiPlotObject::DoChange);
}

void TiPlotChannelCustom::SetXAxisName(const std::string& value) {
    SetStringProperty(value, FXAxisName, &TiPlotObject::DoChange);
}

void TiPlotChannelCustom::SetYAxisName(const std::string& value) {
    SetStringProperty(value, FYAxisName, &TiPlotObject::DoChange);
}

void TiPlotChannelCustom::SetVisibleInLegend(bool value) {
    SetBooleanProperty(value, FVisibleInLegend, &TiPlotObject::DoChange);
}

TiPlotXAxis* TiPlotChannelCustom::GetXAxis() const {
    return Plot() != nullptr ? Plot()->GetXAxisByName(FXAxisName) : nullptr;
}

TiPlotYAxis* TiPlotChannelCustom::GetYAxis() const {
    return Plot() != nullptr ? Plot()->GetYAxisByName(FYAxisName) : nullptr;
}

bool TiPlotChannelCustom::GetPopupCenter(TPoint& center) const {
    center = {(FLegendRect.Left + FLegendRect.Right) / 2,
              (FLegendRect.Top + FLegendRect.Bottom) / 2};
    return true;
}

}  // namespace dsp

#pragma once
// TiPlotLimit: the base of the plot's limits (lines and bands on two named axes). What the
// plot's frame needs of a limit lives here: its axis names, which the limit manager sets on a
// new limit, and whether it is a filled band (drawn before the data view's grid of its layer).
// Drawing and dragging come with the limit class itself.

#include <string>

#include "plot/engine/iPlotObjects.h"

namespace dsp {

class TiPlotLimit : public TiPlotManagerObject {
public:
    TiPlotLimit(TObject* owner, TNotifyEvent onChange, TNotifyEvent onInsert, TNotifyEvent onRemove,
                TNotifyEvent onRename);

    TiPlotObjectKind Kind() const override { return TiPlotObjectKind::Limit; }

    const std::string& XAxisName() const { return FXAxisName; }
    virtual void SetXAxisName(const std::string& value);
    const std::string& YAxisName() const { return FYAxisName; }
    virtual void SetYAxisName(const std::string& value);
    // A band filled with a brush: drawn below the data view's grid of the same layer.
    virtual bool HasFill() const { return false; }

protected:
    std::string FXAxisName;
    std::string FYAxisName;
};

}  // namespace dsp

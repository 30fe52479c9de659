#pragma once
// TiPlotTable: the base of the plot's tables, a layout object placed along a side of the data
// view. Columns, rows and drawing come with the table class itself.

#include "plot/engine/iPlotObjects.h"

namespace dsp {

class TiPlotTable : public TiPlotLayoutObject {
public:
    using TiPlotLayoutObject::TiPlotLayoutObject;
    TiPlotObjectKind Kind() const override { return TiPlotObjectKind::Table; }
};

}  // namespace dsp

#include "plot/engine/iPlotDecorServices.h"

namespace dsp {

namespace {
IPlotDecorServices* services = nullptr;
}  // namespace

IPlotDecorServices* PlotDecorServices() { return services; }

IPlotDecorServices* SetPlotDecorServices(IPlotDecorServices* value) {
    IPlotDecorServices* previous = services;
    services = value;
    return previous;
}

}  // namespace dsp

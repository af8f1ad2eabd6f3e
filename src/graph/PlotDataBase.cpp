#include "graph/PlotDataBase.h"

#include <algorithm>

#include "graph/Plotter.h"

namespace DUdido1 {

PlotDataBase::~PlotDataBase()
{
    // Copy: each plotter removes itself from the list as it lets go.
    const std::vector<Plotter*> plotters = plotters_;
    for (Plotter* plotter : plotters) {
        plotter->DataDestroyed(this);
    }
}

void PlotDataBase::AddPlotter(Plotter* plotter)
{
    if (plotter && std::find(plotters_.begin(), plotters_.end(), plotter) == plotters_.end()) {
        plotters_.push_back(plotter);
    }
}

void PlotDataBase::RemovePlotter(Plotter* plotter)
{
    std::erase(plotters_, plotter);
}

void PlotDataBase::NotifyPlotters()
{
    for (Plotter* plotter : plotters_) {
        plotter->DataChanged();
    }
}

} // namespace DUdido1

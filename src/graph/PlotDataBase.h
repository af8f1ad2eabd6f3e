#pragma once

#include <vector>

namespace DUdido1 {

class Plotter;

// A data series that plotters read. It knows the plotters that draw it, so
// that a change repaints them, and lets them go when it is destroyed.
class PlotDataBase {
public:
    PlotDataBase() = default;
    PlotDataBase(const PlotDataBase&) = delete;
    PlotDataBase& operator=(const PlotDataBase&) = delete;
    virtual ~PlotDataBase();

    void AddPlotter(Plotter* plotter);
    void RemovePlotter(Plotter* plotter);

protected:
    // Tells every plotter of this data that it changed.
    void NotifyPlotters();

private:
    std::vector<Plotter*> plotters_;
};

} // namespace DUdido1

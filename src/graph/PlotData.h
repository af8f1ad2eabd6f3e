#pragma once

#include <cstdint>
#include <vector>

#include "graph/PlotDataBase.h"

namespace DUdido1 {

// A series of (x, y) points in data units.
class PlotData : public PlotDataBase {
public:
    virtual std::int64_t PointCount() const = 0;
    virtual double X(std::int64_t index) const = 0;
    virtual double Y(std::int64_t index) const = 0;
};

// Points held in two vectors of the same length.
class VectorPlotData : public PlotData {
public:
    // The shorter vector decides how many points there are.
    void SetPoints(std::vector<double> xs, std::vector<double> ys);

    std::int64_t PointCount() const override { return static_cast<std::int64_t>(xs_.size()); }
    double X(std::int64_t index) const override { return xs_[static_cast<std::size_t>(index)]; }
    double Y(std::int64_t index) const override { return ys_[static_cast<std::size_t>(index)]; }

private:
    std::vector<double> xs_;
    std::vector<double> ys_;
};

} // namespace DUdido1

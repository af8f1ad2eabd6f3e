#include "graph/PlotData.h"

#include <algorithm>

namespace DUdido1 {

void VectorPlotData::SetPoints(std::vector<double> xs, std::vector<double> ys)
{
    const std::size_t count = std::min(xs.size(), ys.size());
    xs.resize(count);
    ys.resize(count);
    xs_ = std::move(xs);
    ys_ = std::move(ys);
    NotifyPlotters();
}

} // namespace DUdido1

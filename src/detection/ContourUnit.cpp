#include "detection/ContourUnit.h"

#include <algorithm>

namespace Nerolith {

ContourUnit::ContourUnit(UnitRecord record) : SpikeUnit(kContourUnit, std::move(record))
{
}

bool ContourUnit::Test(std::span<const float>, double height, double widthMs, std::int32_t, double&) const
{
    const float h = static_cast<float>(height);
    const float w = static_cast<float>(widthMs);
    const std::vector<double>& xs = Widths();
    const std::vector<double>& ys = Heights();
    const std::size_t n = std::min(xs.size(), ys.size());
    bool inside = false;
    for (std::size_t i = 0, j = n - 1; i < n; j = i++) {
        if ((h < ys[i]) != (h < ys[j])) {
            const double x = (h - ys[i]) * (xs[j] - xs[i]) / (ys[j] - ys[i]) + xs[i];
            if (x > w) {
                inside = !inside;
            }
        }
    }
    return inside;
}

} // namespace Nerolith

#include "histograms/GraphRanges.h"

#include <algorithm>
#include <cmath>

#include "histograms/BinRules.h"

namespace Nerolith {

RangeChange ExtendY(double highest, double highestInView, const AxisRanges& y)
{
    RangeChange change;
    if (highest > y.data.second) {
        change.data = AxisExtent{y.data.first, highest};
    }
    if (highestInView > y.visible.second) {
        change.visible = AxisExtent{y.visible.first, highestInView};
    }
    return change;
}

RangeChange ExtendX(double x, double binSize, const AxisRanges& xAxis, bool autoScale)
{
    RangeChange change;
    const std::optional<std::int64_t> bin = BinFloor(x / binSize);
    if (!bin) {
        return change;
    }
    // Up to the upper edge of x's bin, so that a value on a lower edge shows
    // its bin too.
    const double lower = static_cast<double>(*bin) * binSize;
    const double upper = static_cast<double>(*bin + 1) * binSize;
    AxisExtent data = xAxis.data;
    data.first = std::min(data.first, lower);
    data.second = std::max(data.second, upper);
    if (data == xAxis.data) {
        return change;
    }
    change.data = data;
    const bool showedAll = std::fabs(xAxis.visible.first - xAxis.data.first) <= binSize &&
                           std::fabs(xAxis.visible.second - xAxis.data.second) <= binSize;
    if (showedAll && autoScale) {
        change.visible = data;
    }
    return change;
}

void UnchangingX::Add(double x, const AxisExtent& data, double binSize)
{
    // Only a value that has a bin: one without (too large for the bin size)
    // also changes nothing, but bounds no others.
    if (!BinFloor(x / binSize)) {
        return;
    }
    if (data != data_ || binSize != binSize_) {
        data_ = data;
        binSize_ = binSize;
        low_ = x;
        high_ = x;
        return;
    }
    low_ = std::min(low_, x);
    high_ = std::max(high_, x);
}

} // namespace Nerolith

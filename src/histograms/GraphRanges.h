#pragma once

#include <optional>
#include <utility>

namespace Nerolith {

using AxisExtent = std::pair<double, double>;

// A graph axis as a histogram follows its data: the data range (what the
// autoscale button restores) and the visible range.
struct AxisRanges {
    AxisExtent data{0.0, 1.0};
    AxisExtent visible{0.0, 1.0};
};

// What an extension changes; an empty field stays as it is.
struct RangeChange {
    std::optional<AxisExtent> data;
    std::optional<AxisExtent> visible;

    bool Any() const { return data || visible; }
};

// The Y axis after counting: the data range grows to the highest count
// reached, the visible range to the highest count reached by a value in
// view (0 when none was).
RangeChange ExtendY(double highest, double highestInView, const AxisRanges& y);

// The X axis after a value x was counted with bins of binSize: the data
// range grows to the edges of x's bin. The visible range follows when it
// showed (within a bin at each end) the whole data range and autoScale is on.
RangeChange ExtendX(double x, double binSize, const AxisRanges& xAxis, bool autoScale);

} // namespace Nerolith

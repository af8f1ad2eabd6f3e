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

// The Y axis after a bin at x reached count c: the data range grows to c;
// the visible range grows too when x is in view (ends included).
RangeChange ExtendY(double x, double count, const AxisRanges& y, const AxisExtent& visibleX);

// The X axis after a value x was counted with bins of binSize: the data
// range grows to the edges of x's bin. The visible range follows when it
// showed (within a bin at each end) the whole data range and autoScale is on.
RangeChange ExtendX(double x, double binSize, const AxisRanges& xAxis, bool autoScale);

} // namespace Nerolith

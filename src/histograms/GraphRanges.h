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

// X values known to leave a data range as ExtendX finds it: every value
// between two that left it (with the bin size they were binned by), since
// a value's bin edges only move one way as the value grows. Most values of
// a correlogram lie within two bins of the lag window's ends, where the
// pane's quick test gives way to ExtendX's arithmetic.
class UnchangingX {
public:
    bool Covers(double x, const AxisExtent& data, double binSize) const
    {
        return x >= low_ && x <= high_ && data == data_ && binSize == binSize_;
    }
    // Takes x, for which ExtendX changed nothing; forgets what it knew of
    // another data range or bin size.
    void Add(double x, const AxisExtent& data, double binSize);

private:
    AxisExtent data_;
    double binSize_ = 0.0;
    // Empty until a value is added.
    double low_ = 1.0;
    double high_ = 0.0;
};

} // namespace Nerolith

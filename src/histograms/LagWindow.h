#pragma once

#include <cstdint>

#include "histograms/BinRules.h"

namespace Nerolith {

// The lags a correlation histogram counts: minimum <= lag < maximum, in bins
// that start at the minimum.
struct LagWindow {
    double minimum = -1.0;
    double maximum = 1.0;

    // The lowest lag counted: the minimum, less the edge tolerance of the
    // bin rule.
    double LowestLag(double binSize) const { return minimum - BinRulesDetail::kEdgeTolerance * binSize; }

    // The bin of a lag; -1 outside the window.
    std::int64_t Bin(double lag, double binSize) const
    {
        return lag < maximum ? CountedBin((lag - minimum) / binSize) : -1;
    }
};

} // namespace Nerolith

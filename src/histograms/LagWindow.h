#pragma once

#include <cstdint>
#include <optional>

#include "histograms/BinRules.h"

namespace Nerolith {

// The lags a correlation histogram counts: minimum <= lag < maximum, in bins
// that start at the minimum.
struct LagWindow {
    double minimum = -1.0;
    double maximum = 1.0;

    // The bin of a lag; none outside the window.
    std::optional<std::int64_t> Bin(double lag, double binSize) const
    {
        if (!(lag < maximum)) {
            return std::nullopt;
        }
        const std::optional<std::int64_t> bin = BinFloor((lag - minimum) / binSize);
        return bin && *bin >= 0 ? bin : std::nullopt;
    }
};

} // namespace Nerolith

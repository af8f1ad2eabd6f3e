#include "histograms/BinRules.h"

#include <cmath>

namespace Nerolith {

namespace {

constexpr double kEdgeTolerance = 1e-9;
// Whole doubles up to here are exact, and fit an int64 with room to spare.
constexpr double kLargestQuotient = 4503599627370496.0; // 2^52

} // namespace

std::optional<std::int64_t> BinFloor(double quotient)
{
    if (!std::isfinite(quotient) || std::fabs(quotient) > kLargestQuotient) {
        return std::nullopt;
    }
    return static_cast<std::int64_t>(std::floor(quotient + kEdgeTolerance));
}

std::optional<std::int64_t> BinCeil(double quotient)
{
    if (!std::isfinite(quotient) || std::fabs(quotient) > kLargestQuotient) {
        return std::nullopt;
    }
    return static_cast<std::int64_t>(std::ceil(quotient - kEdgeTolerance));
}

std::optional<std::int32_t> CountedBin(double quotient)
{
    const std::optional<std::int64_t> bin = BinFloor(quotient);
    if (!bin || *bin < 0 || *bin >= kMaxBins) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(*bin);
}

} // namespace Nerolith

#pragma once

#include <cmath>
#include <cstdint>
#include <optional>

namespace Nerolith {

// The most bins one page may hold (16 M counts, 64 MB). A value that would
// need more is not counted, so a tiny bin size cannot exhaust memory.
inline constexpr std::int32_t kMaxBins = 1 << 24;

namespace BinRulesDetail {
// A quotient this close below a whole number counts as that number.
inline constexpr double kEdgeTolerance = 1e-9;
// Whole doubles up to here are exact, and fit an int64 with room to spare.
inline constexpr double kLargestQuotient = 4503599627370496.0; // 2^52
} // namespace BinRulesDetail

// floor(q) as a whole number, where a quotient within a billionth of a bin
// below a whole number counts as that number: decimal bin sizes are not
// exact in binary (0.3 / 0.1 is 2.9999999999999996), and a value on a bin
// edge must fall into the bin that starts there. None for a quotient that
// is not finite or too large to be a whole number exactly (beyond 2^52).
// Inline: correlations call it for every lag.
inline std::optional<std::int64_t> BinFloor(double quotient)
{
    if (!(std::fabs(quotient) <= BinRulesDetail::kLargestQuotient)) {
        return std::nullopt;
    }
    const double shifted = quotient + BinRulesDetail::kEdgeTolerance;
    auto whole = static_cast<std::int64_t>(shifted);
    if (static_cast<double>(whole) > shifted) {
        --whole;
    }
    return whole;
}

// BinFloor for the counting loops: -1 for any quotient below bin 0, not
// finite or too large (a plain integer keeps the loop free of the stack
// traffic an optional costs there).
inline std::int64_t CountedBin(double quotient)
{
    if (!(quotient >= -BinRulesDetail::kEdgeTolerance && quotient <= BinRulesDetail::kLargestQuotient)) {
        return -1;
    }
    // Not negative here, so the conversion's truncation is the floor.
    return static_cast<std::int64_t>(quotient + BinRulesDetail::kEdgeTolerance);
}

// The matching ceiling: a quotient within a billionth above a whole number
// counts as that number.
inline std::optional<std::int64_t> BinCeil(double quotient)
{
    const std::optional<std::int64_t> below = BinFloor(-quotient);
    if (!below) {
        return std::nullopt;
    }
    return -*below;
}

} // namespace Nerolith

#pragma once

#include <cstdint>
#include <optional>

namespace Nerolith {

// The most bins one page may hold (16 M counts, 64 MB). A value that would
// need more is not counted, so a tiny bin size cannot exhaust memory.
inline constexpr std::int32_t kMaxBins = 1 << 24;

// floor(q) as a whole number, where a quotient within a billionth of a bin
// below a whole number counts as that number: decimal bin sizes are not
// exact in binary (0.3 / 0.1 is 2.9999999999999996), and a value on a bin
// edge must fall into the bin that starts there. None for a quotient that
// is not finite or too large to be a whole number exactly (beyond 2^52).
std::optional<std::int64_t> BinFloor(double quotient);
// The matching ceiling: a quotient within a billionth above a whole number
// counts as that number.
std::optional<std::int64_t> BinCeil(double quotient);

// The bin counted for a quotient (value minus the first bin's edge, over the
// bin size): none below bin 0 or beyond the largest page.
std::optional<std::int32_t> CountedBin(double quotient);

} // namespace Nerolith

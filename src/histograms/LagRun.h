#pragma once

#include <cstddef>
#include <span>

#include "histograms/HistogramPages.h"
#include "histograms/LagWindow.h"

namespace Nerolith {

// Room a lag run needs in its output beyond one value per time: the vector
// loop writes whole registers.
inline constexpr std::size_t kLagRunSlack = 8;

// The lags from `reference` to a run of times in time order, binned: the
// leading times whose lag is below the window's lowest lag are passed over,
// and the run ends at the first lag at or past the maximum. Writes each lag
// with its bin (-1 when it has none) to `out`, which holds at least
// times.size() + kLagRunSlack values, and returns how many it wrote.
std::size_t BinLagRun(std::span<const double> times, double reference, const LagWindow& window, double binSize,
                      BinnedValue* out);

// The same one lag at a time, which BinLagRun takes where the processor
// lacks AVX-512.
std::size_t BinLagRunEach(std::span<const double> times, double reference, const LagWindow& window, double binSize,
                          BinnedValue* out);

// How many leading times have a lag from `reference` below `limit`: the
// times a queue in time order can drop once no later reference wants them.
std::size_t CountLeadingLagsBelow(std::span<const double> times, double reference, double limit);

} // namespace Nerolith

#pragma once

#include <utility>

#include "detection/SpikeTable.h"

namespace Nerolith {

using AxisExtent = std::pair<double, double>;

// The scatter plot's default extents: widths (ms) and heights (channel
// units, widened to take in the threshold), each centred on its data and
// twice as wide as the data's span, the widths' cut off at 0.
struct ScatterExtents {
    AxisExtent width;
    AxisExtent height;
};

// What a plot without spikes shows.
inline constexpr AxisExtent kInitialWidthExtent{0.0, 10.0};
inline constexpr AxisExtent kInitialHeightExtent{0.0, 1.0};

// A span that comes out empty (one spike, all spikes alike, no spikes and a
// zero threshold) falls back to a tenth of the value around it, and when that
// is zero too, to the initial extent, so the plot never gets an empty or
// inverted axis.
ScatterExtents DefaultScatterExtents(const SpikeExtents& spikes, double threshold);

} // namespace Nerolith

#pragma once

#include <cstdint>
#include <vector>

namespace Desk::ui {

// Where an axis puts its ticks: at the multiples of a step of 1, 2 or 5
// times a power of ten that lie inside the extent, the smallest such step
// keeping ticks at least minSpacing pixels apart.
struct TickLayout {
    double step = 0.0;
    // The tick values, and their pixel offsets from the axis origin, in the
    // order of the offsets.
    std::vector<double> values;
    std::vector<std::int32_t> offsets;
    // Pixels between neighbouring ticks.
    double pixelStep = 0.0;
};

// The smallest 1-2-5 step at or above rawStep (which must be positive and
// finite).
double NiceStep(double rawStep);

// Offsets count from the minimum (growing) or, with fromMaximum, from the
// maximum, as a vertical axis counts from its top. An extent below 2 pixels
// or an empty range gets no ticks.
TickLayout LayoutTicks(double minimum, double maximum, std::int32_t pixelExtent, std::int32_t minSpacing,
                       bool fromMaximum);

} // namespace Desk::ui

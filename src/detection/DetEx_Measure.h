#pragma once

#include <span>

namespace Nerolith {

// A spike's height (channel units) and width (seconds).
struct SpikeShape {
    double height = 0.0;
    double width = 0.0;
};

// Height = the largest sample (at least 0); width = the time between the
// half-height crossings on either side of the peak, interpolated linearly.
SpikeShape MeasureMonophasic(std::span<const float> window, double sampleInterval);

// Height = peak minus the lowest sample after it; width = the time from the
// peak to that trough.
SpikeShape MeasureBiphasic(std::span<const float> window, double sampleInterval);

} // namespace Nerolith

#pragma once

#include <cstdint>
#include <vector>

namespace Desk {

// A biphasic extracellular spike: a positive peak, then a smaller, wider
// trough. Each phase is a smooth bump (1 - x^2)^3 over |x| < 1, which is
// pure arithmetic and so the same on every machine.
struct DemoSpikeShape {
    double peak = 0;           // mV
    double peakHalfWidth = 0;  // ms, where the peak's bump reaches 0
    double trough = 0;         // mV, depth below 0
    double troughDelay = 0;    // ms from the peak
    double troughHalfWidth = 0;

    double At(double ms) const;
};

// The shape sampled at 20 kHz, scaled, with the peak lying `fraction` of a
// tick after a sample (0 <= fraction < 1).
struct SampledSpike {
    std::vector<double> samples;
    std::int32_t peakIndex = 0; // the largest sample
};

SampledSpike SampleSpike(const DemoSpikeShape& shape, double scale, double fraction);

} // namespace Desk

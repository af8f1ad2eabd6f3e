#include "detection/DetEx_Measure.h"

#include <cstddef>

namespace Nerolith {
namespace {

struct Peak {
    double value = 0.0;
    std::size_t index = 0;
};

// The earliest largest sample; 0.0 at index 0 when no sample is above 0.
Peak FindPeak(std::span<const float> x)
{
    Peak peak;
    for (std::size_t i = 0; i < x.size(); ++i) {
        if (x[i] > peak.value) {
            peak = {x[i], i};
        }
    }
    return peak;
}

// Walks down from the peak to the first sample below half height.
double LeftCrossing(std::span<const float> x, const Peak& peak, double half)
{
    double right = 0.0;
    for (std::size_t i = peak.index + 1; i-- > 0;) {
        const double xi = x[i];
        if (xi < half) {
            return static_cast<double>(i) + (half - xi) / (right - xi);
        }
        right = xi;
    }
    return 0.0;
}

// Walks up from the peak to the first sample below half height; the peak
// sample itself is at or above it (the caller makes sure).
double RightCrossing(std::span<const float> x, const Peak& peak, double half)
{
    for (std::size_t i = peak.index + 1; i < x.size(); ++i) {
        const double xi = x[i];
        if (xi < half) {
            const double xj = x[i - 1];
            return static_cast<double>(i - 1) + (half - xj) / (xi - xj);
        }
    }
    return static_cast<double>(x.size() - 1);
}

} // namespace

SpikeShape MeasureMonophasic(std::span<const float> window, double sampleInterval)
{
    const Peak peak = FindPeak(window);
    const double half = peak.value * 0.5;
    // Only a window with nothing above 0 and a negative first sample has its
    // "peak" below half height; it has no crossings to measure.
    if (window.empty() || window[peak.index] < half) {
        return {peak.value, 0.0};
    }
    const double left = LeftCrossing(window, peak, half);
    const double right = RightCrossing(window, peak, half);
    return {peak.value, (right - left) * sampleInterval};
}

SpikeShape MeasureBiphasic(std::span<const float> window, double sampleInterval)
{
    const Peak peak = FindPeak(window);
    Peak trough = peak;
    for (std::size_t i = peak.index; i < window.size(); ++i) {
        if (window[i] < trough.value) {
            trough = {window[i], i};
        }
    }
    return {peak.value - trough.value,
            static_cast<double>(trough.index - peak.index) * sampleInterval};
}

} // namespace Nerolith

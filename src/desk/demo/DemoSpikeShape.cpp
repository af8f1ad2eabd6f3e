#include "desk/demo/DemoSpikeShape.h"

#include <algorithm>
#include <cmath>

#include "desk/demo/DemoRecording.h"

namespace Desk {
namespace {

double Bump(double x)
{
    if (x <= -1 || x >= 1) {
        return 0;
    }
    const double y = 1 - x * x;
    return y * y * y;
}

} // namespace

double DemoSpikeShape::At(double ms) const
{
    return peak * Bump(ms / peakHalfWidth) - trough * Bump((ms - troughDelay) / troughHalfWidth);
}

SampledSpike SampleSpike(const DemoSpikeShape& shape, double scale, double fraction)
{
    constexpr double kTickMs = 1000.0 / kDemoSampleRate;
    const auto before = static_cast<std::int32_t>(std::ceil(shape.peakHalfWidth / kTickMs)) + 1;
    const auto after = static_cast<std::int32_t>(std::ceil((shape.troughDelay + shape.troughHalfWidth) / kTickMs)) + 1;
    SampledSpike spike;
    for (std::int32_t k = -before; k <= after; ++k) {
        spike.samples.push_back(scale * shape.At((k - fraction) * kTickMs));
    }
    spike.peakIndex = static_cast<std::int32_t>(std::max_element(spike.samples.begin(), spike.samples.end())
                                                - spike.samples.begin());
    return spike;
}

} // namespace Desk

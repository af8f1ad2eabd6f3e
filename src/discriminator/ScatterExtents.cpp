#include "discriminator/ScatterExtents.h"

#include <algorithm>
#include <cmath>

namespace Nerolith {
namespace {

AxisExtent Centred(double minimum, double maximum, const AxisExtent& fallback)
{
    double half = maximum - minimum;
    if (!(half > 0.0)) {
        half = 0.1 * std::abs(maximum);
    }
    const double middle = 0.5 * (minimum + maximum);
    if (!(half > 0.0) || !std::isfinite(middle) || !std::isfinite(half)) {
        return fallback;
    }
    return {middle - half, middle + half};
}

} // namespace

ScatterExtents DefaultScatterExtents(const SpikeExtents& spikes, double threshold)
{
    const bool any = spikes.minWidth <= spikes.maxWidth;
    double minHeight = threshold;
    double maxHeight = threshold;
    if (any) {
        minHeight = std::min<double>(spikes.minHeight, threshold);
        maxHeight = std::max<double>(spikes.maxHeight, threshold);
    }
    AxisExtent width = any ? Centred(spikes.minWidth, spikes.maxWidth, kInitialWidthExtent) : kInitialWidthExtent;
    // A width is a duration: no room is kept for negative ones.
    width.first = std::max(width.first, 0.0);
    return {width, Centred(minHeight, maxHeight, kInitialHeightExtent)};
}

} // namespace Nerolith

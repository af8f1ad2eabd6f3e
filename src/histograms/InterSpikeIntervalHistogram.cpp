#include "histograms/InterSpikeIntervalHistogram.h"

namespace Nerolith {

void InterSpikeIntervalHistogram::AddSpike(std::int32_t unit, double t)
{
    if (unit != Unit() || PageCount() == 0) {
        return;
    }
    const double previous = previous_;
    previous_ = t;
    if (t < previous || previous < 0.0) {
        return;
    }
    CountAt(t - previous);
}

void InterSpikeIntervalHistogram::EndSegment()
{
    Reset();
}

void InterSpikeIntervalHistogram::Reset()
{
    previous_ = -1.0;
}

} // namespace Nerolith

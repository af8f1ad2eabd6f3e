#pragma once

#include "histograms/HistogramPane.h"

namespace Nerolith {

// The intervals between successive spikes of a unit.
class InterSpikeIntervalHistogram : public HistogramPane {
public:
    using HistogramPane::HistogramPane;

    // Counts the interval since the unit's previous spike. A spike earlier
    // than its predecessor (a new block's times start again from zero)
    // restarts the run without an interval.
    void AddSpike(std::int32_t unit, double t) override;
    // A block ended: its times do not continue into the next block, so no
    // interval spans the end.
    void EndSegment() override;
    void Reset() override;

private:
    double previous_ = -1.0;
};

} // namespace Nerolith

#pragma once

#include <cstddef>

#include "histograms/HistogramPane.h"
#include "histograms/TimeBuffer.h"

namespace Nerolith {

// The latencies of a unit's spikes to the latest stimulus, from minus the
// pre-stimulus time (the X origin, which the view sets) on. A sweep runs
// until the next stimulus; a spike in the pre-stimulus window of the next
// stimulus counts for both sweeps.
class PSTH : public HistogramPane {
public:
    using HistogramPane::HistogramPane;

    // A stimulus: the buffered spikes are counted against it afresh, at the
    // next spike (so that those before a stimulus that opens a page go on
    // that page) or when the segment ends.
    void SetReferenceTime(double t) override;
    void AddSpike(std::int32_t unit, double t) override;
    void HoldSpike(std::int32_t unit, double t) override;
    // Counts what is pending, then forgets the block's spikes.
    void EndSegment() override;
    void Reset() override;
    void ShowTime(double t) override;

    std::size_t BufferedSpikes() const { return spikes_.Size(); }

private:
    void CountPending();

    // Spike times (seconds from the start of their block), oldest first.
    TimeBuffer spikes_;
    // The first spike not yet counted against the current stimulus.
    std::size_t next_ = 0;
};

} // namespace Nerolith

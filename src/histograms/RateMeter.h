#pragma once

#include "histograms/HistogramPane.h"

namespace Nerolith {

// A unit's spikes over the time since the page began; a page that spans
// several blocks runs its time on across them.
class RateMeter : public HistogramPane {
public:
    using HistogramPane::HistogramPane;

    void AddSpike(std::int32_t unit, double t) override;
    // Lets the time axis follow the data while no spike arrives.
    void ShowTime(double t) override;
};

} // namespace Nerolith

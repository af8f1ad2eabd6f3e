#pragma once

#include <vector>

#include "histograms/CorrelationHistogram.h"
#include "histograms/TimeBuffer.h"

namespace Nerolith {

// The lags from each event of the reference source (reaching the pane as
// spikes of unit -3) to the spikes of a unit, within the lag window.
class CrossCorrelationHistogram final : public CorrelationHistogram {
public:
    CrossCorrelationHistogram(platform::ui::TWindow* parent, PaneOwner& owner, std::int32_t unit,
                              const Host::UnitDescription& description);

    void AddSpike(std::int32_t unit, double t) override;
    void Flush() override;
    // Empties both buffers; the lag window as the base takes it.
    void Reset() override;

private:
    void Correlate(bool final) override;

    // Page times, oldest first.
    TimeBuffer spikes_;
    TimeBuffer references_;
};

} // namespace Nerolith

#pragma once

#include <cstddef>
#include <vector>

#include "histograms/CorrelationHistogram.h"
#include "histograms/TimeBuffer.h"

namespace Nerolith {

// The lags from each spike of a unit to the unit's other spikes, within the
// lag window. A spike is never paired with itself.
class AutoCorrelationHistogram final : public CorrelationHistogram {
public:
    AutoCorrelationHistogram(platform::ui::TWindow* parent, PaneOwner& owner, std::int32_t unit,
                             const Host::UnitDescription& description);

    void AddSpike(std::int32_t unit, double t) override;
    void Flush() override;
    // Empties the buffer; the lag window as the base takes it.
    void Reset() override;

private:
    void Correlate(bool final) override;

    // Page times of the unit's spikes, oldest first.
    TimeBuffer spikes_;
    // The next spike to be used as reference.
    std::size_t next_ = 0;
};

} // namespace Nerolith

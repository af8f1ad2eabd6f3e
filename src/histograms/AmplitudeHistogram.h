#pragma once

#include "histograms/HistogramPane.h"

namespace Nerolith {

// Spike heights of a unit, in the channel's units, from 0 up.
class AmplitudeHistogram : public HistogramPane {
public:
    AmplitudeHistogram(platform::ui::TWindow* parent, PaneOwner& owner, std::int32_t unit,
                       const Host::UnitDescription& description);

    // A negative height is not counted.
    void AddSpike(std::int32_t unit, double height) override;
    // The channel's units, shown on the X axis.
    void SetUnits(const VEX::String& text) override;
    void ResetAxes() override;

private:
    VEX::String units_;
};

} // namespace Nerolith

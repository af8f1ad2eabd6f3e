#pragma once

#include <vector>

#include "detection/SpikeUnit.h"

namespace Nerolith {

// The waveform of one chosen spike; a spike belongs to the unit when the
// root-mean-square difference of its window from the template is below the
// unit's fit tolerance.
class TemplateUnit final : public SpikeUnit {
public:
    // `record` carries number, name, colour, channel, fit tolerance and the
    // spike the template was taken from; `waveform` is in the channel's own
    // polarity.
    TemplateUnit(UnitRecord record, std::vector<float> waveform);

    const std::vector<float>& Waveform() const { return waveform_; }

    // Steps through window and template in the ratio of their lengths; for
    // negative spikes (signal mode 1) the template is negated to match the
    // detector's window. The distance is the RMS difference; it matches only
    // when strictly below the fit tolerance.
    bool Test(std::span<const float> window, double height, double widthMs, std::int32_t signalMode,
              double& distance) const override;

private:
    std::vector<float> waveform_;
};

} // namespace Nerolith

#include "detection/TemplateUnit.h"

#include <cmath>

#include "detection/ContinuedFraction.h"

namespace Nerolith {

TemplateUnit::TemplateUnit(UnitRecord record, std::vector<float> waveform)
    : SpikeUnit(kTemplateUnit, std::move(record)), waveform_(std::move(waveform))
{
}

bool TemplateUnit::Test(std::span<const float> window, double, double, std::int32_t signalMode,
                        double& distance) const
{
    const std::size_t n = window.size();
    const std::size_t m = waveform_.size();
    if (n == 0 || m == 0) {
        return false;
    }
    const Fraction step = ContinuedFraction(static_cast<double>(n) / static_cast<double>(m));
    if (step.numerator < 1 || step.denominator < 1) {
        return false;
    }
    const float scale = signalMode == 1 ? -1.0f : 1.0f;
    double sum = 0.0;
    std::size_t count = 0;
    for (std::size_t i = 0, k = 0; i < n && k < m;
         i += static_cast<std::size_t>(step.numerator), k += static_cast<std::size_t>(step.denominator)) {
        const float d = window[i] - waveform_[k] * scale;
        sum += static_cast<double>(d) * d;
        ++count;
    }
    const double rms = std::sqrt(sum / static_cast<double>(count));
    distance = rms;
    return rms < FitTolerance();
}

} // namespace Nerolith

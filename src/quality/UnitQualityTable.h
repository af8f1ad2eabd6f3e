#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "host/UnitQuality.h"

namespace Nerolith {

// The analysed stretch of one block, in seconds from the block's start.
struct AnalysedSpan {
    std::int32_t block = 0;
    double startS = 0.0;
    double endS = 0.0;
};

// The spikes of one channel as the quality figures need them: parallel
// arrays in block and time order, and the analysed stretches they come from.
struct QualityInput {
    std::span<const float> heights;
    std::span<const float> widths;
    std::span<const std::int32_t> blocks;
    std::span<const double> times; // seconds from the block's start
    std::span<const std::int32_t> units; // unit number, -1 for none
    std::vector<AnalysedSpan> spans;
    double noiseSigma = Host::UnitQuality::kAbsent; // median(|x|)/0.6745 of the analysed range
    double censoredS = 0.0; // no two spikes are detected closer than this
};

// The figures of each unit in `units` (number and name filled in), in that
// order, under the settings' refractory period and presence bin, with the
// warnings their thresholds give.
void MeasureUnitQuality(const QualityInput& input, const Host::QualitySettings& settings,
                        std::vector<Host::UnitQuality>& units);

// The figures of a unit past the settings' warning thresholds, as
// Host::QualityWarning bits; an absent figure warns of nothing.
std::uint32_t QualityWarnings(const Host::UnitQuality& unit, const Host::QualitySettings& settings);

} // namespace Nerolith

#include "quality/UnitQualityTable.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <unordered_map>

#include "quality/ClusterIsolation.h"
#include "quality/RefractoryViolations.h"

namespace Nerolith {
namespace {

// What one pass over the spikes gathers for a unit.
struct UnitTally {
    std::int64_t spikes = 0;
    RefractoryCount refractory;
    std::int32_t lastBlock = -1;
    double lastTime = 0.0;
    double sumHeight = 0.0;
    std::vector<bool> occupiedBins;
};

// The first bin of each span in one run of bins over all spans.
struct PresenceBins {
    std::vector<std::size_t> firstBin; // indexed by position in `spans`
    std::unordered_map<std::int32_t, std::size_t> spanOfBlock;
    std::size_t total = 0;

    PresenceBins(const std::vector<AnalysedSpan>& spans, double binS)
    {
        for (std::size_t i = 0; i < spans.size(); ++i) {
            firstBin.push_back(total);
            spanOfBlock.emplace(spans[i].block, i);
            const double length = std::max(0.0, spans[i].endS - spans[i].startS);
            total += static_cast<std::size_t>(std::ceil(length / binS));
        }
    }

    // The bin of a spike, or none when it lies outside the analysed spans.
    std::optional<std::size_t> BinOf(const std::vector<AnalysedSpan>& spans, std::int32_t block, double time,
                                     double binS) const
    {
        const auto found = spanOfBlock.find(block);
        if (found == spanOfBlock.end()) {
            return std::nullopt;
        }
        const AnalysedSpan& span = spans[found->second];
        const std::size_t end = found->second + 1 < firstBin.size() ? firstBin[found->second + 1] : total;
        if (time < span.startS || end == firstBin[found->second]) {
            return std::nullopt;
        }
        const auto offset = static_cast<std::size_t>((time - span.startS) / binS);
        return std::min(firstBin[found->second] + offset, end - 1);
    }
};

double TotalDuration(const std::vector<AnalysedSpan>& spans)
{
    double total = 0.0;
    for (const AnalysedSpan& span : spans) {
        total += std::max(0.0, span.endS - span.startS);
    }
    return total;
}

void Tally(const QualityInput& input, const Host::QualitySettings& settings, const PresenceBins& bins,
           std::unordered_map<std::int32_t, UnitTally>& tallies)
{
    const double refractoryS = settings.refractoryMs / 1000.0;
    for (std::size_t i = 0; i < input.units.size(); ++i) {
        const auto found = tallies.find(input.units[i]);
        if (found == tallies.end()) {
            continue;
        }
        UnitTally& tally = found->second;
        const std::int32_t block = input.blocks[i];
        const double time = input.times[i];
        // Intervals run within a block only: blocks are separate stretches.
        if (tally.lastBlock == block) {
            ++tally.refractory.intervals;
            tally.refractory.violations += time - tally.lastTime < refractoryS ? 1 : 0;
        }
        tally.lastBlock = block;
        tally.lastTime = time;
        ++tally.spikes;
        tally.sumHeight += std::abs(static_cast<double>(input.heights[i]));
        if (const auto bin = bins.BinOf(input.spans, block, time, settings.presenceBinS)) {
            tally.occupiedBins[*bin] = true;
        }
    }
}

void FillIsolation(const QualityInput& input, Host::UnitQuality& unit)
{
    std::vector<std::uint8_t> inCluster(input.units.size());
    std::transform(input.units.begin(), input.units.end(), inCluster.begin(),
                   [&unit](std::int32_t number) { return number == unit.number ? 1 : 0; });
    const ClusterIsolation isolation = MeasureIsolation(input.heights, input.widths, inCluster);
    unit.isolationDistance = isolation.isolationDistance;
    unit.lRatio = isolation.lRatio;
}

} // namespace

void MeasureUnitQuality(const QualityInput& input, const Host::QualitySettings& settings,
                        std::vector<Host::UnitQuality>& units)
{
    const PresenceBins bins(input.spans, settings.presenceBinS);
    std::unordered_map<std::int32_t, UnitTally> tallies;
    for (const Host::UnitQuality& unit : units) {
        tallies[unit.number].occupiedBins.assign(bins.total, false);
    }
    Tally(input, settings, bins, tallies);
    const double duration = TotalDuration(input.spans);
    for (Host::UnitQuality& unit : units) {
        const UnitTally& tally = tallies[unit.number];
        unit.spikes = tally.spikes;
        unit.refractoryViolations = tally.refractory.violations;
        unit.refractoryFraction = tally.refractory.intervals > 0
                                      ? static_cast<double>(tally.refractory.violations) / tally.refractory.intervals
                                      : Host::UnitQuality::kAbsent;
        unit.contamination = HillContamination(tally.refractory.violations, tally.spikes, duration,
                                               settings.refractoryMs / 1000.0, input.censoredS);
        unit.snr = tally.spikes > 0 && input.noiseSigma > 0.0
                       ? tally.sumHeight / static_cast<double>(tally.spikes) / input.noiseSigma
                       : Host::UnitQuality::kAbsent;
        unit.presence = bins.total > 0 ? static_cast<double>(std::count(tally.occupiedBins.begin(),
                                                                        tally.occupiedBins.end(), true)) /
                                             static_cast<double>(bins.total)
                                       : Host::UnitQuality::kAbsent;
        FillIsolation(input, unit);
        unit.warnings = QualityWarnings(unit, settings);
    }
}

std::uint32_t QualityWarnings(const Host::UnitQuality& unit, const Host::QualitySettings& settings)
{
    // NaN compares false, so an absent figure never warns.
    std::uint32_t warnings = 0;
    warnings |= unit.refractoryFraction > settings.maxRefractoryFraction ? Host::kWarnRefractory : 0u;
    warnings |= unit.isolationDistance < settings.minIsolationDistance ? Host::kWarnIsolation : 0u;
    warnings |= unit.lRatio > settings.maxLRatio ? Host::kWarnLRatio : 0u;
    warnings |= unit.snr < settings.minSnr ? Host::kWarnSnr : 0u;
    warnings |= unit.presence < settings.minPresence ? Host::kWarnPresence : 0u;
    return warnings;
}

} // namespace Nerolith

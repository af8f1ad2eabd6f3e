#include "quality/CorrelogramStatistics.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <random>

#include <boost/math/distributions/poisson.hpp>

namespace Nerolith {
namespace {

// Adds the lags of one reference spike at `at` (its index `self` in the
// target train for an autocorrelogram) to the counts; `first` is where the
// previous reference spike's window began, and moves on monotonically.
void CountAround(double at, std::span<const double> target, const LagBins& bins, std::size_t self,
                 std::size_t& first, std::vector<double>& counts)
{
    const double from = at + bins.start;
    const double to = from + bins.width * static_cast<double>(bins.count);
    while (first < target.size() && target[first] < from) {
        ++first;
    }
    for (std::size_t j = first; j < target.size() && target[j] < to; ++j) {
        if (j == self) {
            continue;
        }
        const auto bin = static_cast<std::size_t>((target[j] - from) / bins.width);
        counts[std::min(bin, bins.count - 1)] += 1.0;
    }
}

double Quantile(std::vector<double>& values, double p)
{
    const auto at = static_cast<std::size_t>(std::clamp(p, 0.0, 1.0) * static_cast<double>(values.size() - 1) + 0.5);
    std::nth_element(values.begin(), values.begin() + static_cast<std::ptrdiff_t>(at), values.end());
    return values[at];
}

} // namespace

std::vector<double> CountCorrelogram(std::span<const double> reference, std::span<const double> target,
                                     const LagBins& bins, bool autocorrelation)
{
    std::vector<double> counts(bins.count, 0.0);
    if (bins.count == 0 || !(bins.width > 0.0)) {
        return counts;
    }
    std::size_t first = 0;
    const std::size_t none = std::numeric_limits<std::size_t>::max();
    for (std::size_t i = 0; i < reference.size(); ++i) {
        CountAround(reference[i], target, bins, autocorrelation ? i : none, first, counts);
    }
    return counts;
}

CorrelogramBand PoissonBand(std::size_t referenceCount, std::size_t targetCount, double durationS,
                            const LagBins& bins, bool autocorrelation, double confidence)
{
    CorrelogramBand band;
    const double pairs = static_cast<double>(referenceCount) *
                         static_cast<double>(autocorrelation && targetCount > 0 ? targetCount - 1 : targetCount);
    const double mean = durationS > 0.0 ? pairs * bins.width / durationS : 0.0;
    double lower = 0.0;
    double upper = 0.0;
    if (mean > 0.0) {
        const boost::math::poisson_distribution<double> counts(mean);
        const double tail = (1.0 - confidence) / 2.0;
        lower = boost::math::quantile(counts, tail);
        upper = boost::math::quantile(boost::math::complement(counts, tail));
    }
    band.expected.assign(bins.count, mean);
    band.lower.assign(bins.count, lower);
    band.upper.assign(bins.count, upper);
    return band;
}

CorrelogramBand JitterBand(std::span<const double> reference, std::span<const double> target, const LagBins& bins,
                           bool autocorrelation, const JitterResampling& resampling, double confidence)
{
    CorrelogramBand band;
    const std::size_t rounds = static_cast<std::size_t>(std::max(resampling.rounds, 1));
    std::vector<std::vector<double>> perBin(bins.count, std::vector<double>(rounds));
    std::mt19937_64 random(resampling.seed);
    std::uniform_real_distribution<double> shift(-resampling.jitterS, resampling.jitterS);
    std::vector<double> jittered(target.begin(), target.end());
    for (std::size_t round = 0; round < rounds; ++round) {
        for (std::size_t i = 0; i < target.size(); ++i) {
            jittered[i] = target[i] + shift(random);
        }
        std::sort(jittered.begin(), jittered.end());
        const std::vector<double> counts = autocorrelation ? CountCorrelogram(jittered, jittered, bins, true)
                                                           : CountCorrelogram(reference, jittered, bins, false);
        for (std::size_t bin = 0; bin < bins.count; ++bin) {
            perBin[bin][round] = counts[bin];
        }
    }
    const double tail = (1.0 - confidence) / 2.0;
    for (std::vector<double>& values : perBin) {
        double sum = 0.0;
        for (double value : values) {
            sum += value;
        }
        band.expected.push_back(sum / static_cast<double>(rounds));
        band.lower.push_back(Quantile(values, tail));
        band.upper.push_back(Quantile(values, 1.0 - tail));
    }
    return band;
}

double CorrelogramScaling::operator()(double count) const
{
    switch (scale) {
    case CorrelogramScale::Counts:
        return count;
    case CorrelogramScale::Rate:
        return referenceCount > 0.0 && binWidth > 0.0 ? count / (referenceCount * binWidth) : 0.0;
    case CorrelogramScale::Coefficient: {
        const double bins = binWidth > 0.0 ? durationS / binWidth : 0.0;
        if (bins <= 0.0) {
            return 0.0;
        }
        // Spike trains binned at the bin width, each bin 0 or 1.
        const double p1 = std::min(referenceCount / bins, 1.0);
        const double p2 = std::min(targetCount / bins, 1.0);
        const double spread = std::sqrt(p1 * (1.0 - p1) * p2 * (1.0 - p2));
        return spread > 0.0 ? (count / bins - p1 * p2) / spread : 0.0;
    }
    }
    return count;
}

} // namespace Nerolith

#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace Nerolith {

// The lag bins of a correlogram: `count` bins of `width` seconds from
// `start` (lag = target time - reference time).
struct LagBins {
    double start = 0.0;
    double width = 0.0;
    std::size_t count = 0;
};

// Counts per lag bin of target spikes around each reference spike; both
// trains ascending, in seconds. For an autocorrelogram (the same train
// twice) a spike is not paired with itself.
std::vector<double> CountCorrelogram(std::span<const double> reference, std::span<const double> target,
                                     const LagBins& bins, bool autocorrelation);

// The expected count per bin and its pointwise limits.
struct CorrelogramBand {
    std::vector<double> expected;
    std::vector<double> lower;
    std::vector<double> upper;
};

inline constexpr double kBandConfidence = 0.99;

// Under independent Poisson firing at the trains' mean rates over
// `durationS`: the expected count N_ref N_target w / T in every bin
// (N (N - 1) w / T for an autocorrelogram), its limits the Poisson
// quantiles that leave (1 - confidence)/2 on each side.
CorrelogramBand PoissonBand(std::size_t referenceCount, std::size_t targetCount, double durationS,
                            const LagBins& bins, bool autocorrelation, double confidence = kBandConfidence);

// By resampling: `rounds` correlograms with every target spike moved
// uniformly within +-jitterS (the seed makes it repeatable); the expected
// count is their mean and the limits their pointwise quantiles. An
// autocorrelogram is that of the jittered train (`target`), no spike paired
// with itself.
struct JitterResampling {
    double jitterS = 0.02;
    std::int32_t rounds = 200;
    std::uint64_t seed = 1;
};
CorrelogramBand JitterBand(std::span<const double> reference, std::span<const double> target, const LagBins& bins,
                           bool autocorrelation, const JitterResampling& resampling,
                           double confidence = kBandConfidence);

// How a correlogram's counts are shown.
enum class CorrelogramScale {
    Counts,
    Rate,        // spikes/s: counts over (N_ref x bin width)
    Coefficient, // the correlation coefficient of the two trains binned at the bin width
};

// Maps counts (and band values alike: the map is linear) onto a scale.
struct CorrelogramScaling {
    CorrelogramScale scale = CorrelogramScale::Counts;
    double referenceCount = 0.0;
    double targetCount = 0.0;
    double durationS = 0.0;
    double binWidth = 0.0;

    double operator()(double count) const;
};

} // namespace Nerolith

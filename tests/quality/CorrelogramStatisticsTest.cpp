#include <cmath>
#include <random>
#include <vector>

#include <gtest/gtest.h>

#include "quality/CorrelogramStatistics.h"

namespace Nerolith {
namespace {

std::vector<double> PoissonTrain(double rate, double duration, std::mt19937_64& random)
{
    std::exponential_distribution<double> gap(rate);
    std::vector<double> times;
    for (double t = gap(random); t < duration; t += gap(random)) {
        times.push_back(t);
    }
    return times;
}

// Every pair, counted the slow way.
std::vector<double> BruteForce(const std::vector<double>& reference, const std::vector<double>& target,
                               const LagBins& bins, bool autocorrelation)
{
    std::vector<double> counts(bins.count, 0.0);
    for (std::size_t i = 0; i < reference.size(); ++i) {
        for (std::size_t j = 0; j < target.size(); ++j) {
            const double bin = std::floor((target[j] - reference[i] - bins.start) / bins.width);
            if ((autocorrelation && i == j) || bin < 0 || bin >= static_cast<double>(bins.count)) {
                continue;
            }
            counts[static_cast<std::size_t>(bin)] += 1.0;
        }
    }
    return counts;
}

TEST(CorrelogramStatistics, CountsEveryPairOnce)
{
    std::mt19937_64 random(3);
    const std::vector<double> a = PoissonTrain(30.0, 20.0, random);
    const std::vector<double> b = PoissonTrain(20.0, 20.0, random);
    const LagBins bins{-0.05, 0.001, 100};
    EXPECT_EQ(CountCorrelogram(a, b, bins, false), BruteForce(a, b, bins, false));
    EXPECT_EQ(CountCorrelogram(a, a, bins, true), BruteForce(a, a, bins, true));
}

// Independent Poisson trains stay inside the 99% band in about 99% of bins
// over many seeds; a target that follows 30% of the reference spikes 5 ms
// later leaves it at 5 ms.
TEST(CorrelogramStatistics, PoissonBandCoversIndependentTrainsAndNotACoupling)
{
    const LagBins bins{-0.05, 0.001, 100};
    const double duration = 60.0;
    std::size_t inside = 0, total = 0;
    for (std::uint64_t seed = 1; seed <= 200; ++seed) {
        std::mt19937_64 random(seed);
        const std::vector<double> reference = PoissonTrain(10.0, duration, random);
        const std::vector<double> target = PoissonTrain(15.0, duration, random);
        const std::vector<double> counts = CountCorrelogram(reference, target, bins, false);
        const CorrelogramBand band = PoissonBand(reference.size(), target.size(), duration, bins, false);
        for (std::size_t bin = 0; bin < bins.count; ++bin) {
            inside += counts[bin] >= band.lower[bin] && counts[bin] <= band.upper[bin] ? 1 : 0;
            ++total;
        }
    }
    const double coverage = static_cast<double>(inside) / static_cast<double>(total);
    EXPECT_GT(coverage, 0.985);
    EXPECT_LT(coverage, 0.9995) << "a band so wide it never misses";

    std::mt19937_64 random(77);
    const std::vector<double> reference = PoissonTrain(10.0, duration, random);
    std::vector<double> target = PoissonTrain(15.0, duration, random);
    std::bernoulli_distribution follows(0.3);
    for (double t : reference) {
        if (follows(random)) {
            target.push_back(t + 0.0055);
        }
    }
    std::sort(target.begin(), target.end());
    const std::vector<double> counts = CountCorrelogram(reference, target, bins, false);
    const CorrelogramBand poisson = PoissonBand(reference.size(), target.size(), duration, bins, false);
    const std::size_t coupled = 55; // the bin [5 ms, 6 ms)
    EXPECT_GT(counts[coupled], poisson.upper[coupled]);
    const CorrelogramBand jitter = JitterBand(reference, target, bins, false, {0.02, 200, 5});
    EXPECT_GT(counts[coupled], jitter.upper[coupled]);
    EXPECT_LE(counts[coupled - 20], jitter.upper[coupled - 20]);
    // The same seed gives the same band.
    EXPECT_EQ(JitterBand(reference, target, bins, false, {0.02, 200, 5}).upper, jitter.upper);
}

TEST(CorrelogramStatistics, ScalesAreLinearInTheCounts)
{
    const CorrelogramScaling rate{CorrelogramScale::Rate, 200.0, 300.0, 100.0, 0.002};
    EXPECT_DOUBLE_EQ(rate(4.0), 4.0 / (200.0 * 0.002));
    // Independent trains: the expected count N1 N2 w / T maps to 0.
    const CorrelogramScaling coefficient{CorrelogramScale::Coefficient, 200.0, 300.0, 100.0, 0.002};
    EXPECT_NEAR(coefficient(200.0 * 300.0 * 0.002 / 100.0), 0.0, 1e-12);
    // Identical trains at lag 0 count every spike: coefficient 1.
    const CorrelogramScaling same{CorrelogramScale::Coefficient, 200.0, 200.0, 100.0, 0.002};
    EXPECT_NEAR(same(200.0), 1.0, 1e-12);
    EXPECT_EQ(CorrelogramScaling{}(7.0), 7.0);
}

} // namespace
} // namespace Nerolith

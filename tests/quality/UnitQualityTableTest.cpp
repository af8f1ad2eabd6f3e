#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

#include <gtest/gtest.h>

#include "quality/ClusterIsolation.h"
#include "quality/RefractoryViolations.h"
#include "quality/UnitQualityTable.h"

namespace Nerolith {
namespace {

// A channel's spikes built by hand, turned into QualityInput on demand.
struct Train {
    std::vector<float> heights;
    std::vector<float> widths;
    std::vector<std::int32_t> blocks;
    std::vector<double> times;
    std::vector<std::int32_t> units;
    std::vector<AnalysedSpan> spans;

    void Add(std::int32_t unit, std::int32_t block, double time, float height = 1.0f, float width = 0.5f)
    {
        units.push_back(unit);
        blocks.push_back(block);
        times.push_back(time);
        heights.push_back(height);
        widths.push_back(width);
    }

    std::vector<Host::UnitQuality> Measure(std::vector<std::int32_t> numbers, double sigma = 0.1,
                                           Host::QualitySettings settings = {}) const
    {
        QualityInput input{heights, widths, blocks, times, units, spans, sigma, 0.0};
        std::vector<Host::UnitQuality> result;
        for (std::int32_t number : numbers) {
            Host::UnitQuality unit;
            unit.number = number;
            result.push_back(unit);
        }
        MeasureUnitQuality(input, settings, result);
        return result;
    }
};

TEST(UnitQuality, CountsShortIntervalsWithinBlocksOnly)
{
    Train train;
    train.spans = {{0, 0.0, 10.0}, {1, 0.0, 10.0}};
    // Unit 0: 100 ms apart in each block, 7 of them followed 1 ms later by
    // an extra spike; a block boundary between 9.9 s and 0.0005 s is no interval.
    for (std::int32_t block = 0; block < 2; ++block) {
        for (int i = 0; i < 100; ++i) {
            train.Add(0, block, block == 1 ? 0.0005 + 0.1 * i : 0.1 * i);
            if (block == 0 && i % 10 == 3) {
                train.Add(0, block, 0.1 * i + 0.001);
            }
            train.Add(1, block, 0.1 * i + 0.05); // unit 1 has no short interval
        }
    }
    const auto quality = train.Measure({0, 1});
    EXPECT_EQ(quality[0].spikes, 210);
    EXPECT_EQ(quality[0].refractoryViolations, 10);
    EXPECT_DOUBLE_EQ(quality[0].refractoryFraction, 10.0 / 208.0);
    EXPECT_EQ(quality[1].refractoryViolations, 0);
    EXPECT_DOUBLE_EQ(quality[1].refractoryFraction, 0.0);

    // A refractory period of 0.9 ms lets the 1 ms intervals pass.
    Host::QualitySettings shorter;
    shorter.refractoryMs = 0.9;
    EXPECT_EQ(train.Measure({0}, 0.1, shorter)[0].refractoryViolations, 0);
}

TEST(UnitQuality, HillContaminationSolvesItsEquation)
{
    const double refractory = 0.0015, censored = 0.0002, duration = 600.0;
    for (std::int64_t violations : {1, 5, 40}) {
        const std::int64_t spikes = 10000;
        const double f = HillContamination(violations, spikes, duration, refractory, censored);
        ASSERT_GT(f, 0.0);
        ASSERT_LT(f, 0.5);
        const double predicted = 2.0 * (refractory - censored) * spikes * spikes * f * (1.0 - f) / duration;
        EXPECT_NEAR(predicted, static_cast<double>(violations), 1e-6 * violations);
    }
    EXPECT_EQ(HillContamination(0, 100, duration, refractory, censored), 0.0);
    // More violations than any contamination explains: all of it.
    EXPECT_EQ(HillContamination(100000, 100, duration, refractory, censored), 1.0);
    EXPECT_TRUE(std::isnan(HillContamination(1, 0, duration, refractory, censored)));
    EXPECT_TRUE(std::isnan(HillContamination(1, 10, duration, censored, refractory)));
}

// A cluster of four points whose mean is 0 and whose sample covariance is
// diag(2a^2/3, 2b^2/3), and other spikes at squared Mahalanobis distances
// known in advance; mapping everything through one linear map leaves the
// distances as they are.
TEST(UnitQuality, IsolationMatchesKnownMahalanobisDistances)
{
    const double a = 0.3, b = 0.15;
    const double varH = 2 * a * a / 3, varW = 2 * b * b / 3;
    std::vector<std::pair<double, double>> cluster{{a, 0}, {-a, 0}, {0, b}, {0, -b}};
    // (h, w) of the others, and their squared distances.
    std::vector<std::pair<double, double>> others{{1.0, 0}, {0, 0.5}, {-0.8, 0.2}, {2.0, 1.0}, {0.4, -0.4}, {3, 0}};
    std::vector<double> d2;
    for (auto [h, w] : others) {
        d2.push_back(h * h / varH + w * w / varW);
    }
    std::vector<double> sorted = d2;
    std::sort(sorted.begin(), sorted.end());
    double l = 0.0;
    for (double d : d2) {
        l += std::exp(-d / 2); // chi-square(2) survival
    }
    const double shear[2][2] = {{1.5, 0.7}, {-0.2, 0.9}};
    for (bool mapped : {false, true}) {
        std::vector<float> heights, widths;
        std::vector<std::uint8_t> in;
        auto add = [&](double h, double w, bool member) {
            const double mh = mapped ? shear[0][0] * h + shear[0][1] * w + 2.0 : h;
            const double mw = mapped ? shear[1][0] * h + shear[1][1] * w - 1.0 : w;
            heights.push_back(static_cast<float>(mh));
            widths.push_back(static_cast<float>(mw));
            in.push_back(member ? 1 : 0);
        };
        for (auto [h, w] : cluster) {
            add(h, w, true);
        }
        for (auto [h, w] : others) {
            add(h, w, false);
        }
        const ClusterIsolation isolation = MeasureIsolation(heights, widths, in);
        EXPECT_NEAR(isolation.isolationDistance, sorted[3], 1e-4 * sorted[3]) << mapped;
        EXPECT_NEAR(isolation.lRatio, l / 4, 1e-5) << mapped;
    }
}

TEST(UnitQuality, IsolationIsAbsentWhereUndefined)
{
    // Two spikes (not more than the features), and four on a line (singular).
    std::vector<float> h{1, 2, 5, 6, 7}, w{1, 1.5f, 3, 3, 3};
    EXPECT_TRUE(std::isnan(MeasureIsolation(h, w, std::vector<std::uint8_t>{1, 1, 0, 0, 0}).lRatio));
    std::vector<float> lh{1, 2, 3, 4, 9}, lw{2, 4, 6, 8, 1};
    EXPECT_TRUE(std::isnan(MeasureIsolation(lh, lw, std::vector<std::uint8_t>{1, 1, 1, 1, 0}).isolationDistance));
    // A cluster larger than the rest has no isolation distance but an L-ratio.
    std::vector<float> ch{1, 2, 1.5f, 1.2f, 9}, cw{1, 1.3f, 2, 1.1f, 9};
    const auto big = MeasureIsolation(ch, cw, std::vector<std::uint8_t>{1, 1, 1, 1, 0});
    EXPECT_TRUE(std::isnan(big.isolationDistance));
    EXPECT_GE(big.lRatio, 0.0);
}

// Three clusters on a line, the third the largest: merged, the first two
// make one long cluster whose spread reaches towards the third.
TEST(UnitQuality, MergingTwoClustersLowersTheIsolationDistance)
{
    Train train;
    train.spans = {{0, 0.0, 100.0}};
    std::mt19937_64 random(11);
    std::normal_distribution<float> spread(0.0f, 0.5f);
    const auto cluster = [&](std::int32_t unit, float centre, int count) {
        for (int i = 0; i < count; ++i) {
            train.Add(unit, 0, 0.01 * static_cast<double>(train.times.size()), centre + spread(random),
                      0.5f + spread(random) / 10.0f);
        }
    };
    cluster(0, 0.0f, 100);
    cluster(1, 4.0f, 100);
    cluster(2, 8.0f, 300);
    const auto apart = train.Measure({0, 1, 2});
    std::replace(train.units.begin(), train.units.end(), 1, 0);
    const auto merged = train.Measure({0});
    EXPECT_LT(merged[0].isolationDistance, apart[0].isolationDistance);
    EXPECT_LT(merged[0].isolationDistance, apart[1].isolationDistance);
    EXPECT_GT(merged[0].lRatio, apart[0].lRatio);
}

TEST(UnitQuality, SnrAndPresenceCountWhatTheyName)
{
    Train train;
    // Two blocks of 300 s and 90 s: 5 + 2 bins of 60 s (the last bin short).
    train.spans = {{0, 0.0, 300.0}, {2, 0.0, 90.0}};
    train.Add(4, 0, 10.0, -0.6f);
    train.Add(4, 0, 130.0, 0.4f);
    train.Add(4, 0, 140.0, 0.5f);
    train.Add(4, 2, 85.0, 0.5f);
    train.Add(4, 1, 85.0, 0.5f); // a block outside the analysed stretches
    const auto quality = train.Measure({4, 9}, 0.05);
    EXPECT_NEAR(quality[0].snr, (0.6 + 0.4 + 0.5 + 0.5 + 0.5) / 5 / 0.05, 1e-6);
    EXPECT_DOUBLE_EQ(quality[0].presence, 3.0 / 7.0);
    // A unit without spikes: no intervals, no SNR, absent from every bin.
    EXPECT_EQ(quality[1].spikes, 0);
    EXPECT_TRUE(std::isnan(quality[1].refractoryFraction));
    EXPECT_TRUE(std::isnan(quality[1].snr));
    EXPECT_EQ(quality[1].presence, 0.0);
    // No noise measurement: no SNR.
    EXPECT_TRUE(std::isnan(train.Measure({4}, Host::UnitQuality::kAbsent)[0].snr));
}

TEST(UnitQuality, WarningsFollowTheThresholds)
{
    Host::QualitySettings settings;
    Host::UnitQuality unit;
    EXPECT_EQ(QualityWarnings(unit, settings), 0u); // nothing measured, nothing to warn of
    unit.refractoryFraction = 0.02;
    unit.isolationDistance = 25;
    unit.lRatio = 0.2;
    unit.snr = 2;
    unit.presence = 0.95;
    EXPECT_EQ(QualityWarnings(unit, settings), Host::kWarnRefractory | Host::kWarnLRatio | Host::kWarnSnr);
    settings.minIsolationDistance = 30;
    settings.minPresence = 1.0;
    EXPECT_EQ(QualityWarnings(unit, settings) & (Host::kWarnIsolation | Host::kWarnPresence),
              Host::kWarnIsolation | Host::kWarnPresence);
}

} // namespace
} // namespace Nerolith

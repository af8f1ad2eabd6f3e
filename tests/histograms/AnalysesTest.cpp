#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <numeric>

#include "PaneTestSupport.h"
#include "graph/HistogramWindow.h"
#include "histograms/AmplitudeHistogram.h"
#include "histograms/AutoCorrelationHistogram.h"
#include "histograms/CrossCorrelationHistogram.h"
#include "histograms/InterSpikeIntervalHistogram.h"
#include "histograms/PSTH.h"
#include "histograms/RateMeter.h"
#include "module/SpikeView.h"

namespace {

using namespace Nerolith;
using histtest::Counts;
using histtest::FakeOwner;
using histtest::PaneWithPage;
using Bins = std::vector<float>;

TEST(InterSpikeIntervalTest, IntervalsRunWithinABlockOnly)
{
    FakeOwner owner;
    auto isi = std::make_unique<InterSpikeIntervalHistogram>(nullptr, owner, 0, Host::UnitDescription{});
    isi->SetBinSize(0.25);
    isi->AddSpike(0, 1.0);
    isi->StartPage(0.0);
    isi->AddSpike(0, 2.0);
    EXPECT_TRUE(Counts(isi->Pages()).empty()) << "spikes before the first page are ignored";

    isi->AddSpike(0, 2.25);
    isi->AddSpike(0, 2.25);
    isi->AddSpike(1, 2.3);
    EXPECT_EQ(Counts(isi->Pages()), (Bins{1, 1})) << "an interval of one bin size is bin 1; equal times bin 0";

    isi->AddSpike(0, 0.5);
    isi->AddSpike(0, 1.0);
    EXPECT_EQ(Counts(isi->Pages()), (Bins{1, 1, 1})) << "time went back: no interval, a new run";

    // A block end ends the run, even when the next block's first spike is
    // later than the last one.
    isi->EndSegment();
    isi->AddSpike(0, 1.5);
    EXPECT_EQ(Counts(isi->Pages()), (Bins{1, 1, 1}));
    EXPECT_DOUBLE_EQ(isi->Pages().DisplayedXStatistics().Mean(), (0.25 + 0.0 + 0.5) / 3.0);

    isi->Clear();
    isi->StartPage(0.0);
    isi->AddSpike(0, 3.0);
    isi->AddSpike(0, 3.5);
    EXPECT_EQ(Counts(isi->Pages()), (Bins{0, 0, 1})) << "the first spike after Clear makes no interval";
}

TEST(AmplitudeHistogramTest, HeightsFromZeroUp)
{
    FakeOwner owner;
    auto amplitudes = PaneWithPage<AmplitudeHistogram>(owner, 0.5);
    amplitudes->AddSpike(0, 0.0);
    amplitudes->AddSpike(0, 1.2);
    amplitudes->AddSpike(0, -0.3);
    amplitudes->AddSpike(2, 0.7);
    EXPECT_EQ(Counts(amplitudes->Pages()), (Bins{1, 0, 1}));
    EXPECT_DOUBLE_EQ(amplitudes->Pages().DisplayedXStatistics().Mean(), 0.6) << "the negative height is left out";
}

// Lags of the autocorrelation counted in bins of 0.25 s over [-1, 1).
TEST(AutoCorrelationTest, LagsAtTheWindowEndsAndDuplicateSpikes)
{
    FakeOwner owner;
    auto acg = PaneWithPage<AutoCorrelationHistogram>(owner, 0.25);
    EXPECT_EQ(acg->Window().minimum, -1.0);
    EXPECT_EQ(acg->Window().maximum, 1.0);
    EXPECT_EQ(acg->Pages().XStart(), -1.0);

    // 1 s apart: the lag -1 (the window minimum) is counted, +1 is not.
    acg->AddSpike(0, 5.0);
    acg->AddSpike(0, 6.0);
    acg->AddSpike(0, 9.0);
    EXPECT_EQ(Counts(acg->Pages()), (Bins{1}));

    // Two spikes at one time see each other at lag 0, never themselves.
    acg->AddSpike(0, 9.0);
    acg->AddSpike(0, 20.0);
    EXPECT_EQ(Counts(acg->Pages()), (Bins{1, 0, 0, 0, 2}));

    // A block end counts the pending references with the spikes present.
    acg->AddSpike(0, 20.5);
    acg->EndSegment();
    EXPECT_EQ(Counts(acg->Pages()), (Bins{1, 0, 1, 0, 2, 0, 1}));
    acg->AddSpike(0, 20.75);
    acg->EndSegment();
    EXPECT_EQ(Counts(acg->Pages()), (Bins{1, 0, 1, 0, 2, 0, 1})) << "no pair across the block end";
}

TEST(AutoCorrelationTest, ARegularTrainIsSymmetric)
{
    FakeOwner owner;
    auto acg = PaneWithPage<AutoCorrelationHistogram>(owner, 0.125);
    for (int i = 0; i < 40; ++i) {
        acg->AddSpike(0, 0.375 * i);
    }
    acg->EndSegment();
    const Bins counts = Counts(acg->Pages());
    ASSERT_EQ(counts.size(), 15u) << "up to the bin of the longest lag, 0.75 s";
    // Lags of +-0.375 and +-0.75 (period 0.375 s), none at 0.
    EXPECT_EQ(counts[8 - 3], 39.0f);
    EXPECT_EQ(counts[8 + 3], 39.0f);
    EXPECT_EQ(counts[8 - 6], 38.0f);
    EXPECT_EQ(counts[8 + 6], 38.0f);
    EXPECT_EQ(counts[8], 0.0f);
    EXPECT_FLOAT_EQ(std::accumulate(counts.begin(), counts.end(), 0.0f), 2 * (39 + 38));
}

TEST(AutoCorrelationTest, TheLagWindowComesFromTheXRangeWhenAnAnalysisStarts)
{
    FakeOwner owner;
    auto acg = PaneWithPage<AutoCorrelationHistogram>(owner, 0.1);
    acg->SetLagWindow(-0.5, 0.3);
    EXPECT_EQ(acg->Window().minimum, -1.0) << "not while pages exist";
    acg->Clear();
    EXPECT_EQ(acg->Window().minimum, -0.5);
    EXPECT_EQ(acg->Window().maximum, 0.3);
    EXPECT_EQ(acg->XOrigin(), -0.5);
    EXPECT_EQ(acg->Graph().GetDomain(), (std::pair{-0.5, 0.3}));
}

TEST(CrossCorrelationTest, LagsFromReferenceEvents)
{
    FakeOwner owner;
    auto ccg = PaneWithPage<CrossCorrelationHistogram>(owner, 0.25);
    ccg->AddSpike(0, 1.0);
    ccg->AddSpike(0, 1.5);
    ccg->AddSpike(0, 4.0);
    EXPECT_TRUE(Counts(ccg->Pages()).empty()) << "no reference yet";

    ccg->AddSpike(kReferenceUnit, 2.0);
    ccg->AddSpike(0, 5.0);
    ccg->AddSpike(kReferenceUnit, 5.0);
    ccg->AddSpike(7, 6.0);
    EXPECT_EQ(Counts(ccg->Pages()), (Bins{1, 0, 1})) << "lags -1 and -0.5 for the first reference";
    ccg->EndSegment();
    EXPECT_EQ(Counts(ccg->Pages()), (Bins{2, 0, 1, 0, 1})) << "the final pass: -1 and 0 for the reference at 5";
}

// Every lag from each reference counted once, over [-1, 1) in bins of 0.25 s.
Bins BruteForceCorrelogram(const std::vector<double>& spikes, const std::vector<double>& references)
{
    Bins counts;
    for (const double reference : references) {
        for (const double spike : spikes) {
            const double lag = spike - reference;
            if (lag >= -1.0 && lag < 1.0) {
                const auto bin = static_cast<std::size_t>((lag + 1.0) / 0.25);
                counts.resize(std::max(counts.size(), bin + 1), 0.0f);
                ++counts[bin];
            }
        }
    }
    return counts;
}

// Dense references between sparse spikes, so that one spike completes the
// windows of several references at once. Times on a 1/32 s grid, so every
// lag is exact, and every lag off the bin edges.
TEST(CrossCorrelationTest, ReferencesCompletedTogetherAreEachCounted)
{
    FakeOwner owner;
    auto ccg = PaneWithPage<CrossCorrelationHistogram>(owner, 0.25);
    std::vector<double> spikes;
    std::vector<double> references;
    for (int i = 0; i < 12; ++i) {
        spikes.push_back(9.0 + 0.5 * i);
    }
    for (int i = 0; i < 64; ++i) {
        references.push_back(10.0 + i / 16.0 + 1.0 / 32.0);
    }
    std::vector<std::pair<double, std::int32_t>> events;
    for (const double t : spikes) {
        events.emplace_back(t, 0);
    }
    for (const double t : references) {
        events.emplace_back(t, kReferenceUnit);
    }
    std::sort(events.begin(), events.end());
    for (const auto& [t, unit] : events) {
        ccg->AddSpike(unit, t);
    }
    std::vector<double> completed;
    std::copy_if(references.begin(), references.end(), std::back_inserter(completed),
                 [&](double reference) { return spikes.back() - reference > 1.0; });
    EXPECT_EQ(Counts(ccg->Pages()), BruteForceCorrelogram(spikes, completed))
        << "the references more than 1 s before the last spike";

    ccg->EndSegment();
    const Bins all = BruteForceCorrelogram(spikes, references);
    EXPECT_EQ(Counts(ccg->Pages()), all);
    const float lags = std::accumulate(all.begin(), all.end(), 0.0f);
    EXPECT_EQ(ccg->Pages().PageXStatistics(0).n, static_cast<std::int32_t>(lags));
}

TEST(PSTHTest, LatenciesFromThePreStimulusWindowOn)
{
    FakeOwner owner;
    auto psth = std::make_unique<PSTH>(nullptr, owner, 0, Host::UnitDescription{});
    psth->SetBinSize(0.125);
    psth->SetXOrigin(-0.25);
    psth->Clear();
    psth->AddSpike(0, 0.5);
    psth->AddSpike(0, 0.75);
    EXPECT_EQ(psth->BufferedSpikes(), 2u) << "kept until the first page";

    psth->StartPage(1.0);
    psth->SetReferenceTime(1.0);
    psth->AddSpike(0, 1.0);
    // 0.5 is before the window and dropped; 0.75 is exactly at its start.
    EXPECT_EQ(Counts(psth->Pages()), (Bins{1, 0, 1}));
    EXPECT_EQ(psth->BufferedSpikes(), 2u);

    // A spike 0.125 s after stimulus 1 and 0.125 s before stimulus 2 counts
    // for both sweeps.
    psth->AddSpike(0, 1.125);
    psth->SetReferenceTime(1.25);
    psth->AddSpike(1, 3.0);
    EXPECT_EQ(Counts(psth->Pages()), (Bins{2, 1, 1, 1}));
    EXPECT_DOUBLE_EQ(psth->Pages().DisplayedXStatistics().sum, -0.25 + 0.0 + 0.125 - 0.25 - 0.125);

    // Pending spikes are counted when the block ends, then forgotten.
    psth->SetReferenceTime(1.375);
    psth->EndSegment();
    EXPECT_EQ(Counts(psth->Pages()), (Bins{3, 1, 1, 1}));
    EXPECT_EQ(psth->BufferedSpikes(), 0u);
}

TEST(RateMeterTest, PageTimeRunsOnAcrossBlocks)
{
    FakeOwner owner;
    auto rate = std::make_unique<RateMeter>(nullptr, owner, 0, Host::UnitDescription{});
    rate->SetBinSize(1.0);
    rate->StartPage(0.5);
    rate->AddSpike(0, 0.5);
    rate->AddSpike(0, 2.0);
    rate->AddElapsed(3.0);
    rate->AddSpike(0, 0.0);
    EXPECT_EQ(Counts(rate->Pages()), (Bins{1, 1, 1})) << "at the page start, at 1.5 and at 2.5 s";
    EXPECT_DOUBLE_EQ(rate->Pages().DisplayedXStatistics().sum, 0.0 + 1.5 + 2.5);

    rate->ShowTime(6.0);
    EXPECT_EQ(rate->Graph().GetDomain().second, 9.0) << "the time axis follows the data";
}

} // namespace

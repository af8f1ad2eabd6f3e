#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <numeric>
#include <sstream>

#include "PaneTestSupport.h"
#include "histograms/AutoCorrelationHistogram.h"

namespace {

using namespace Nerolith;

// Spike times per unit of the hippocampus trains (unit, time_s).
std::map<int, std::vector<double>> ReadTrains(const std::filesystem::path& path)
{
    std::map<int, std::vector<double>> trains;
    std::ifstream in(path);
    std::string line;
    std::getline(in, line);
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        int unit = 0;
        double time = 0.0;
        if (fields >> unit >> time) {
            trains[unit].push_back(time);
        }
    }
    return trains;
}

// Ordered pairs (i != j) with a lag inside [minimum, maximum), by brute force
// over the sorted train.
std::int64_t PairsInWindow(const std::vector<double>& times, double minimum, double maximum)
{
    std::int64_t pairs = 0;
    for (std::size_t i = 0; i < times.size(); ++i) {
        const auto first = std::lower_bound(times.begin(), times.end(), times[i] + minimum - 1.0);
        for (auto j = first; j != times.end() && *j - times[i] <= maximum; ++j) {
            const double lag = *j - times[i];
            pairs += j - times.begin() != static_cast<std::ptrdiff_t>(i) && lag >= minimum && lag < maximum;
        }
    }
    return pairs;
}

TEST(CorrelogramTrainsTest, AutocorrelogramsOfRealTrainsAreSymmetricAndEmptyAtZero)
{
    const std::filesystem::path path = std::filesystem::path(NEROLITH_SHARED_DATA) / "trains/hippocampus_units.tsv";
    if (!std::filesystem::exists(path)) {
        GTEST_SKIP() << "no spike trains at " << path;
    }
    const auto trains = ReadTrains(path);
    ASSERT_EQ(trains.size(), 16u);

    // Half-bin window ends (times are whole 40 us ticks): no lag lies on
    // them, so every pair is counted both ways. Bins of 0.5 ms, inside the
    // refractory period of every unit (shortest interval 0.68 ms).
    constexpr double kBin = 0.0005;
    constexpr double kHalfWindow = 0.0495;
    constexpr std::size_t kBins = 198;
    constexpr std::size_t kZeroBin = 99;
    histtest::FakeOwner owner;
    AutoCorrelationHistogram acg(nullptr, owner, 0, Host::UnitDescription{});
    acg.SetBinSize(kBin);
    acg.SetLagWindow(-kHalfWindow, kHalfWindow);
    for (const auto& [unit, times] : trains) {
        SCOPED_TRACE("unit " + std::to_string(unit));
        acg.Clear();
        acg.StartPage(0.0);
        for (const double t : times) {
            acg.AddSpike(0, t);
        }
        acg.EndSegment();
        std::vector<float> counts = histtest::Counts(acg.Pages());
        ASSERT_LE(counts.size(), kBins);
        counts.resize(kBins);
        EXPECT_EQ(counts[kZeroBin - 1], 0.0f);
        EXPECT_EQ(counts[kZeroBin], 0.0f);
        const double before = std::accumulate(counts.begin(), counts.begin() + kZeroBin, 0.0);
        const double after = std::accumulate(counts.begin() + kZeroBin, counts.end(), 0.0);
        EXPECT_EQ(before, after);
        EXPECT_EQ(static_cast<std::int64_t>(before + after), PairsInWindow(times, -kHalfWindow, kHalfWindow));
        EXPECT_EQ(acg.Pages().DisplayedXStatistics().n, static_cast<std::int32_t>(before + after));
    }
}

} // namespace

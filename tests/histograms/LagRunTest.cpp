#include "histograms/LagRun.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <vector>

namespace {

using namespace Nerolith;

// What each way of binning a run wrote, bit for bit.
std::vector<BinnedValue> Binned(bool vector, const std::vector<double>& times, double reference,
                                const LagWindow& window, double binSize)
{
    std::vector<BinnedValue> out(times.size() + kLagRunSlack);
    const std::size_t counted = vector ? BinLagRun(times, reference, window, binSize, out.data())
                                       : BinLagRunEach(times, reference, window, binSize, out.data());
    out.resize(counted);
    return out;
}

// The leading times whose lag is below the limit, one at a time.
std::size_t LeadingBelow(const std::vector<double>& times, double reference, double limit)
{
    std::size_t count = 0;
    while (count < times.size() && times[count] - reference < limit) {
        ++count;
    }
    return count;
}

// Both ways of binning give the same run, and the count of times a queue
// may drop (lags below the minimum, or below the lowest lag) is the one at
// a time count.
void ExpectSameRun(const std::vector<double>& times, double reference, const LagWindow& window, double binSize)
{
    for (const double limit : {window.minimum, window.LowestLag(binSize)}) {
        ASSERT_EQ(CountLeadingLagsBelow(times, reference, limit), LeadingBelow(times, reference, limit))
            << "reference " << reference << ", limit " << limit << ", " << times.size() << " times";
    }
    const std::vector<BinnedValue> each = Binned(false, times, reference, window, binSize);
    const std::vector<BinnedValue> vector = Binned(true, times, reference, window, binSize);
    ASSERT_EQ(vector.size(), each.size()) << "reference " << reference << ", " << times.size() << " times";
    for (std::size_t i = 0; i < each.size(); ++i) {
        ASSERT_EQ(vector[i].bin, each[i].bin) << "lag " << each[i].x << " at " << i;
        ASSERT_EQ(std::memcmp(&vector[i].x, &each[i].x, sizeof(double)), 0) << "lag " << each[i].x;
    }
}

// Spike times on a 20 kHz tick grid put many lags exactly on the edges of
// 1 ms bins, where the bin rule's tolerance decides; runs of every length
// up to a few registers reach the partial last register at each offset.
TEST(LagRun, VectorLoopBinsEveryLagAsTheOneAtATimeLoop)
{
    std::mt19937_64 random(11);
    std::uniform_int_distribution<int> gap(1, 900);
    const LagWindow windows[] = {{-0.1, 0.1}, {0.0, 0.05}, {-0.3, -0.1}, {-0.0125, 0.0125}};
    const double binSizes[] = {0.001, 0.0005, 1.0 / 3.0 * 0.001, 0.0025};
    for (std::size_t length = 0; length <= 40; ++length) {
        std::vector<double> times(length);
        int tick = 0;
        for (double& time : times) {
            tick += gap(random);
            time = tick / 20000.0;
        }
        for (const LagWindow& window : windows) {
            for (const double binSize : binSizes) {
                for (int r = 0; r < 20; ++r) {
                    const double reference = (tick * r / 19) / 20000.0;
                    ExpectSameRun(times, reference, window, binSize);
                }
            }
        }
    }
}

// Lags exactly on the lowest lag and on the maximum, lags the bin rule
// refuses (not finite, beyond 2^52 bins) and times out of order: each is
// taken, passed over or ends the run as one at a time.
TEST(LagRun, EdgeLagsUnbinnableLagsAndUnorderedTimesAsOneAtATime)
{
    const LagWindow window{-0.1, 0.1};
    const double lowest = window.LowestLag(0.001);
    ExpectSameRun({lowest, lowest, 0.0, 0.1, 0.05}, 0.0, window, 0.001);
    ExpectSameRun({std::nextafter(lowest, -1.0), lowest, 0.0, std::nextafter(0.1, 0.0)}, 0.0, window, 0.001);

    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const LagWindow wide{-1e300, 1e300};
    ExpectSameRun({0.0, 1.0, 2.0, 1e20, 3.0}, 0.0, wide, 1e-9);
    ExpectSameRun({0.0, nan, 0.5, 0.7, 0.1, 0.2, 0.3, 0.4, 0.6, 0.65, 0.05}, 0.2, {-0.1, 0.5}, 0.01);
    ExpectSameRun({-inf, -5.0, -0.05, 0.0, inf, 0.02}, 0.0, {-0.1, 0.1}, 0.001);
    ExpectSameRun({0.3, 0.2, 0.1, 0.0, -0.1, -0.2, -0.3, -0.4, -0.5, 0.0}, 0.0, {-0.25, 0.25}, 0.05);
    ExpectSameRun({0.0, 0.0, 0.0}, nan, {-0.1, 0.1}, 0.001);
}

} // namespace

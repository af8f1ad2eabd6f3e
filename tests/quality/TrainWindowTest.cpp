#include <gtest/gtest.h>

#include <vector>

#include "quality/TrainWindow.h"

namespace {

using namespace Nerolith;

// A spike on a page boundary belongs to the page that begins there, as the
// paging counts it.
TEST(TrainWindowTest, AWindowTakesSpikesFromItsStartUpToButNotAtItsEnd)
{
    const std::vector<double> train{0.5, 1.0, 1.5, 2.0, 2.5};
    const auto within = [&](double start, double end) {
        const std::span<const double> part = TrainWithin(train, {start, end});
        return std::vector<double>(part.begin(), part.end());
    };
    EXPECT_EQ(within(1.0, 2.0), (std::vector<double>{1.0, 1.5}));
    EXPECT_EQ(within(2.0, 9.0), (std::vector<double>{2.0, 2.5}));
    EXPECT_TRUE(within(3.0, 4.0).empty());
    EXPECT_EQ(TrainWithin(train, TrainWindow{}).size(), train.size()) << "unbounded: the whole train";
}

} // namespace

#include <vector>

#include <gtest/gtest.h>

#include "detection/DetEx_Measure.h"

namespace Nerolith {
namespace {

TEST(DetExMeasure, MonophasicWidthIsBetweenHalfHeightCrossings)
{
    const std::vector<float> triangle{0, 2, 4, 2, 0};
    const SpikeShape shape = MeasureMonophasic(triangle, 1e-3);
    EXPECT_DOUBLE_EQ(4.0, shape.height);
    EXPECT_DOUBLE_EQ(2e-3, shape.width);

    // No sample below half height after the peak: the crossing is the last
    // index; the earliest of equal maxima is the peak.
    const std::vector<float> plateau{0, 1, 3, 3, 2};
    const SpikeShape held = MeasureMonophasic(plateau, 1e-3);
    EXPECT_DOUBLE_EQ(3.0, held.height);
    EXPECT_NEAR((4.0 - (1.0 + 0.5 / 2.0)) * 1e-3, held.width, 1e-15);
}

TEST(DetExMeasure, MonophasicWindowWithNothingAboveZeroHasNoWidth)
{
    // The peak stays 0.0 at index 0 although that sample is below it; the
    // walks must not run off the window's start.
    const std::vector<float> negative{-3, -1, -2};
    const SpikeShape shape = MeasureMonophasic(negative, 1e-3);
    EXPECT_DOUBLE_EQ(0.0, shape.height);
    EXPECT_DOUBLE_EQ(0.0, shape.width);
}

TEST(DetExMeasure, BiphasicMeasuresPeakToLaterTrough)
{
    const std::vector<float> window{0, 3, 6, 1, -2, 0};
    const SpikeShape shape = MeasureBiphasic(window, 1e-3);
    EXPECT_DOUBLE_EQ(8.0, shape.height);
    EXPECT_DOUBLE_EQ(2e-3, shape.width);

    const std::vector<float> peakLast{-5, 0, 1, 7};
    const SpikeShape none = MeasureBiphasic(peakLast, 1e-3);
    EXPECT_DOUBLE_EQ(0.0, none.height);
    EXPECT_DOUBLE_EQ(0.0, none.width);
}

} // namespace
} // namespace Nerolith

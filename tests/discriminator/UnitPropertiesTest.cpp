#include <gtest/gtest.h>

#include "discriminator/ContourBounds.h"

namespace {

using namespace Nerolith;

TEST(UnitProperties, BoundsShowHeightsScaledAndTakeThemBackBothWays)
{
    // A channel whose display unit is a thousandth of the stored one.
    const double factor = 0.001;
    std::vector<double> widths{0.2, 0.8, 0.5};
    std::vector<double> heights{0.001, 0.001, 0.003};
    const ContourBounds shown = DisplayedBounds(widths, heights, factor);
    EXPECT_DOUBLE_EQ(shown.bottom, 1.0);
    EXPECT_DOUBLE_EQ(shown.top, 3.0);
    EXPECT_DOUBLE_EQ(shown.left, 0.2);
    EXPECT_DOUBLE_EQ(shown.right, 0.8);

    ApplyDisplayedBounds(widths, heights, {0.2, 1.4, 2.0, 6.0}, factor);
    EXPECT_NEAR(heights[0], 0.002, 1e-12) << "entered as shown, stored in channel units";
    EXPECT_NEAR(heights[2], 0.006, 1e-12);
    EXPECT_NEAR(widths[1], 1.4, 1e-12);
    EXPECT_NEAR(widths[2], 0.8, 1e-12) << "the middle vertex keeps its place in the box";

    const std::vector<double> keptWidths = widths;
    const std::vector<double> keptHeights = heights;
    ApplyDisplayedBounds(widths, heights, DisplayedBounds(widths, heights, factor), factor);
    for (std::size_t i = 0; i < widths.size(); ++i) {
        EXPECT_NEAR(widths[i], keptWidths[i], 1e-12) << "an unchanged box leaves the contour";
        EXPECT_NEAR(heights[i], keptHeights[i], 1e-12);
    }
}

TEST(UnitProperties, AFlatContourSpreadsOverTheNewBox)
{
    std::vector<double> widths{1.0, 1.0, 1.0};
    std::vector<double> heights{0.0, 1.0, 2.0};
    RefitContour(widths, heights, BoundsOf(widths, heights), {0.0, 2.0, 0.0, 4.0});
    EXPECT_EQ(widths, (std::vector<double>{0.0, 1.0, 2.0})) << "no division by a zero span";
    EXPECT_EQ(heights, (std::vector<double>{0.0, 2.0, 4.0}));
}

} // namespace

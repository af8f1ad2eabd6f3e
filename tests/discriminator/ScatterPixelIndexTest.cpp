#include <gtest/gtest.h>

#include "discriminator/PixelIndex.h"

namespace {

using Nerolith::PixelIndex;
using platform::ui::TPoint;
using platform::ui::TRect;

TEST(ScatterPixelIndex, NearestPointWithinReachWinsAndTheFirstFoundBreaksATie)
{
    PixelIndex index;
    index.Reset(TRect(0, 0, 200, 100));
    index.Add({50, 50}, 7);
    index.Add({60, 50}, 8);
    EXPECT_EQ(index.HitTest({52, 50}), 7);
    EXPECT_EQ(index.HitTest({59, 51}), 8);
    EXPECT_EQ(index.HitTest({55, 50}), 7) << "equally far: the left one is found first in its row";
    index.Add({55, 45}, 9);
    index.Add({55, 55}, 10);
    EXPECT_EQ(index.HitTest({55, 50}), 9) << "the upper row is scanned first";

    index.Add({50, 50}, 11);
    EXPECT_EQ(index.HitTest({50, 50}), 11) << "a later point on a pixel is drawn over the earlier one";
}

TEST(ScatterPixelIndex, ReachIsLessThanTwentyPixelsAndStaysInsideThePlot)
{
    PixelIndex index;
    index.Reset(TRect(10, 10, 110, 110));
    index.Add({40, 40}, 1);
    EXPECT_FALSE(index.HitTest({60, 40})) << "exactly 20 pixels away";
    EXPECT_EQ(index.HitTest({59, 40}), 1);
    EXPECT_EQ(index.HitTest({52, 52}), 1) << "12 and 12 pixels: nearer than 20";
    EXPECT_FALSE(index.HitTest({55, 55})) << "inside the searched square, but 21.2 pixels away";
    index.Add({5, 5}, 2);
    EXPECT_EQ(index.HitTest({12, 12}), std::nullopt) << "points outside the plot are not indexed";
    index.Add({109, 109}, 3);
    EXPECT_EQ(index.HitTest({130, 130}), std::nullopt);
    EXPECT_EQ(index.HitTest({120, 109}), 3) << "a pointer beyond the edge still reaches in";

    index.Reset(TRect(0, 0, 0, 0));
    EXPECT_FALSE(index.HitTest({0, 0})) << "an empty plot has nothing to hit";
}

} // namespace

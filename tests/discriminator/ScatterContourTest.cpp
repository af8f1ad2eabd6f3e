#include <gtest/gtest.h>

#include "discriminator/ScatterFixture.h"
#include "discriminator/ScatterPlot.h"

namespace {

using namespace TestSupport;
using automation::MouseAction;
using automation::MouseButton;
using platform::ui::TPoint;

class ScatterContour : public ScatterFixture {
protected:
    // A free-hand rectangle around spikes 2 and 3 (heights 1.1 and 1.4).
    void DrawAroundMiddleSpikes()
    {
        const TPoint low = PixelOf(2);
        const TPoint high = PixelOf(3);
        const std::int32_t left = std::min(low.x, high.x) - 25;
        const std::int32_t right = std::max(low.x, high.x) + 25;
        const std::int32_t top = high.y - 12;
        const std::int32_t bottom = low.y + 12;
        Drag({{left, top}, {right, top}, {right, bottom}, {left, bottom}, {left, top + 1}});
    }
};

TEST_F(ScatterContour, ADrawnContourMakesAUnitOfExactlyTheSpikesInsideIt)
{
    Analyze();
    ASSERT_EQ(doc->SpikeCount(), 5);
    DrawAroundMiddleSpikes();
    Nerolith::ScatterPlot& scatter = Scatter();
    ASSERT_TRUE(scatter.ContourReady());
    EXPECT_EQ(scatter.ContourWidths().size(), scatter.ContourHeights().size());
    EXPECT_EQ(Selection(), -1) << "a finished contour clears the selection";

    std::int32_t unit = -1;
    ASSERT_EQ(doc->CreateContourUnit(0, scatter.ContourWidths(), scatter.ContourHeights(), {}, &unit), S_OK);
    scatter.ClearContour();
    EXPECT_FALSE(scatter.ContourReady());
    EXPECT_TRUE(scatter.ContourWidths().empty());
    doc->AnalyzeChannel(0);
    EXPECT_EQ(UnitOf(0), -1);
    EXPECT_EQ(UnitOf(1), -1);
    EXPECT_EQ(UnitOf(2), unit);
    EXPECT_EQ(UnitOf(3), unit);
    EXPECT_EQ(UnitOf(4), -1);
}

TEST_F(ScatterContour, TwoPointsAreNoContourAndANewPressEmptiesAReadyOne)
{
    Analyze();
    const TPoint start = PixelOf(0).OffsetBy(30, 0);
    Drag({start, start.OffsetBy(10, 10)});
    EXPECT_FALSE(Scatter().ContourReady()) << "two points enclose nothing";

    DrawAroundMiddleSpikes();
    ASSERT_TRUE(Scatter().ContourReady());
    // A click starts a new free-hand shape of one point: nothing is ready.
    LeftClick(PixelOf(4));
    EXPECT_FALSE(Scatter().ContourReady());
    EXPECT_TRUE(Scatter().ContourWidths().empty());
    EXPECT_EQ(Selection(), 4) << "and the click selects as ever";
}

} // namespace

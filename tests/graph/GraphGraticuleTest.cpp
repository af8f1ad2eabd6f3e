#include <gtest/gtest.h>

#include <algorithm>

#include "FakeAxisScale.h"
#include "graph/GraphGraticule.h"
#include "platform/ui/RecordingDC.h"

namespace {

using namespace graphtest;
using DUdido1::GraphDisplayInfo;
using DUdido1::GraphGraticule;
using ui::DrawOp;
using ui::TPoint;

class GraticuleTest : public ::testing::Test {
protected:
    GraticuleTest()
    {
        Place(plot);
        grid.SetScales(&horizontal, &vertical);
    }
    void Place(const ui::TRect& rect)
    {
        grid.SetPlotRect(rect);
        horizontal.PlaceBeside(rect);
        vertical.PlaceBeside(rect);
    }
    std::vector<std::pair<TPoint, TPoint>> GridLines() const { return dc.Segments(info.gridColour); }

    ui::TRect plot{10, 10, 210, 110};
    ui::TWindow parent;
    FakeAxisScale horizontal{parent, ui::AxisOrientation::Horizontal};
    FakeAxisScale vertical{parent, ui::AxisOrientation::Vertical};
    GraphGraticule grid;
    GraphDisplayInfo info;
    ui::RecordingDC dc;
};

TEST_F(GraticuleTest, DrawsDottedLinesAtTheTicksInsideThePlot)
{
    horizontal.ticks = {0, 50, 100, 150, 200, 250};
    vertical.ticks = {-5, 25, 75};
    grid.Draw(std::nullopt, dc);

    const auto lines = GridLines();
    using Line = std::pair<TPoint, TPoint>;
    const std::vector<Line> expected{
        {{10, 10}, {10, 110}},  {{60, 10}, {60, 110}}, {{110, 10}, {110, 110}},
        {{160, 10}, {160, 110}}, {{10, 35}, {210, 35}}, {{10, 85}, {210, 85}},
    };
    EXPECT_EQ(lines, expected);
    for (const auto* record : dc.Find(DrawOp::Line)) {
        EXPECT_EQ(record->state.pen.style, ui::PenStyle::Dot);
    }

    dc.Clear();
    info.dotsOnly = 1;
    grid.SetDisplayInfo(info);
    grid.Draw(std::nullopt, dc);
    EXPECT_TRUE(dc.Find(DrawOp::Line).empty());
    const auto dots = dc.Find(DrawOp::Pixel);
    ASSERT_EQ(dots.size(), 8u);
    EXPECT_EQ(dots.front()->points.front(), TPoint(10, 35));
    EXPECT_EQ(dots.front()->color, info.gridColour);
}

TEST_F(GraticuleTest, FallsBackToARegularLatticeWhenAScaleHasNoTicks)
{
    horizontal.firstTick = 190;
    horizontal.stepPixels = -50.0;
    vertical.ticks = {25};
    vertical.firstTick = 95;
    vertical.stepPixels = -30.0;
    grid.Draw(std::nullopt, dc);

    std::vector<std::int32_t> xs;
    std::vector<std::int32_t> ys;
    for (const auto& [from, to] : GridLines()) {
        (from.x == to.x ? xs : ys).push_back(from.x == to.x ? from.x : from.y);
    }
    EXPECT_EQ(xs, (std::vector<std::int32_t>{200, 150, 100, 50}));
    EXPECT_EQ(ys, (std::vector<std::int32_t>{105, 75, 45, 15}));

    // A step that is not negative, or one that would take more than 10000
    // lines, gives up.
    for (const double step : {0.0, 30.0, -0.01}) {
        dc.Clear();
        horizontal.stepPixels = step;
        grid.Draw(std::nullopt, dc);
        EXPECT_TRUE(dc.Records().empty()) << "step " << step;
    }
}

TEST_F(GraticuleTest, DrawsNothingForATinyPlotAMissingClipOrAHiddenGrid)
{
    horizontal.ticks = {0, 50};
    vertical.ticks = {0, 50};

    grid.Draw(ui::TRect(300, 300, 400, 400), dc);
    EXPECT_TRUE(dc.Records().empty()) << "clip misses the plot";

    Place({10, 10, 11, 110});
    grid.Draw(std::nullopt, dc);
    EXPECT_TRUE(dc.Records().empty()) << "one pixel wide";

    Place(plot);
    info.shown = false;
    grid.SetDisplayInfo(info);
    grid.Draw(std::nullopt, dc);
    EXPECT_TRUE(dc.Records().empty()) << "hidden";

    GraphGraticule withoutScales;
    withoutScales.SetPlotRect(plot);
    withoutScales.Draw(std::nullopt, dc);
    EXPECT_TRUE(dc.Records().empty()) << "no scales";
}

} // namespace

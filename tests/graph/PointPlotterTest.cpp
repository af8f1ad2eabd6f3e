#include <gtest/gtest.h>

#include "graph/PlotData.h"
#include "graph/PointPlotter.h"
#include "platform/ui/RecordingDC.h"

namespace {

using namespace DUdido1;
using platform::ui::DrawOp;
using platform::ui::TPoint;
using platform::ui::TRect;

TEST(PointPlotter, DrawsEachPixelOnceAndLeavesOutPointsOffThePlot)
{
    VectorPlotData data;
    data.SetPoints({1.0, 1.2, 50.0, 20.0, -3.0}, {1.0, 0.9, 50.0, 20.0, 5.0, 7.0});
    PointPlotter plotter;
    plotter.SetPlotData(&data);
    const PlotFrame frame = PlotFrame::Make({0, 0, 40, 40}, {0.0, 40.0}, {0.0, 40.0});

    platform::ui::RecordingDC dc;
    plotter.Draw(dc, frame);
    const auto pixels = dc.Find(DrawOp::Pixel);
    ASSERT_EQ(pixels.size(), 2u);
    EXPECT_EQ(pixels[0]->points.front(), TPoint(1, 39));
    EXPECT_EQ(pixels[1]->points.front(), TPoint(20, 20));

    // 3 points are 4 pixels at 96 dots per inch.
    dc.Clear();
    plotter.SetSymbolSize(3);
    plotter.Draw(dc, frame);
    const auto squares = dc.Find(DrawOp::FillRect);
    ASSERT_EQ(squares.size(), 2u);
    EXPECT_EQ(squares[1]->rect, TRect(18, 18, 22, 22));
}

} // namespace

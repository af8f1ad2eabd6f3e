#include <gtest/gtest.h>

#include <map>
#include <stdexcept>

#include "graph/BinPlotData.h"
#include "graph/BinPlotter.h"
#include "graph/ClipSegment.h"
#include "graph/PlotData.h"
#include "platform/ui/RecordingDC.h"

namespace {

using namespace DUdido1;
using platform::ui::DrawOp;
using platform::ui::RecordingDC;
using platform::ui::TPoint;
using platform::ui::TRect;
using Line = std::pair<TPoint, TPoint>;

constexpr platform::ui::COLORREF kInk = platform::ui::RGB(10, 20, 30);

class BinPlotterTest : public ::testing::Test {
protected:
    BinPlotterTest()
    {
        plotter.SetColour(kInk);
        plotter.SetPlotData(&data);
    }
    void SetBins(double first, double width, const std::vector<float>& counts)
    {
        data.SetExtent(first, first + width * static_cast<double>(counts.size()));
        data.SetBinWidth(width);
        data.SetBinCount(static_cast<std::int32_t>(counts.size()));
        for (std::size_t i = 0; i < counts.size(); ++i) {
            data.SetCount(static_cast<std::int32_t>(i), counts[i]);
        }
    }
    std::vector<Line> Draw(std::int32_t style)
    {
        dc.Clear();
        plotter.SetStyle(style);
        plotter.Draw(dc, frame);
        return dc.Segments(kInk);
    }

    BinPlotData data;
    BinPlotter plotter;
    RecordingDC dc;
    TRect plot{10, 10, 310, 110};
    PlotFrame frame = PlotFrame::Make(plot, {0.0, 1000.0}, {0.0, 100.0});
};

TEST_F(BinPlotterTest, NarrowBinsDrawOneEnvelopeLinePerPixelColumn)
{
    std::vector<float> counts(1000);
    for (std::size_t i = 0; i < counts.size(); ++i) {
        counts[i] = static_cast<float>((i * 37) % 90);
    }
    SetBins(0.0, 1.0, counts);

    // The highest count of the bins whose left edge falls in each column.
    std::map<std::int32_t, std::int32_t> topByColumn;
    for (std::size_t i = 0; i < counts.size(); ++i) {
        const std::int32_t column = frame.PixelX(static_cast<double>(i));
        const std::int32_t top = frame.PixelY(counts[i]);
        const auto [it, added] = topByColumn.emplace(column, top);
        it->second = std::min(it->second, top);
    }
    ASSERT_EQ(topByColumn.size(), 300u);

    const std::int32_t baseline = plot.bottom - 2;
    for (const std::int32_t style : {kStyleBar, kStyleFilledBar, kStyleLine}) {
        const auto lines = Draw(style);
        ASSERT_EQ(lines.size(), 300u) << "style " << style;
        for (const auto& [from, to] : lines) {
            EXPECT_EQ(from.x, to.x);
            EXPECT_EQ(from.y, baseline);
            EXPECT_EQ(to.y, topByColumn.at(from.x) - 1) << "column " << from.x << " style " << style;
        }
        EXPECT_TRUE(dc.Find(DrawOp::FillRect).empty());
    }

    // Steps join columns only where the column changes.
    const auto steps = Draw(kStyleStep);
    const auto verticals = std::count_if(steps.begin(), steps.end(), [](const Line& l) { return l.first.x == l.second.x; });
    EXPECT_LE(verticals, 301);
}

TEST_F(BinPlotterTest, ABinWiderThanThePlotIsClippedToIt)
{
    frame = PlotFrame::Make(plot, {0.0, 100.0}, {0.0, 100.0});
    SetBins(-50.0, 200.0, {50.0f});
    for (const std::int32_t style : {kStyleBar, kStyleFilledBar, kStyleStep, kStyleLine}) {
        const auto lines = Draw(style);
        ASSERT_FALSE(lines.empty()) << "style " << style;
        for (const auto& [from, to] : lines) {
            for (const TPoint& p : {from, to}) {
                EXPECT_GE(p.x, plot.left - 1);
                EXPECT_LE(p.x, plot.right);
            }
        }
        for (const auto& record : dc.Records()) {
            ASSERT_TRUE(record.state.clip.has_value());
            EXPECT_EQ(*record.state.clip, plot);
        }
    }
    const auto bar = Draw(kStyleBar);
    EXPECT_NE(std::find(bar.begin(), bar.end(), Line{{plot.left - 1, 60}, {plot.right, 60}}), bar.end())
        << "the bar's top spans the plot";
    Draw(kStyleFilledBar);
    const auto fills = dc.Find(DrawOp::FillRect);
    ASSERT_EQ(fills.size(), 1u);
    EXPECT_EQ(fills.front()->rect, TRect(plot.left, 61, plot.right, plot.bottom - 1));
}

TEST_F(BinPlotterTest, CountsOutsideTheRangeStayWithinThePlot)
{
    frame = PlotFrame::Make(plot, {0.0, 300.0}, {0.0, 100.0});
    SetBins(0.0, 100.0, {150.0f, 55.0f, -5.0f});
    const std::int32_t baseline = plot.bottom - 2;

    // Above the range: only its edge, up to the top row; below: nothing
    // rises above the baseline but the edge it shares with its neighbour.
    const auto bars = Draw(kStyleBar);
    const std::vector<Line> expected{
        {{10, baseline}, {10, plot.top - 1}},
        {{110, baseline}, {110, plot.top - 1}},
        {{110, 55}, {210, 55}},
        {{210, baseline}, {210, 54}},
    };
    EXPECT_EQ(bars, expected);

    // Markers only for counts inside the range: an X of 3 by 3 pixels.
    const auto dots = Draw(kStyleDot);
    const std::vector<Line> marker{{{159, 56}, {162, 53}}, {{159, 54}, {162, 57}}};
    EXPECT_EQ(dots, marker);
}

TEST_F(BinPlotterTest, BarsStandOnOrHangFromTheBaseValue)
{
    frame = PlotFrame::Make(plot, {0.0, 300.0}, {-1.0, 1.0});
    SetBins(0.0, 100.0, {0.5f, -0.5f});
    plotter.SetBaseValue(0.0);
    const std::int32_t zero = frame.PixelY(0.0);
    const std::int32_t up = frame.PixelY(0.5);
    const std::int32_t down = frame.PixelY(-0.5);
    const std::vector<Line> expected{
        {{10, zero}, {10, up - 1}},
        {{10, up}, {110, up}},
        {{110, zero}, {110, up - 1}},
        {{110, zero}, {110, down + 1}},
        {{110, down}, {210, down}},
    };
    EXPECT_EQ(Draw(kStyleBar), expected);
    Draw(kStyleFilledBar);
    const auto fills = dc.Find(DrawOp::FillRect);
    ASSERT_EQ(fills.size(), 2u);
    EXPECT_EQ(fills[1]->rect, TRect(111, zero, 210, down)) << "the fill hangs from zero";

    // Without a base value both stand on the plot's bottom, the negative one
    // flat on it.
    plotter.SetBaseValue(std::nullopt);
    const auto bars = Draw(kStyleBar);
    EXPECT_EQ(bars.front(), (Line{{10, plot.bottom - 2}, {10, up - 1}}));
    EXPECT_TRUE(std::none_of(bars.begin(), bars.end(), [&](const Line& l) { return l.second.y > plot.bottom - 2; }));
}

TEST_F(BinPlotterTest, TheFunctionCurveIsClippedToThePlot)
{
    frame = PlotFrame::Make(plot, {0.0, 300.0}, {0.0, 100.0});
    SetBins(0.0, 50.0, {20.0f, 400.0f, 30.0f, -300.0f, 40.0f, 50.0f});
    const auto lines = Draw(kStyleFunction);
    ASSERT_FALSE(lines.empty());
    bool touchesTop = false;
    bool touchesBottom = false;
    for (const auto& [from, to] : lines) {
        for (const TPoint& p : {from, to}) {
            EXPECT_TRUE(p.x >= plot.left && p.x < plot.right && p.y >= plot.top && p.y < plot.bottom)
                << p.x << "," << p.y;
            touchesTop = touchesTop || p.y == plot.top;
            touchesBottom = touchesBottom || p.y == plot.bottom - 1;
        }
    }
    EXPECT_TRUE(touchesTop && touchesBottom);

    Segment outside{-10, -10, 500, -5};
    EXPECT_FALSE(ClipSegment(outside, {0, 0, 100, 100}));
    Segment crossing{-100, 50, 50, 50};
    ASSERT_TRUE(ClipSegment(crossing, {0, 0, 100, 100}));
    EXPECT_DOUBLE_EQ(crossing.x0, 0.0);
    EXPECT_DOUBLE_EQ(crossing.x1, 50.0);
    Segment corner{-50, 50, 50, -50};
    EXPECT_FALSE(ClipSegment(corner, {1, 1, 100, 100})) << "passes beside the corner";
}

TEST_F(BinPlotterTest, RefusesBrokenBinSizesAndForeignData)
{
    const auto message = [](auto&& action) {
        try {
            action();
        } catch (const std::invalid_argument& error) {
            return std::string(error.what());
        }
        return std::string();
    };
    EXPECT_EQ(message([&] { plotter.SetBinWidth(0.0); }), "Broken bin size");
    EXPECT_EQ(message([&] { plotter.SetBinWidth(-1.0); }), "Broken bin size");
    EXPECT_EQ(message([&] { data.SetBinWidth(0.0); }), "Broken bin size");
    VectorPlotData points;
    EXPECT_EQ(message([&] { plotter.SetPlotData(&points); }), "Wrong data format");
    EXPECT_EQ(plotter.Data(), &data);
    EXPECT_FALSE(plotter.SetStyle(7));
    EXPECT_EQ(plotter.Style(), kStyleBar);
}

} // namespace

#include <gtest/gtest.h>

#include <cmath>
#include <iterator>
#include <random>

#include "PaneTestSupport.h"
#include "histograms/BinRules.h"
#include "histograms/GraphRanges.h"
#include "histograms/HistogramPages.h"
#include "histograms/StatsAccumulator.h"
#include "platform/error/XVEX.h"

namespace {

using namespace Nerolith;
using histtest::Counts;

TEST(StatsAccumulatorTest, FormulasAreThePopulationFormsAndTiesKeepTheEarlierIndex)
{
    StatsAccumulator s;
    EXPECT_EQ(s.Mean(), 0.0);
    EXPECT_EQ(s.SD(), 0.0);
    EXPECT_EQ(s.SEM(), 0.0);

    for (const auto& [value, index] : {std::pair{3.0, 0}, {7.0, 1}, {7.0, 2}, {1.0, 3}, {1.0, 4}}) {
        s.Add(value, index);
    }
    EXPECT_DOUBLE_EQ(s.Mean(), 19.0 / 5.0);
    EXPECT_DOUBLE_EQ(s.SD(), std::sqrt((109.0 - 19.0 * 19.0 / 5.0) / 5.0));
    EXPECT_DOUBLE_EQ(s.SEM(), s.SD() / std::sqrt(5.0));
    EXPECT_EQ(s.max, 7.0);
    EXPECT_EQ(s.maxIndex, 1);
    EXPECT_EQ(s.min, 1.0);
    EXPECT_EQ(s.minIndex, 3);

    // Three times 0.1 leaves the difference of the sums below zero: the
    // spread is 0, not NaN.
    StatsAccumulator same;
    for (int i = 0; i < 3; ++i) {
        same.AddToSums(0.1);
    }
    EXPECT_EQ(same.SD(), 0.0);
    EXPECT_EQ(same.SEM(), 0.0);
    StatsAccumulator one;
    one.AddToSums(0.37);
    EXPECT_EQ(one.SD(), 0.0);
    EXPECT_EQ(one.SEM(), 0.0);
}

TEST(HistogramPagesTest, ValuesOnEdgesFallIntoTheBinThatStartsThere)
{
    HistogramPages pages;
    pages.SetBinSize(0.1);
    EXPECT_EQ(pages.BinIndex(0.0), 0);
    EXPECT_EQ(pages.BinIndex(0.3), 3) << "0.3 / 0.1 is a hair below 3 in binary";
    EXPECT_EQ(pages.BinIndex(0.2999), 2);
    EXPECT_EQ(pages.BinIndex(-0.05), -1);

    // A negative origin: bins start at floor(origin / size) x size.
    pages.SetBinSize(0.25);
    pages.SetXOrigin(-0.6);
    EXPECT_EQ(pages.FirstBin(), -3);
    EXPECT_EQ(pages.XStart(), -0.75);
    EXPECT_EQ(pages.BinIndex(-0.75), 0);
    EXPECT_EQ(pages.BinIndex(-0.5), 1);
    EXPECT_EQ(pages.BinIndex(0.0), 3);
    EXPECT_EQ(pages.BinIndex(-0.76), -1);

    EXPECT_THROW(pages.SetBinSize(0.0), VEX::XVEX);
    EXPECT_THROW(pages.SetBinSize(-1.0), VEX::XVEX);
    EXPECT_EQ(pages.BinSize(), 0.25);
}

TEST(HistogramPagesTest, CountingNeedsAPageAndStaysWithinTheBins)
{
    HistogramPages pages;
    pages.SetBinSize(0.5);
    EXPECT_FALSE(pages.CountValue(0, 0.1)) << "no page yet";
    pages.StartPage(2.0);
    EXPECT_EQ(pages.PageStartTime(), 2.0);
    EXPECT_EQ(pages.ReferenceTime(), 2.0);
    EXPECT_FALSE(pages.CountValue(-1, -0.2));
    EXPECT_FALSE(pages.CountValue(kMaxBins, 1e9)) << "beyond the largest page";
    EXPECT_EQ(pages.CountValue(3, 1.6), 1.0f);
    EXPECT_EQ(pages.CountValue(3, 1.7), 2.0f);
    EXPECT_EQ(Counts(pages), (std::vector<float>{0, 0, 0, 2}));
    EXPECT_EQ(pages.DisplayedXStatistics().n, 2) << "dropped values stay out of the statistics";
}

TEST(HistogramPagesTest, YStatisticsCoverTheCountedBinsOrTheSelection)
{
    HistogramPages pages;
    pages.SetBinSize(1.0);
    pages.StartPage(0.0);
    for (const double x : {2.5, 3.5, 3.6, 5.5, 5.1}) {
        pages.CountValue(*pages.BinIndex(x), x);
    }
    // Bins 0..5 hold 0 0 1 2 0 2: the leading empty bins are left out, the
    // empty bin after the first count is not; the lower of two maxima wins.
    StatsAccumulator y = pages.YStatistics();
    EXPECT_EQ(y.n, 4);
    EXPECT_DOUBLE_EQ(y.Mean(), 5.0 / 4.0);
    EXPECT_EQ(y.max, 2.0);
    EXPECT_EQ(y.maxIndex, 3);
    EXPECT_EQ(y.min, 0.0);
    EXPECT_EQ(y.minIndex, 4);

    // A selection reaching beyond the counts takes the missing bins as 0.
    pages.SetSelection(4.2, 8.9);
    EXPECT_EQ(pages.Selection().start, 4.0);
    EXPECT_EQ(pages.Selection().end, 9.0);
    y = pages.YStatistics();
    EXPECT_EQ(y.n, 5);
    EXPECT_DOUBLE_EQ(y.Mean(), 2.0 / 5.0);
    EXPECT_EQ(y.minIndex, 4);
    EXPECT_EQ(y.maxIndex, 5);

    // A page without counts has no Y statistics.
    pages.StartPage(1.0);
    pages.SetCurrentPage(1);
    EXPECT_TRUE(pages.YStatistics().empty);
}

TEST(HistogramPagesTest, XStatisticsTakeOnlyValuesInsideAnActiveSelection)
{
    HistogramPages pages;
    pages.SetBinSize(0.25);
    pages.SetSelection(0.25, 0.5);
    pages.StartPage(0.0);
    for (const double x : {0.1, 0.25, 0.4, 0.5}) {
        pages.CountValue(*pages.BinIndex(x), x);
    }
    const StatsAccumulator x = pages.DisplayedXStatistics();
    EXPECT_EQ(x.n, 2) << "the start is inside, the end is not";
    EXPECT_DOUBLE_EQ(x.Mean(), 0.325);
    EXPECT_EQ(Counts(pages), (std::vector<float>{1, 2, 1})) << "the bins count everything";

    // A new bin size fits the selection to the new bins.
    pages.SetBinSize(0.2);
    EXPECT_DOUBLE_EQ(pages.Selection().start, 0.2);
    EXPECT_DOUBLE_EQ(pages.Selection().end, 0.6);
    pages.SetSelection(0.3, 0.3);
    EXPECT_FALSE(pages.Selection().active);
}

TEST(HistogramPagesTest, TheCurrentPageStaysWithinThePages)
{
    HistogramPages pages;
    pages.SetCurrentPage(3);
    EXPECT_EQ(pages.CurrentPage(), 0);
    pages.StartPage(0.0);
    pages.StartPage(1.0);
    pages.SetCurrentPage(5);
    EXPECT_EQ(pages.CurrentPage(), 1);
    pages.SetCurrentPage(-2);
    EXPECT_EQ(pages.CurrentPage(), 0);
}

TEST(GraphRangesTest, RangesFollowTheCounts)
{
    const AxisRanges y{{0.0, 5.0}, {0.0, 4.0}};
    RangeChange c = ExtendY(6.0, 6.0, y);
    EXPECT_EQ(c.data, (AxisExtent{0.0, 6.0}));
    EXPECT_EQ(c.visible, (AxisExtent{0.0, 6.0}));
    c = ExtendY(4.5, 0.0, y);
    EXPECT_FALSE(c.data);
    EXPECT_FALSE(c.visible) << "no count in view";
    c = ExtendY(5.5, 4.5, y);
    EXPECT_EQ(c.data, (AxisExtent{0.0, 5.5}));
    EXPECT_EQ(c.visible, (AxisExtent{0.0, 4.5}));

    // The data range grows to the edges of x's bin; the view follows while
    // it showed all the data and auto-scale is on.
    const AxisRanges x{{0.0, 1.0}, {0.0, 1.0}};
    c = ExtendX(1.0, 0.25, x, true);
    EXPECT_EQ(c.data, (AxisExtent{0.0, 1.25})) << "a value on a lower edge shows its bin";
    EXPECT_EQ(c.visible, c.data);
    EXPECT_FALSE(ExtendX(1.0, 0.25, x, false).visible);
    EXPECT_FALSE(ExtendX(1.0, 0.25, {{0.0, 1.0}, {0.0, 0.5}}, true).visible) << "the user zoomed in";
    EXPECT_EQ(ExtendX(-0.3, 0.25, x, true).data, (AxisExtent{-0.5, 1.0}));
    EXPECT_FALSE(ExtendX(0.6, 0.25, x, true).Any());
}

// What the pane skips must be what ExtendX would leave: values near and on
// the edges of a lag window whose ends are not exact in binary, then the
// same values once the range or the bin size is another.
TEST(GraphRangesTest, UnchangingXCoversOnlyValuesThatChangeNothing)
{
    UnchangingX known;
    EXPECT_FALSE(known.Covers(0.0, {-0.1, 0.1}, 0.001)) << "nothing known yet";
    std::mt19937_64 random(5);
    std::uniform_real_distribution<double> near(-0.1021, 0.1021);
    const AxisRanges windows[] = {{{-0.1, 0.1}, {-0.1, 0.1}}, {{-0.1, 0.1}, {-0.1, 0.1}}, {{-0.3, 0.2}, {-0.3, 0.2}}};
    const double binSizes[] = {0.001, 0.0003, 0.001};
    int covered = 0;
    for (std::size_t w = 0; w < std::size(windows); ++w) {
        for (int i = 0; i < 20000; ++i) {
            const double x = i % 3 == 0 ? std::round(near(random) * 20000.0) / 20000.0 : near(random);
            const bool changes = ExtendX(x, binSizes[w], windows[w], true).Any();
            if (known.Covers(x, windows[w].data, binSizes[w])) {
                ASSERT_FALSE(changes) << x;
                ++covered;
            } else if (!changes) {
                known.Add(x, windows[w].data, binSizes[w]);
            }
        }
    }
    EXPECT_GT(covered, 30000);
    known.Add(1e300, {-0.1, 0.1}, 1e-300);
    EXPECT_FALSE(known.Covers(0.0, {-0.1, 0.1}, 1e-300)) << "a value without a bin bounds nothing";
}

} // namespace

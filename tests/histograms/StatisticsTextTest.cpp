#include <gtest/gtest.h>

#include "histograms/BinSizeSteps.h"
#include "histograms/HistogramPages.h"
#include "histograms/StatisticsText.h"

namespace {

using namespace Nerolith;

StatisticsLines LinesOf(const HistogramPages& pages, std::int32_t options = kShowAllStatistics)
{
    return BuildStatisticsLines(u"Unit 1", pages, pages.YStatistics(), options, u';');
}

void Count(HistogramPages& pages, std::initializer_list<double> values)
{
    for (const double x : values) {
        pages.CountValue(*pages.BinIndex(x), x);
    }
}

TEST(StatisticsTextTest, LinesReadAsTheViewShowsThem)
{
    HistogramPages pages;
    pages.SetBinSize(0.25);
    EXPECT_EQ(LinesOf(pages).header, u"Unit 1.  ") << "no page yet";

    pages.StartPage(0.0);
    StatisticsLines lines = LinesOf(pages);
    EXPECT_EQ(lines.header, u"Unit 1: Count = 0.  ");
    EXPECT_TRUE(lines.x.empty());
    EXPECT_TRUE(lines.y.empty());

    Count(pages, {0.1, 0.3, 0.4, 0.9});
    lines = LinesOf(pages);
    EXPECT_EQ(lines.header, u"Unit 1: Count = 4.  ");
    EXPECT_EQ(lines.x, u"X: Mean = 0.4250; SD = 0.2947; SEM = 0.1474");
    EXPECT_EQ(lines.y, u"Y: Min = 0; Max = 2; Mean = 1.0000; SD = 0.7071");

    // Each line starts with its first item present.
    lines = LinesOf(pages, kShowSemX | kShowSdY);
    EXPECT_EQ(lines.x, u"X: SEM = 0.1474");
    EXPECT_EQ(lines.y, u"Y: SD = 0.7071");
    lines = LinesOf(pages, kShowMaxY);
    EXPECT_TRUE(lines.x.empty());
    EXPECT_EQ(lines.y, u"Y: Max = 2");

    // The count is that of the values inside the selection.
    HistogramPages selected;
    selected.SetBinSize(0.25);
    selected.SetSelection(0.25, 0.5);
    selected.StartPage(0.0);
    Count(selected, {0.1, 0.3, 0.4, 0.9});
    EXPECT_EQ(LinesOf(selected).header, u"Unit 1: Start = 0.25; End = 0.5; Count = 2.  ");
}

TEST(StatisticsTextTest, StatisticsAreaGrowsByALinePerGroupShown)
{
    EXPECT_EQ(StatisticsAreaHeight(kShowAllStatistics), 44);
    EXPECT_EQ(StatisticsAreaHeight(kShowMeanX), 30);
    EXPECT_EQ(StatisticsAreaHeight(kShowSdY), 30);
    EXPECT_EQ(StatisticsAreaHeight(0), 16);
}

TEST(StatisticsTextTest, CopiedTextLeavesMissingCellsEmpty)
{
    HistogramPages pages;
    pages.SetBinSize(0.5);
    std::u16string text;
    AppendCopiedText(text, u"Unit 2", u"Time", pages);
    EXPECT_EQ(text, u"Unit 2\n");

    pages.StartPage(0.0);
    Count(pages, {0.2, 1.2});
    pages.StartPage(1.0);
    Count(pages, {0.7});
    pages.StartPage(2.0);
    text.clear();
    AppendCopiedText(text, u"Unit 2", u"Time", pages);
    EXPECT_EQ(text, u"Unit 2\n"
                    u"Time\tPage 1\tPage 2\tPage 3\n"
                    u"0\t1\t0\t\n"
                    u"0.5\t0\t1\t\n"
                    u"1\t1\t\t\n"
                    u"\n");

    // Rows name the lower edges of the bins, also below zero.
    HistogramPages lags;
    lags.SetBinSize(0.25);
    lags.SetXOrigin(-0.5);
    lags.StartPage(0.0);
    Count(lags, {-0.5});
    text.clear();
    AppendCopiedText(text, u"U", u"Time", lags);
    EXPECT_EQ(text, u"U\nTime\tPage 1\n-0.5\t1\n\n");
}

TEST(StatisticsTextTest, BinHintNamesTheBinEdgesAndItsCount)
{
    EXPECT_EQ(BinHint(0.01, 0.01, 3.0f, u','), u"Bin [0.01,0.02): Count = 3");
    EXPECT_EQ(BinHint(-0.1, 0.05, 12.0f, u';'), u"Bin [-0.1;-0.05): Count = 12");
}

TEST(BinSizeStepsTest, SizesStepThroughOneTwoFive)
{
    EXPECT_EQ(NextLargerBinSize(0.01), 0.02);
    EXPECT_EQ(NextLargerBinSize(0.02), 0.05);
    EXPECT_EQ(NextLargerBinSize(0.05), 0.1);
    EXPECT_EQ(NextLargerBinSize(1.0), 2.0);
    EXPECT_EQ(NextSmallerBinSize(0.01), 0.005);
    EXPECT_EQ(NextSmallerBinSize(0.005), 0.002);
    EXPECT_EQ(NextSmallerBinSize(0.002), 0.001);
    EXPECT_EQ(NextSmallerBinSize(0.1), 0.05);
    EXPECT_EQ(NextLargerBinSize(0.03), 0.05);
    EXPECT_EQ(NextSmallerBinSize(0.03), 0.02);
    EXPECT_EQ(NextLargerBinSize(0.0096), 0.02);

    EXPECT_TRUE(CanDecreaseBinSize(0.0000002));
    EXPECT_EQ(NextSmallerBinSize(0.0000002), kSmallestBinSize);
    EXPECT_EQ(NextSmallerBinSize(0.00000015), kSmallestBinSize);
    EXPECT_FALSE(CanDecreaseBinSize(kSmallestBinSize));
}

} // namespace

#include <gtest/gtest.h>

#include "PaneTestSupport.h"
#include "graph/GraphMessages.h"
#include "graph/HistogramWindow.h"
#include "graph/SelectionQueen.h"
#include "histograms/RateMeter.h"
#include "platform/text/ListSeparator.h"
#include "platform/ui/RecordingDC.h"

namespace {

using namespace Nerolith;
using histtest::FakeOwner;
namespace ui = platform::ui;

class HistogramPaneTest : public ::testing::Test {
protected:
    HistogramPaneTest()
    {
        VEX::OverrideListSeparator(u';');
        pane.SetBinSize(0.25);
        pane.StartPage(0.0);
        for (const double t : {0.3, 0.4, 0.9}) {
            pane.AddSpike(3, t);
        }
    }
    ~HistogramPaneTest() override { VEX::OverrideListSeparator(std::nullopt); }

    FakeOwner owner;
    RateMeter pane{nullptr, owner, 3, Host::UnitDescription{}};
};

TEST_F(HistogramPaneTest, PaintsTheLabelAndStatisticsAboveTheGraph)
{
    EXPECT_EQ(pane.Label(), VEX::String(u"Unit 4"));
    pane.MoveWindow(0, 0, 400, 200);
    EXPECT_EQ(pane.Graph().GetWindowRect(), ui::TRect(0, 44, 400, 200));

    ui::RecordingDC dc;
    pane.PaintTo(dc);
    const ui::DrawRecord* header = dc.FindText(u"Unit 4: Count = 3.  ");
    const ui::DrawRecord* x = dc.FindText(u"X: Mean = 0.5333");
    const ui::DrawRecord* y = dc.FindText(u"Y: Min = 0; Max = 2");
    ASSERT_TRUE(header && x && y);
    EXPECT_EQ(header->rect.top, 2);
    EXPECT_EQ(x->rect.top, 16);
    EXPECT_EQ(y->rect.top, 30);

    // Without X items the Y line moves up; the view shrinks the area.
    owner.options = kShowMaxY;
    pane.SetStatisticsArea(StatisticsAreaHeight(owner.options));
    EXPECT_EQ(pane.Graph().GetWindowRect().top, 30);
    dc.Clear();
    pane.PaintTo(dc);
    ASSERT_TRUE(dc.FindText(u"Y: Max = 2"));
    EXPECT_EQ(dc.FindText(u"Y: Max = 2")->rect.top, 16);
}

TEST_F(HistogramPaneTest, DescribesTheBinUnderThePointer)
{
    const auto frame = DUdido1::PlotFrame::Make(ui::TRect(0, 0, 100, 100), {0.0, 1.0}, {0.0, 4.0});
    DUdido1::MouseTrackHintMsg over(ui::TPoint(30, 50), frame);
    pane.Graph().Send(over);
    ASSERT_EQ(over.items.size(), 1u);
    EXPECT_EQ(over.items[0], VEX::String(u"Bin [0.25;0.5): Count = 2"));

    const auto wide = DUdido1::PlotFrame::Make(ui::TRect(0, 0, 100, 100), {0.0, 2.0}, {0.0, 4.0});
    DUdido1::MouseTrackHintMsg beyond(ui::TPoint(99, 50), wide);
    pane.Graph().Send(beyond);
    EXPECT_TRUE(beyond.items.empty()) << "past the counted bins";

    DUdido1::HintTextChangedMsg changed(over.items[0]);
    pane.Graph().Send(changed);
    ui::RecordingDC dc;
    pane.PaintTo(dc);
    EXPECT_TRUE(dc.FindText(u"Count = 3.  Bin [0.25;0.5): Count = 2"));
}

TEST_F(HistogramPaneTest, ServesTheDisplayedPageAndReportsSelections)
{
    DUdido1::BinSeries bins = pane.Bins();
    EXPECT_EQ(bins.first, 0.0);
    EXPECT_EQ(bins.width, 0.25);
    EXPECT_EQ(std::vector<float>(bins.counts.begin(), bins.counts.end()), (std::vector<float>{0, 2, 0, 1}));
    EXPECT_GE(pane.Graph().GetRange().second, 2.0) << "the Y axis follows the counts";
    EXPECT_EQ(pane.Graph().GetDomain(), (std::pair{0.0, 1.0}));

    pane.StartPage(1.0);
    pane.SetCurrentPage(1);
    EXPECT_TRUE(pane.Bins().counts.empty()) << "the new, empty page";

    DUdido1::SelectionQueen& queen = *pane.Graph().GetSelectionQueen();
    DUdido1::MessageQueenTrackEnd end(queen, queen.Kind(), {0.25, 0.75}, {0.25, 0.75});
    queen.Send(end);
    ASSERT_EQ(owner.chosen.size(), 1u);
    EXPECT_EQ(owner.chosen[0], (std::pair{0.25, 0.75}));

    pane.SetSelection(0.3, 0.6);
    EXPECT_EQ(queen.Start(), 0.25);
    EXPECT_EQ(queen.End(), 0.75);

    std::u16string text;
    pane.CopyText(text);
    EXPECT_EQ(text, u"Unit 4\nTime\tPage 1\tPage 2\n0\t0\t\n0.25\t2\t\n0.5\t0\t\n0.75\t1\t\n\n");

    pane.Clear();
    EXPECT_EQ(pane.PageCount(), 0);
    EXPECT_EQ(pane.Graph().GetRange(), (std::pair{0.0, 1.0}));
}

} // namespace

#include <gtest/gtest.h>

#include "discriminator/ScatterPlot.h"
#include "discriminator/ScatterFixture.h"
#include "platform/ui/TBitmap.h"
#include "platform/ui/TMemoryDC.h"

namespace {

using namespace TestSupport;
using automation::MouseAction;
using automation::MouseButton;
using platform::ui::TPoint;

class ScatterInteraction : public ScatterFixture {
protected:
    double MidWidth() { return (Graph().GetDomain().first + Graph().GetDomain().second) / 2; }
};

TEST_F(ScatterInteraction, HoverTellsTheHeightAndWidthOfThePointUnderThePointer)
{
    Analyze();
    ASSERT_EQ(doc->SpikeCount(), 5);
    const TPoint at = PixelOf(2);
    Mouse(MouseAction::Move, MouseButton::None, at.OffsetBy(3, 2));
    Host::SpikeInfo info;
    doc->GetSpike(2, &info);
    std::ostringstream expected;
    expected << "Height = " << info.height << " mV, Width = " << info.widthMs << " ms";
    EXPECT_EQ(Graph().HintText(), VEX::String::FromUtf8(expected.str()));

    const DUdido1::PlotFrame frame = Graph().CurrentFrame();
    Mouse(MouseAction::Move, MouseButton::None, {frame.rect.right - 2, frame.rect.top + 2});
    EXPECT_EQ(Graph().HintText(), VEX::String()) << "nothing within reach";
}

TEST_F(ScatterInteraction, ClickSelectsTheSpikeUnderThePointerAndEmptySpaceClears)
{
    Analyze();
    LeftClick(PixelOf(3));
    EXPECT_EQ(Selection(), 3);
    LeftClick(PixelOf(1).OffsetBy(0, -5));
    EXPECT_EQ(Selection(), 1);
    const DUdido1::PlotFrame frame = Graph().CurrentFrame();
    LeftClick({frame.rect.right - 2, frame.rect.top + 2});
    EXPECT_EQ(Selection(), -1);
}

TEST_F(ScatterInteraction, APictureAtAnotherSizeLeavesClicksMeetingTheirPoints)
{
    Analyze();
    const TPoint at = PixelOf(4);
    // A printout or picture is drawn at its own size; the screen's index stays.
    platform::ui::TBitmap bitmap(2400, 1800);
    {
        platform::ui::TMemoryDC dc(bitmap);
        Graph().DrawPicture(dc, platform::ui::TRect(0, 0, 2400, 1800));
    }
    LeftClick(at);
    EXPECT_EQ(Selection(), 4);
}

TEST_F(ScatterInteraction, DraggingTheThresholdStoresItAndAnalysesAgain)
{
    Analyze();
    ASSERT_EQ(doc->SpikeCount(), 5);
    const double before = Record().detectionThreshold;
    const TPoint line = PixelAt(MidWidth(), before);
    const TPoint target = PixelAt(MidWidth(), 0.95);
    Drag({line, {line.x, (line.y + target.y) / 2}, target});
    const double after = Record().detectionThreshold;
    EXPECT_NEAR(after, 0.95, 0.02);
    EXPECT_EQ(doc->SpikeCount(), 3) << "the spikes of 0.5 and 0.8 no longer cross it";
}

TEST_F(ScatterInteraction, DraggingTheThresholdOfAChannelNeverAnalysedOnlyStoresIt)
{
    Open();
    ASSERT_FALSE(Record().analyzed);
    const TPoint line = PixelAt(MidWidth(), Record().detectionThreshold);
    Drag({line, line.OffsetBy(0, -40)});
    EXPECT_GT(Record().detectionThreshold, 0.2);
    EXPECT_FALSE(Record().analyzed);
    EXPECT_EQ(doc->SpikeCount(), 0);
}

TEST_F(ScatterInteraction, TheExtentsStayThroughAThresholdDragAndFollowLaterAnalyses)
{
    Analyze();
    const auto domain = Graph().GetDomain();
    const auto range = Graph().GetRange();
    const TPoint line = PixelAt(MidWidth(), Record().detectionThreshold);
    Drag({line, PixelAt(MidWidth(), 0.95)});
    EXPECT_EQ(Graph().GetDomain(), domain) << "the plot does not jump under the dragged line";
    EXPECT_EQ(Graph().GetRange(), range);

    // The user autoscales; a later analysis moves the plot with its spikes.
    Graph().SetDomain(Graph().GetDefaultDomain().first, Graph().GetDefaultDomain().second);
    Graph().SetRange(Graph().GetDefaultRange().first, Graph().GetDefaultRange().second);
    Host::ChannelAnalysisRecord record = Record();
    record.detectionThreshold = 0.3;
    ASSERT_EQ(doc->ConfirmSettings(record), S_OK);
    host->Messages().DeliverPending();
    ASSERT_EQ(doc->SpikeCount(), 5);
    EXPECT_EQ(Graph().GetRange(), Graph().GetDefaultRange()) << "no drag flag left over";
    EXPECT_NE(Graph().GetRange(), range);
}

} // namespace

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "graph/Graph2DDrawer.h"
#include "graph/GraphMessages.h"
#include "graph/Plotter.h"
#include "graph/QueenLineH.h"
#include "graph/SelectionQueen.h"
#include "platform/ui/RecordingDC.h"

namespace {

using namespace DUdido1;
using platform::ui::DrawOp;
using platform::ui::TRect;

// Draws one pixel, so the log shows when it was drawn.
struct MarkPlotter : Plotter {
    void Draw(platform::ui::TDC& dc, const PlotFrame& frame) override
    {
        dc.SetPixel(frame.rect.left, frame.rect.top, Colour());
    }
};

TEST(PlotFrame, MapsWithTheAffineRuleTruncatingTowardZero)
{
    const PlotFrame frame = PlotFrame::Make({10, 20, 110, 70}, {-1.0, 3.0}, {0.0, 10.0});
    EXPECT_DOUBLE_EQ(frame.x.factor, 25.0);
    EXPECT_DOUBLE_EQ(frame.x.offset, 1.0);
    EXPECT_EQ(frame.PixelX(-1.0), 10);
    EXPECT_EQ(frame.PixelX(3.0), 110);
    EXPECT_EQ(frame.PixelX(-1.43), 0) << "-0.75 truncates toward zero";
    EXPECT_EQ(frame.PixelY(10.0), 20);
    EXPECT_EQ(frame.PixelY(0.0), 70);
    const PlotPointer pointer = frame.PointerAt({35, 45});
    EXPECT_DOUBLE_EQ(pointer.x, 0.0);
    EXPECT_DOUBLE_EQ(pointer.y, 5.0);
    EXPECT_EQ(frame.PixelX(1e300), 1000000000) << "far values are pinned, not overflowed";
}

TEST(Graph2DDrawer, DrawsInOrderBetweenItsRedrawMessages)
{
    struct Log : MessSys::MessageReceiver {
        void Receive(MessSys::Message& message) override
        {
            if (dynamic_cast<MsgGraph2DDrawerNotifyBeginRedraw*>(&message)) {
                entries.push_back("begin " + std::to_string(dc->Records().size()));
            } else if (dynamic_cast<MsgGraph2DDrawerNotifyEndRedraw*>(&message)) {
                entries.push_back("end " + std::to_string(dc->Records().size()));
            }
        }
        platform::ui::RecordingDC* dc = nullptr;
        std::vector<std::string> entries;
    };
    platform::ui::RecordingDC dc;
    Log log;
    log.dc = &dc;
    Graph2DDrawer drawer;
    drawer.Attach(&log);
    drawer.SetInsets(30, 20);
    MarkPlotter shown, hidden, last;
    shown.SetColour(1);
    hidden.SetColour(2);
    hidden.SetVisible(false);
    last.SetColour(3);
    for (Plotter* plotter : {static_cast<Plotter*>(&shown), static_cast<Plotter*>(&hidden), static_cast<Plotter*>(&last)}) {
        drawer.AddPlotter(plotter);
    }
    EXPECT_EQ(drawer.GetPlotter(2), &last);
    EXPECT_EQ(drawer.GetPlotter(3), nullptr);
    EXPECT_EQ(drawer.GetPlotter(-1), nullptr);

    drawer.Draw(dc, {0, 0, 200, 100});
    ASSERT_EQ(dc.Records().size(), 3u);
    EXPECT_EQ(dc.Records()[0].op, DrawOp::FillRect);
    EXPECT_EQ(dc.Records()[0].rect, TRect(30, 0, 200, 80));
    EXPECT_EQ(dc.Records()[1].color, 1u);
    EXPECT_EQ(dc.Records()[2].color, 3u);
    EXPECT_EQ(log.entries, (std::vector<std::string>{"begin 0", "end 3"}));

    // However small the area, the plot keeps a pixel each way.
    EXPECT_EQ(drawer.PlotRect({0, 0, 10, 10}), TRect(30, -11, 31, -10));
}

TEST(Graph2DDrawer, APressThatGrabsNoQueenSelectsWholeBins)
{
    struct Ends : MessSys::MessageReceiver {
        void Receive(MessSys::Message& message) override
        {
            if (auto* end = dynamic_cast<MessageQueenTrackEnd*>(&message)) {
                ranges.push_back(end->position);
            }
        }
        std::vector<QueenPosition> ranges;
    } ends;
    Graph2DDrawer drawer;
    drawer.SetArea({0, 0, 100, 100});
    drawer.SetDomain(0.0, 100.0);
    drawer.SetRange(0.0, 100.0);
    SelectionQueen selection;
    selection.SetSnap(0.0, 10.0);
    selection.Attach(&ends);
    drawer.SetSelectionQueen(&selection);
    QueenLineH line;
    line.SetPosition(0.0, 50.0);
    drawer.AddQueen(&line);
    drawer.Queens().SetHitTolerance(9.0);

    drawer.LButtonDown({23, 10});
    drawer.MouseMove({60, 10});
    drawer.LButtonUp({47, 10});
    EXPECT_DOUBLE_EQ(selection.Start(), 20.0);
    EXPECT_DOUBLE_EQ(selection.End(), 50.0);
    EXPECT_TRUE(selection.IsActive());

    // A press on the line drags the line, not the selection.
    drawer.LButtonDown({5, 51});
    drawer.LButtonUp({5, 41});
    EXPECT_DOUBLE_EQ(line.Position().y, 60.0);
    EXPECT_DOUBLE_EQ(selection.End(), 50.0);

    // A click without a drag clears the selection.
    drawer.LButtonDown({70, 10});
    drawer.LButtonUp({70, 10});
    EXPECT_FALSE(selection.IsActive());
    ASSERT_EQ(ends.ranges.size(), 2u);
    EXPECT_EQ(ends.ranges[0], (QueenPosition{20.0, 50.0}));
    EXPECT_EQ(ends.ranges[1], (QueenPosition{}));
}

// Parts the graph does not own may die first; the graph then forgets them
// rather than calling into them later.
TEST(Graph2DDrawer, ForgetsPartsItDoesNotOwnWhenTheyAreDestroyedFirst)
{
    Graph2DDrawer drawer;
    {
        MarkPlotter plotter;
        drawer.AddPlotter(&plotter);
        SelectionQueen selection;
        drawer.SetSelectionQueen(&selection);
    }
    EXPECT_EQ(drawer.PlotterCount(), 0);
    EXPECT_EQ(drawer.GetSelectionQueen(), nullptr);
    platform::ui::RecordingDC dc;
    drawer.Draw(dc, {0, 0, 200, 100});
    EXPECT_EQ(dc.Records().size(), 1u) << "only the plot area is filled";
}

} // namespace

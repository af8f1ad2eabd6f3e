#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "graph/QueenController.h"
#include "graph/QueenFreeHand.h"
#include "graph/QueenLineH.h"
#include "platform/ui/RecordingDC.h"

namespace {

using namespace DUdido1;
using platform::ui::DrawOp;
using platform::ui::TPoint;

// Everything the queens and the controller say, in order.
struct MessageLog : MessSys::MessageReceiver {
    void Receive(MessSys::Message& message) override
    {
        if (auto* changed = dynamic_cast<MessageQueenChanged*>(&message)) {
            entries.push_back("changed " + std::to_string(changed->kind));
            lastChanged = {changed->oldPosition, changed->newPosition};
        } else if (auto* end = dynamic_cast<MessageQueenTrackEnd*>(&message)) {
            entries.push_back("end " + std::to_string(end->kind));
            lastEnd = end->position;
        } else if (dynamic_cast<MessageQueenControllerTrackBegin*>(&message)) {
            entries.push_back("begin");
        } else if (dynamic_cast<MessageQueenControllerTrackEnd*>(&message)) {
            entries.push_back("released");
        }
    }
    std::vector<std::string> entries;
    std::pair<QueenPosition, QueenPosition> lastChanged;
    QueenPosition lastEnd;
};

class QueenTest : public ::testing::Test {
protected:
    QueenTest()
    {
        // 200 by 100 pixels at (10, 20), one pixel per data unit; data y 50
        // is row 70.
        controller.SetFrame(PlotFrame::Make({10, 20, 210, 120}, {0.0, 200.0}, {0.0, 100.0}));
        line.SetPosition(0.0, 50.0);
        for (MessSys::MessageSender* sender : std::initializer_list<MessSys::MessageSender*>{&controller, &line, &hand}) {
            sender->Attach(&log);
        }
    }
    void Press(std::int32_t row) { controller.MouseDown({100, row}); }

    QueenController controller;
    QueenLineH line;
    QueenFreeHand hand;
    MessageLog log;
};

TEST_F(QueenTest, ThePressGrabsTheNearestQueenAndTheEarlierOnATie)
{
    controller.Adopt(&hand);
    controller.Adopt(&line);

    // Two pixels off the line: 4.0 against the free hand's 4.0.
    Press(68);
    EXPECT_EQ(controller.TrackedQueen(), &hand);
    controller.MouseUp({100, 68});

    // One pixel off: the line is nearer, and goes to the front.
    Press(71);
    EXPECT_EQ(controller.TrackedQueen(), &line);
    EXPECT_EQ(controller.At(0), &line);
    controller.MouseUp({100, 71});

    // Now the line is first, and wins the tie.
    Press(72);
    EXPECT_EQ(controller.TrackedQueen(), &line);
    controller.MouseUp({100, 72});

    // Anything farther starts a free-hand shape; a press outside the plot
    // does nothing at all.
    Press(40);
    EXPECT_EQ(controller.TrackedQueen(), &hand);
    controller.MouseUp({100, 40});
    log.entries.clear();
    controller.MouseDown({5, 70});
    controller.MouseUp({5, 70});
    EXPECT_TRUE(log.entries.empty());
}

TEST_F(QueenTest, ADragReportsChangesButNoneWhenItEndsWhereItBegan)
{
    controller.Adopt(&line);

    Press(70);
    controller.MouseUp({100, 70});
    EXPECT_EQ(log.entries, (std::vector<std::string>{"begin", "end 1", "released"}));
    EXPECT_FALSE(line.HasMoved());

    log.entries.clear();
    Press(70);
    controller.MouseMove({100, 50});
    controller.MouseMove({100, 70});
    controller.MouseUp({100, 70});
    EXPECT_EQ(log.entries, (std::vector<std::string>{"begin", "changed 1", "changed 1", "end 1", "released"}));
    EXPECT_DOUBLE_EQ(line.Position().y, 50.0);

    // Grabbed a pixel below the line, it keeps that offset.
    log.entries.clear();
    Press(71);
    controller.MouseUp({300, 51});
    EXPECT_EQ(log.entries, (std::vector<std::string>{"begin", "changed 1", "end 1", "released"}));
    EXPECT_DOUBLE_EQ(log.lastChanged.first.y, 50.0);
    EXPECT_DOUBLE_EQ(log.lastChanged.second.y, 70.0);
    EXPECT_DOUBLE_EQ(log.lastChanged.second.x, 0.0) << "a horizontal line only moves up and down";
    EXPECT_DOUBLE_EQ(log.lastEnd.y, 70.0);
    EXPECT_TRUE(line.HasMoved());
    EXPECT_FALSE(line.IsTracking());
}

TEST_F(QueenTest, HiddenQueensAreNeitherDrawnNorHit)
{
    line.SetFillColour(platform::ui::RGB(1, 2, 3));
    controller.Adopt(&line);
    controller.Adopt(&hand);
    line.SetVisible(false);

    Press(70);
    EXPECT_EQ(controller.TrackedQueen(), &hand);
    controller.MouseUp({100, 70});

    platform::ui::RecordingDC dc;
    controller.Draw(dc, controller.Frame());
    EXPECT_TRUE(dc.Find(DrawOp::FillRect).empty());

    line.SetVisible(true);
    controller.Draw(dc, controller.Frame());
    const auto fills = dc.Find(DrawOp::FillRect);
    ASSERT_EQ(fills.size(), 1u);
    EXPECT_EQ(fills.front()->rect, platform::ui::TRect(10, 70, 210, 71));
}

TEST_F(QueenTest, AFreeHandShapeTakesAPointPerPixelMovedAndClosesWhenDone)
{
    controller.Adopt(&hand);
    Press(40);
    controller.MouseMove({100, 40});
    controller.MouseUp({100, 40});
    EXPECT_EQ(hand.PointCount(), 1u);

    Press(40);
    for (const TPoint p : {TPoint{120, 40}, TPoint{120, 40}, TPoint{120, 60}, TPoint{100, 60}}) {
        controller.MouseMove(p);
    }
    platform::ui::RecordingDC dc;
    hand.Draw(dc, controller.Frame());
    ASSERT_EQ(dc.Find(DrawOp::Polyline).size(), 1u);
    EXPECT_EQ(dc.Find(DrawOp::Polyline).front()->points.size(), 4u) << "open while drawing";

    controller.MouseUp({100, 60});
    EXPECT_EQ(hand.PointCount(), 4u);
    EXPECT_DOUBLE_EQ(hand.Xs()[1], 110.0);
    EXPECT_DOUBLE_EQ(hand.Ys()[2], 60.0);
    dc.Clear();
    hand.Draw(dc, controller.Frame());
    const auto* shape = dc.Find(DrawOp::Polyline).front();
    ASSERT_EQ(shape->points.size(), 5u);
    EXPECT_EQ(shape->points.back(), shape->points.front());
    EXPECT_EQ(*shape->state.clip, platform::ui::TRect(11, 20, 210, 119));
}

} // namespace

#include <gtest/gtest.h>

#include <set>

#include "desk/ui/AxisScale.h"
#include "graph/GraphMessages.h"
#include "graph/HistogramWindow.h"
#include "platform/ui/Automation.h"
#include "platform/ui/RecordingDC.h"

namespace {

using namespace DUdido1;
namespace automation = platform::ui::automation;

// The graph window with the host's own axis scales.
class HostAxisScaleTest : public ::testing::Test {
protected:
    HostAxisScaleTest()
    {
        Desk::ui::AxisScale::Register();
        window.Create();
        window.MoveWindow(0, 0, 400, 300);
        window.SetDomain(0.0, 1.0);
        window.SetRange(0.0, 10.0);
    }
    ~HostAxisScaleTest() override { platform::ui::SetAxisScaleFactory({}); }

    HistogramWindow window{nullptr};
};

TEST_F(HostAxisScaleTest, TheGridStandsAtTheScalesTicks)
{
    platform::ui::RecordingDC dc;
    window.DrawPicture(dc, window.GetClientRect());
    const ui::TRect plot = window.CurrentFrame().rect;
    std::set<std::int32_t> expectedX;
    for (const std::int32_t offset : window.Scale(GraphAxis::Horizontal)->TickPositions()) {
        if (offset < plot.Width()) {
            expectedX.insert(plot.left + offset);
        }
    }
    std::set<std::int32_t> gridX;
    for (const auto& [from, to] : dc.Segments(GraphDisplayInfo{}.gridColour)) {
        if (from.x == to.x) {
            gridX.insert(from.x);
        }
    }
    EXPECT_GE(expectedX.size(), 3u);
    EXPECT_EQ(gridX, expectedX);
}

TEST_F(HostAxisScaleTest, DraggingTheAxisSetsTheDomain)
{
    ui::IAxisScale& scale = *window.Scale(GraphAxis::Horizontal);
    const ui::TRect place = scale.Window().GetWindowRect();
    const ui::TRect plot = window.CurrentFrame().rect;
    const std::int32_t half = plot.left - place.left + plot.Width() / 2;
    const std::int32_t end = plot.left - place.left + plot.Width();
    automation::SendMouse(scale.Window(), automation::MouseAction::Press, automation::MouseButton::Left, {half, 10});
    automation::SendMouse(scale.Window(), automation::MouseAction::Move, automation::MouseButton::None, {end, 10},
                          ui::MK_LBUTTON);
    EXPECT_EQ(window.DraggedScale(), kHorizontalScaleId);
    automation::SendMouse(scale.Window(), automation::MouseAction::Release, automation::MouseButton::Left, {end, 10});

    EXPECT_EQ(window.DraggedScale(), 0);
    EXPECT_EQ(window.GetDomain(), scale.GetExtent());
    EXPECT_NEAR(window.GetDomain().second, 0.5, 0.01);
}

} // namespace

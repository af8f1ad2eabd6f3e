#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "desk/ui/AxisScale.h"
#include "desk/ui/TickRule.h"
#include "platform/ui/Automation.h"
#include "platform/ui/RecordingDC.h"

namespace Desk::ui {
namespace {

using namespace platform::ui;

TEST(TickRuleTest, StepsFollowTheOneTwoFiveRule)
{
    EXPECT_DOUBLE_EQ(NiceStep(0.3 / 3), 0.1);
    EXPECT_DOUBLE_EQ(NiceStep(0.11), 0.2);
    EXPECT_DOUBLE_EQ(NiceStep(0.21), 0.5);
    EXPECT_DOUBLE_EQ(NiceStep(0.51), 1.0);
    EXPECT_DOUBLE_EQ(NiceStep(7.0), 10.0);

    const TickLayout across = LayoutTicks(0.0, 1.0, 300, 50, false);
    EXPECT_DOUBLE_EQ(across.step, 0.2);
    EXPECT_EQ(across.offsets, (std::vector<std::int32_t>{0, 60, 120, 180, 240, 300}));
    const TickLayout upwards = LayoutTicks(0.0, 1.0, 300, 30, true);
    EXPECT_DOUBLE_EQ(upwards.step, 0.1);
    ASSERT_EQ(upwards.offsets.size(), 11u);
    EXPECT_EQ(upwards.offsets.front(), 0);
    EXPECT_DOUBLE_EQ(upwards.values.front(), 1.0);
    EXPECT_EQ(upwards.offsets.back(), 300);
}

TEST(TickRuleTest, OddExtentsGiveSoundTicksOrNone)
{
    const TickLayout shifted = LayoutTicks(-0.3, 0.7, 300, 50, false);
    ASSERT_EQ(shifted.values.size(), 5u);
    EXPECT_DOUBLE_EQ(shifted.values.front(), -0.2);
    EXPECT_FALSE(std::signbit(shifted.values[1]));
    EXPECT_TRUE(LayoutTicks(0.0, 1.0, 1, 50, false).offsets.empty());
    EXPECT_TRUE(LayoutTicks(2.0, 2.0, 300, 50, false).offsets.empty());
    EXPECT_EQ(LayoutTicks(1e18, 1e18 + 1e4, 300, 50, false).offsets.size(), 6u);
    EXPECT_TRUE(LayoutTicks(1e18, 1e18 + 512, 300, 50, false).offsets.empty());
    EXPECT_LE(LayoutTicks(-1e308, 1e308, 300, 50, false).offsets.size(), 8u);
}

TEST(TickRuleTest, LabelsCarryTheDecimalsOfTheStep)
{
    EXPECT_EQ(AxisScale::FormatTick(0.2, 0.2).ToUtf8(), "0.2");
    EXPECT_EQ(AxisScale::FormatTick(15.0, 5.0).ToUtf8(), "15");
    EXPECT_EQ(AxisScale::FormatTick(0.1, 0.05).ToUtf8(), "0.10");
    EXPECT_EQ(AxisScale::FormatTick(2e7, 1e7).ToUtf8(), "2e+07");
}

class Observer : public IDragScaleObserver {
public:
    void OnBeginDrag(IAxisScale&) override { events.emplace_back("begin"); }
    void OnEndDrag(IAxisScale&) override { events.emplace_back("end"); }
    void OnScalingChanged(IAxisScale&) override { events.emplace_back("changed"); }
    void OnAutoScale(IAxisScale&) override { events.emplace_back("auto"); }
    std::vector<std::string> events;
};

class AxisScaleTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        AxisScale::Register();
        plotWindow_.MoveWindow(0, 0, 400, 300);
    }
    void TearDown() override { SetAxisScaleFactory(nullptr); }

    TWindow plotWindow_;
};

TEST_F(AxisScaleTest, FactoryMakesScalesThatReportTheirTicks)
{
    auto scale = CreateAxisScale(plotWindow_, AxisOrientation::Horizontal);
    ASSERT_NE(scale, nullptr);
    EXPECT_FALSE(scale->SetExtent(1.0, 1.0));
    EXPECT_FALSE(scale->SetExtent(0.0, std::numeric_limits<double>::infinity()));
    ASSERT_TRUE(scale->SetExtent(0.0, 1.0));
    scale->PlaceBeside(TRect(60, 10, 360, 210));
    EXPECT_EQ(scale->PixelExtent(), 300);
    EXPECT_EQ(scale->Window().GetWindowRect(), TRect(30, 210, 390, 210 + scale->Thickness()));
    EXPECT_EQ(scale->TickPositions(), (std::vector<std::int32_t>{0, 60, 120, 180, 240, 300}));
    EXPECT_DOUBLE_EQ(scale->TickStep(), 0.2);
    EXPECT_EQ(scale->FirstTickOffset(), 300);
    EXPECT_DOUBLE_EQ(scale->TickStepPixels(), -60.0);

    auto vertical = CreateAxisScale(plotWindow_, AxisOrientation::Vertical);
    vertical->PlaceBeside(TRect(60, 10, 360, 11));
    EXPECT_TRUE(vertical->TickPositions().empty());
    EXPECT_EQ(vertical->TickStepPixels(), 0.0);
}

TEST_F(AxisScaleTest, DraggingRescalesWithinLimitsAndTellsObservers)
{
    AxisScale scale(plotWindow_, AxisOrientation::Horizontal);
    scale.SetExtent(0.0, 1.0);
    scale.SetDefaultExtent(-1.0, 1.0);
    scale.SetLimits(0.0, 2.0);
    scale.PlaceBeside(TRect(60, 10, 360, 210));
    Observer observer;
    scale.Attach(&observer);
    scale.Attach(&observer);

    using namespace automation;
    // The plot's left edge is 30 pixels into the scale's window.
    SendMouse(scale, MouseAction::Press, MouseButton::Left, {30 + 150, 5});
    SendMouse(scale, MouseAction::Move, MouseButton::None, {30 + 300, 5}, MK_LBUTTON);
    SendMouse(scale, MouseAction::Move, MouseButton::None, {30 + 300, 5}, MK_LBUTTON);
    SendMouse(scale, MouseAction::Release, MouseButton::Left, {30 + 300, 5});
    EXPECT_DOUBLE_EQ(scale.GetExtent().second, 0.5);
    EXPECT_EQ(observer.events, (std::vector<std::string>{"begin", "changed", "end"}));

    observer.events.clear();
    SendMouse(scale, MouseAction::Press, MouseButton::Left, {30 + 100, 5}, MK_SHIFT);
    SendMouse(scale, MouseAction::Move, MouseButton::None, {30 + 250, 5}, MK_LBUTTON | MK_SHIFT);
    SendMouse(scale, MouseAction::Release, MouseButton::Left, {30 + 250, 5});
    EXPECT_EQ(scale.GetExtent(), std::make_pair(0.0, 0.5));
    EXPECT_EQ(observer.events, (std::vector<std::string>{"begin", "end"}));

    observer.events.clear();
    Click(scale, AxisScale::kAutoScaleButton);
    EXPECT_EQ(scale.GetExtent(), std::make_pair(-1.0, 1.0));
    scale.Detach(&observer);
    Click(scale, AxisScale::kAutoScaleButton);
    EXPECT_EQ(observer.events, (std::vector<std::string>{"auto"}));
}

TEST_F(AxisScaleTest, VerticalDragsCountFromTheBottomAndPansStopAtTheLimits)
{
    AxisScale scale(plotWindow_, AxisOrientation::Vertical);
    scale.SetExtent(0.0, 100.0);
    scale.SetLimits(-10.0, 200.0);
    scale.PlaceBeside(TRect(60, 10, 360, 210));
    EXPECT_EQ(scale.TickPositions().front(), 0);
    EXPECT_EQ(scale.TickPositions().back(), 200);

    using namespace automation;
    // The plot's top is 8 pixels into the window, its bottom at 208; grab
    // the value 50 and pull it down to a quarter of the height.
    SendMouse(scale, MouseAction::Press, MouseButton::Left, {30, 108});
    SendMouse(scale, MouseAction::Move, MouseButton::None, {30, 158}, MK_LBUTTON);
    SendMouse(scale, MouseAction::Release, MouseButton::Left, {30, 158});
    EXPECT_DOUBLE_EQ(scale.GetExtent().second, 200.0);

    // Moved up past the lower limit, a pan keeps the span and stops there.
    SendMouse(scale, MouseAction::Press, MouseButton::Left, {30, 200}, MK_SHIFT);
    SendMouse(scale, MouseAction::Move, MouseButton::None, {30, 100}, MK_LBUTTON | MK_SHIFT);
    SendMouse(scale, MouseAction::Release, MouseButton::Left, {30, 100});
    EXPECT_EQ(scale.GetExtent(), std::make_pair(-10.0, 190.0));
}

TEST_F(AxisScaleTest, DrawsTicksLabelsAndCaption)
{
    AxisScale horizontal(plotWindow_, AxisOrientation::Horizontal);
    horizontal.SetTitle(u"Time");
    horizontal.SetUnitText(u"s");
    RecordingDC dc;
    horizontal.Draw(dc, TRect(60, 10, 360, 210));
    for (const char16_t* label : {u"0.0", u"0.4", u"1.0", u"Time (s)"}) {
        EXPECT_NE(dc.FindText(label), nullptr) << VEX::String(label).ToUtf8();
    }
    // The axis line and six ticks.
    EXPECT_EQ(dc.Segments(kBlack).size(), 7u);

    AxisScale vertical(plotWindow_, AxisOrientation::Vertical);
    vertical.SetUnitText(u"mV");
    vertical.SetExtent(-50.0, 50.0);
    dc.Clear();
    vertical.Draw(dc, TRect(60, 10, 360, 210));
    const DrawRecord* caption = dc.FindText(u"mV");
    ASSERT_NE(caption, nullptr);
    EXPECT_EQ(caption->state.font.escapement, 900);
    EXPECT_NE(dc.FindText(u"-40"), nullptr);
}

TEST_F(AxisScaleTest, ALongVerticalTitleIsSetSmallerToFitAShortPane)
{
    AxisScale vertical(plotWindow_, AxisOrientation::Vertical);
    vertical.SetTitle(u"Correlation coefficient");
    vertical.SetExtent(-1.0, 1.0);
    RecordingDC dc;
    vertical.Draw(dc, TRect(60, 10, 360, 210));
    const DrawRecord* roomy = dc.FindText(u"Correlation coefficient");
    ASSERT_NE(roomy, nullptr);
    const std::int32_t fullHeight = roomy->state.font.height;

    dc.Clear();
    const TRect shortPlot(60, 10, 360, 130);
    vertical.Draw(dc, shortPlot);
    const DrawRecord* cramped = dc.FindText(u"Correlation coefficient");
    ASSERT_NE(cramped, nullptr);
    EXPECT_LT(cramped->state.font.height, fullHeight);
    // Upright text runs upwards from its origin: it stays between the pane's
    // upper margin and the autoscale button at the bottom.
    const std::int32_t length = cramped->rect.Width();
    const std::int32_t origin = cramped->points.at(0).y;
    EXPECT_LE(origin, shortPlot.bottom - 14);
    EXPECT_GE(origin - length, shortPlot.top - 8);

    // Too long even at the smallest size: shortened, never overflowing.
    dc.Clear();
    const TRect tinyPlot(60, 10, 360, 40);
    vertical.Draw(dc, tinyPlot);
    const DrawRecord* tiny = nullptr;
    for (const DrawRecord& record : dc.Records()) {
        if (record.state.font.escapement == 900) {
            tiny = &record;
        }
    }
    ASSERT_NE(tiny, nullptr);
    EXPECT_EQ(tiny->text.Str().back(), u'\u2026');
    EXPECT_GE(tiny->points.at(0).y - tiny->rect.Width(), tinyPlot.top - 8);
}

} // namespace
} // namespace Desk::ui

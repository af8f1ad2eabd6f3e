#include <gtest/gtest.h>

#include "discriminator/ScatterFixture.h"
#include "discriminator/ScatterPlot.h"

namespace {

using namespace TestSupport;
using automation::MouseAction;
using automation::MouseButton;
using platform::ui::TPoint;

// A channel whose values are shown a thousand times larger than they are
// kept (a unit prefix factor of 1e-3): the plot shows scaled heights, the
// document keeps channel units.
class ScatterUnitScale : public ScatterFixture {
protected:
    ScatterUnitScale()
    {
        host = NewHostDocument(Recording(1e-3));
        doc = ComPtr<Nerolith::SpikeDoc>::Attach(new Nerolith::SpikeDoc(host.Get()));
        Analyze();
    }
    double MidWidth() { return (Graph().GetDomain().first + Graph().GetDomain().second) / 2; }
};

TEST_F(ScatterUnitScale, PointsAndHoverShowScaledHeights)
{
    ASSERT_EQ(doc->SpikeCount(), 5);
    EXPECT_DOUBLE_EQ(Scatter().DisplayFactor(), 1000.0);
    EXPECT_GT(Graph().GetRange().second, 1700.0) << "the extents take in the shown heights";
    Mouse(MouseAction::Move, MouseButton::None, PixelOf(4));
    EXPECT_EQ(Graph().HintText().Str().substr(0, 16), u"Height = 1700 mV");
}

TEST_F(ScatterUnitScale, TheDraggedThresholdIsStoredInChannelUnits)
{
    const TPoint line = PixelAt(MidWidth(), Record().detectionThreshold * 1000.0);
    Drag({line, PixelAt(MidWidth(), 950.0)});
    EXPECT_NEAR(Record().detectionThreshold, 0.95, 0.02);
    EXPECT_EQ(doc->SpikeCount(), 3);
}

TEST_F(ScatterUnitScale, TheContourIsHandedOverInChannelUnits)
{
    const TPoint low = PixelOf(2);
    const TPoint high = PixelOf(3);
    Drag({{low.x - 25, high.y - 12}, {low.x + 25, high.y - 12}, {low.x + 25, low.y + 12}, {low.x - 25, low.y + 12}});
    ASSERT_TRUE(Scatter().ContourReady());
    for (const double height : Scatter().ContourHeights()) {
        EXPECT_LT(height, 2.0);
    }
    std::int32_t unit = -1;
    ASSERT_EQ(doc->CreateContourUnit(0, Scatter().ContourWidths(), Scatter().ContourHeights(), {}, &unit), S_OK);
    doc->AnalyzeChannel(0);
    EXPECT_EQ(UnitOf(2), unit);
    EXPECT_EQ(UnitOf(3), unit);
    EXPECT_EQ(UnitOf(1), -1);
}

TEST_F(ScatterUnitScale, ExtentsTheUserSetAreKeptInTheSettingsInChannelUnits)
{
    ASSERT_TRUE(Graph().SetDomain(0.1, 0.9));
    ASSERT_TRUE(Graph().SetRange(-200.0, 2200.0));
    EXPECT_EQ(doc->Settings().scatterWidthExtent, (std::pair<double, double>{0.1, 0.9}));
    EXPECT_NEAR(doc->Settings().scatterHeightExtent.first, -0.2, 1e-12);
    EXPECT_NEAR(doc->Settings().scatterHeightExtent.second, 2.2, 1e-12);
}

} // namespace

#include <gtest/gtest.h>

#include "discriminator/ScatterFixture.h"
#include "discriminator/Waveforms.h"
#include "platform/ui/RecordingDC.h"

namespace {

using namespace TestSupport;
using Nerolith::NearestSample;
using Nerolith::Waveform;

TEST(SpikePlotHint, SnapsToTheNearestSampleAndHalfwayToTheLater)
{
    const Waveform waveform{-0.5, 0.1, {1.0f, 2.0f, 3.0f}};
    EXPECT_NEAR(NearestSample(waveform, -0.44)->x, -0.4, 1e-12);
    EXPECT_EQ(NearestSample(waveform, -0.44)->value, 2.0f);
    EXPECT_EQ(NearestSample(waveform, -0.35)->value, 3.0f) << "halfway belongs to the later sample";
    EXPECT_EQ(NearestSample(waveform, -0.25)->value, 3.0f) << "up to half a step past the last";
    EXPECT_FALSE(NearestSample(waveform, -0.2));
    EXPECT_FALSE(NearestSample(waveform, -0.56));
    EXPECT_FALSE(NearestSample(Waveform{0.0, 0.1, {}}, 0.0)) << "a window that could not be read";
}

class SpikePlotSelection : public ScatterFixture {};

TEST_F(SpikePlotSelection, TheSelectedSpikeIsDrawnOverTheOthersAndHoverReadsItsSamples)
{
    Analyze();
    Nerolith::SpikePlot& plot = Open().Spikes();
    EXPECT_FALSE(plot.SelectedWaveform());
    // Each selection change reaches the view as the document's change
    // message, on which it refreshes.
    ASSERT_EQ(doc->SetSpikeSelection(4), S_OK);
    Open().Refresh();
    ASSERT_TRUE(plot.SelectedWaveform());
    const Waveform& selected = *plot.SelectedWaveform();
    EXPECT_FLOAT_EQ(*std::max_element(selected.values.begin(), selected.values.end()), 1.7f);

    DUdido1::Graph2DWindow& graph = plot.Graph();
    const DUdido1::PlotFrame frame = graph.CurrentFrame();
    // A pointer a little after the trigger: the trigger's sample, 0 ms.
    automation::SendMouse(graph, automation::MouseAction::Move, automation::MouseButton::None,
                          {frame.PixelX(0.02), frame.PixelY(0.0)});
    const std::u16string hint(graph.HintText().Str());
    EXPECT_TRUE(hint.starts_with(u"Time = 0 ms, Value = ")) << VEX::String(hint).ToUtf8();
    // The strip above the plot shows it on screen; a picture leaves it out.
    platform::ui::RecordingDC screen;
    graph.DrawContent(screen, true, graph.GetClientRect());
    const platform::ui::DrawRecord* shown = screen.FindText(VEX::String(hint));
    ASSERT_NE(shown, nullptr);
    EXPECT_LT(shown->rect.top, frame.rect.top) << "above the plot";
    platform::ui::RecordingDC picture;
    graph.DrawPicture(picture, graph.GetClientRect());
    EXPECT_EQ(picture.FindText(VEX::String(hint)), nullptr);

    ASSERT_EQ(doc->SetSpikeSelection(-1), S_OK);
    Open().Refresh();
    EXPECT_FALSE(plot.SelectedWaveform());
}

} // namespace

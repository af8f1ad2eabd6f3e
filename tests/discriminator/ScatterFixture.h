#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "discriminator/DiscriminatorClasses.h"
#include "discriminator/DiscriminatorView.h"
#include "module/DocumentWindows.h"
#include "platform/ui/Automation.h"
#include "shell/CommandTable.h"
#include "shell/SpikeDoc.h"
#include "support/HostDocuments.h"
#include "support/SpikyRecording.h"

namespace TestSupport {

namespace automation = platform::ui::automation;

// Spikes of heights 0.5, 0.8, 1.1, 1.4 and 1.7 (ticks 1000 to 5000) on
// channel 0, so that each has a point of its own in the scatter plot, and
// the discriminator view open on them.
class ScatterFixture : public ::testing::Test {
protected:
    static constexpr float kHeights[] = {0.5f, 0.8f, 1.1f, 1.4f, 1.7f};

    ScatterFixture() : saved(Nerolith::InstalledWindows())
    {
        Nerolith::DiscriminatorClasses().install();
        automation::Reset();
    }
    ~ScatterFixture() override
    {
        Nerolith::InstalledWindows().closeViews(*doc);
        Nerolith::InstalledWindows() = saved;
        automation::Reset();
    }

    // `unitFactor` is the channel's unit prefix factor.
    static std::unique_ptr<MemoryRecording> Recording(double unitFactor = 1.0)
    {
        static constexpr float kShape[] = {0.25f, 0.6f, 1.0f, 0.6f, 0.25f};
        std::vector<float> samples(10000, 0.0f);
        for (std::size_t s = 0; s < std::size(kHeights); ++s) {
            for (std::size_t k = 0; k < 5; ++k) {
                samples[1000 * (s + 1) - 2 + k] = kShape[k] * kHeights[s];
            }
        }
        auto recording = std::make_unique<MemoryRecording>(
            std::vector<std::vector<std::vector<float>>>{{samples, std::vector<float>(10000, 0.0f)}}, kSpikyInterval);
        recording->SetChannelUnitFactor(unitFactor);
        return recording;
    }

    void Analyze()
    {
        doc->Execute(Nerolith::Commands::kAnalyze);
        host->Messages().DeliverPending();
    }

    // The view, opened by its command the first time.
    Nerolith::DiscriminatorView& Open()
    {
        if (doc->FindView(Host::ViewKind::Discriminator) == nullptr) {
            EXPECT_EQ(doc->Execute(Nerolith::Commands::kDiscriminator), S_OK);
        }
        return dynamic_cast<Nerolith::DiscriminatorView&>(*doc->FindView(Host::ViewKind::Discriminator));
    }

    Nerolith::ScatterPlot& Scatter() { return Open().Scatter(); }
    DUdido1::Graph2DWindow& Graph() { return Scatter().Graph(); }

    // Where spike i shows in the scatter plot's window.
    platform::ui::TPoint PixelOf(std::int32_t spike)
    {
        Host::SpikeInfo info;
        EXPECT_EQ(doc->GetSpike(spike, &info), S_OK);
        const DUdido1::PlotFrame frame = Graph().CurrentFrame();
        return {frame.PixelX(info.widthMs), frame.PixelY(info.height * Scatter().DisplayFactor())};
    }

    // Where a value shows, in data units as the plot shows them.
    platform::ui::TPoint PixelAt(double width, double shownHeight)
    {
        const DUdido1::PlotFrame frame = Graph().CurrentFrame();
        return {frame.PixelX(width), frame.PixelY(shownHeight)};
    }

    void Mouse(automation::MouseAction action, automation::MouseButton button, const platform::ui::TPoint& at)
    {
        automation::SendMouse(Graph(), action, button, at);
    }
    void LeftClick(const platform::ui::TPoint& at)
    {
        Mouse(automation::MouseAction::Press, automation::MouseButton::Left, at);
        Mouse(automation::MouseAction::Release, automation::MouseButton::Left, at);
    }
    // A press, moves through the points and a release at the last.
    void Drag(const std::vector<platform::ui::TPoint>& path)
    {
        Mouse(automation::MouseAction::Press, automation::MouseButton::Left, path.front());
        for (std::size_t i = 1; i < path.size(); ++i) {
            Mouse(automation::MouseAction::Move, automation::MouseButton::None, path[i]);
        }
        Mouse(automation::MouseAction::Release, automation::MouseButton::Left, path.back());
    }

    std::int32_t Selection()
    {
        std::int32_t spike = -2;
        doc->GetSpikeSelection(&spike);
        return spike;
    }
    std::int32_t UnitOf(std::int32_t spike)
    {
        Host::SpikeInfo info;
        EXPECT_EQ(doc->GetSpike(spike, &info), S_OK);
        return info.unit;
    }
    Host::ChannelAnalysisRecord Record()
    {
        Host::ChannelAnalysisRecord record;
        doc->GetChannelRecord(0, &record);
        return record;
    }

    Nerolith::DocumentWindows saved;
    ComPtr<Desk::HostDocument> host = NewHostDocument(Recording());
    ComPtr<Nerolith::SpikeDoc> doc = ComPtr<Nerolith::SpikeDoc>::Attach(new Nerolith::SpikeDoc(host.Get()));
};

} // namespace TestSupport

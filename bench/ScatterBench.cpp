// The discriminator's scatter plot of 1,000,000 spikes in three units and
// the unassigned, drawn with its scales into an 800 x 600 picture: redrawn
// as it stands (a repaint), and regrouped from the spike store first (after
// the document changed). Goal: under 50 ms, so that dragging stays smooth.
// Then the pointer hit-tested on screen after such a redraw, as hovering
// does (the first test after a redraw indexes the points).

#include <benchmark/benchmark.h>

#include <random>

#include "desk/recording/MemoryRecording.h"
#include "desk/runtime/HostDocument.h"
#include "desk/runtime/HostServices.h"
#include "desk/ui/AxisScale.h"
#include "detection/SpikeEvent.h"
#include "detection/SpikeTable.h"
#include "detection/UnitPalette.h"
#include "discriminator/ScatterPlot.h"
#include "platform/ui/Application.h"
#include "platform/ui/TMemoryDC.h"
#include "shell/SpikeDoc.h"

namespace {

namespace ui = platform::ui;
using namespace Nerolith;

constexpr std::int32_t kSpikes = 1000000;
const ui::TRect kPicture(0, 0, 800, 600);

SpikeTable MillionSpikes()
{
    struct Cluster {
        double width, height, widthSpread, heightSpread;
        std::int32_t unit;
    };
    constexpr Cluster kClusters[] = {
        {0.45, 1.6, 0.05, 0.08, 0}, {0.95, 1.05, 0.1, 0.08, 1}, {0.5, 0.75, 0.06, 0.06, 2}, {0.7, 0.4, 0.3, 0.2, -1}};
    std::mt19937 random(17);
    std::normal_distribution<double> unit(0.0, 1.0);
    SpikeTable table;
    for (std::int32_t i = 0; i < kSpikes; ++i) {
        const Cluster& c = kClusters[i % 4];
        const auto width = static_cast<float>(c.width + c.widthSpread * unit(random));
        const auto height = static_cast<float>(c.height + c.heightSpread * unit(random));
        table.Append(height, width, c.unit < 0 ? kNoUnitColour : UnitColour(c.unit), {i, 0}, c.unit);
    }
    return table;
}

// A document over one short silent channel: the plot asks it for the
// selection and the units, the spikes come from the table.
ComPtr<Desk::HostDocument> SilentHost()
{
    Desk::MemoryRecording::Block block{0.0, 1e-4, {std::vector<float>(1000, 0.0f)}};
    auto recording = std::make_unique<Desk::MemoryRecording>(
        "silent", std::vector<Desk::MemoryRecording::Channel>{{VEX::String(u"A"), VEX::String(u"mV")}},
        std::vector<Desk::MemoryRecording::Block>{block}, std::vector<Desk::RecordedEvents>{});
    return MakeCom<Desk::HostDocument>(std::move(recording), MakeCom<Desk::HostServices>(nullptr));
}

struct Fixture {
    Fixture()
        : host((ui::EnsureApplication(), Desk::ui::AxisScale::Register(), SilentHost())),
          document(ComPtr<SpikeDoc>::Attach(new SpikeDoc(host.Get()))), plot(nullptr, *document)
    {
    }
    ComPtr<Desk::HostDocument> host;
    ComPtr<SpikeDoc> document;
    ScatterPlot plot;
    SpikeTable spikes = MillionSpikes();
    ui::TBitmap bitmap{kPicture.Width(), kPicture.Height()};
};

void BM_ScatterRedraw1MSpikes(benchmark::State& state)
{
    Fixture f;
    f.plot.Refresh(f.spikes, 0.3, VEX::String(u"mV"));
    for (auto _ : state) {
        ui::TMemoryDC dc(f.bitmap);
        f.plot.Graph().DrawPicture(dc, kPicture);
    }
    state.SetItemsProcessed(state.iterations() * kSpikes);
}
BENCHMARK(BM_ScatterRedraw1MSpikes)->Unit(benchmark::kMillisecond);

void BM_ScatterRefreshAndRedraw1MSpikes(benchmark::State& state)
{
    Fixture f;
    for (auto _ : state) {
        f.plot.Refresh(f.spikes, 0.3, VEX::String(u"mV"));
        ui::TMemoryDC dc(f.bitmap);
        f.plot.Graph().DrawPicture(dc, kPicture);
    }
    state.SetItemsProcessed(state.iterations() * kSpikes);
}
BENCHMARK(BM_ScatterRefreshAndRedraw1MSpikes)->Unit(benchmark::kMillisecond);

void BM_ScatterHitTestAfterRedraw1MSpikes(benchmark::State& state)
{
    Fixture f;
    f.plot.Graph().MoveWindow(0, 0, kPicture.Width(), kPicture.Height(), false);
    f.plot.Refresh(f.spikes, 0.3, VEX::String(u"mV"));
    const ui::TRect plot = f.plot.Graph().CurrentFrame().rect;
    const ui::TPoint centre{(plot.left + plot.right) / 2, (plot.top + plot.bottom) / 2};
    std::int64_t hits = 0;
    for (auto _ : state) {
        // The document changed: the next test indexes the points again.
        state.PauseTiming();
        f.plot.Refresh(f.spikes, 0.3, VEX::String(u"mV"));
        state.ResumeTiming();
        ui::TMemoryDC dc(f.bitmap);
        f.plot.Graph().DrawPicture(dc, kPicture);
        hits += f.plot.SpikeAt(centre).has_value() ? 1 : 0;
    }
    benchmark::DoNotOptimize(hits);
    state.SetItemsProcessed(state.iterations() * kSpikes);
}
BENCHMARK(BM_ScatterHitTestAfterRedraw1MSpikes)->Unit(benchmark::kMillisecond);

} // namespace

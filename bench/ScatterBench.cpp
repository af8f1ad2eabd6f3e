// The discriminator's scatter plot of 1,000,000 spikes in three units and
// the unassigned, drawn with its scales into an 800 x 600 picture: redrawn
// as it stands (a repaint), and regrouped from the spike store first (after
// the document changed). Goal: under 50 ms, so that dragging stays smooth.

#include <benchmark/benchmark.h>

#include <random>

#include "desk/ui/AxisScale.h"
#include "detection/SpikeEvent.h"
#include "detection/SpikeTable.h"
#include "detection/UnitPalette.h"
#include "discriminator/ScatterPlot.h"
#include "platform/ui/Application.h"
#include "platform/ui/TMemoryDC.h"

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

struct Fixture {
    Fixture() : plot((ui::EnsureApplication(), Desk::ui::AxisScale::Register(), nullptr)) {}
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

} // namespace

#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "detection/SpikeTable.h"
#include "discriminator/WaveformPlotter.h"
#include "discriminator/Waveforms.h"
#include "graph/Graph2DWindow.h"

namespace Nerolith {

// The discriminator's spike plot: the spike windows overlaid, aligned on
// their trigger, each in its unit's colour (the unassigned grey, drawn
// first). Time runs in ms from the trigger.
class SpikePlot {
public:
    explicit SpikePlot(platform::ui::TWindow* parent);

    DUdido1::Graph2DWindow& Graph() { return graph_; }
    // `waveforms` holds spike i's window at i. With `unitColour` only the
    // spikes of that colour are drawn. Without spikes the extents stay.
    void Refresh(const SpikeTable& spikes, std::vector<Waveform> waveforms, const SpikeWindow& window,
                 const VEX::String& valueUnits, std::optional<std::uint32_t> unitColour);
    // The waveforms drawn in a colour.
    std::size_t WaveformCount(std::uint32_t colour) const;

private:
    struct Series {
        WaveformPlotter* plotter;
        WaveformSet* data;
    };
    Series& SeriesAt(std::size_t index);

    DUdido1::Graph2DWindow graph_;
    std::vector<Series> series_;
    bool shownDefaults_ = false;
};

} // namespace Nerolith

#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "detection/SpikeTable.h"
#include "discriminator/WaveformPlotter.h"
#include "discriminator/Waveforms.h"
#include "graph/Annotation.h"
#include "graph/Graph2DWindow.h"

namespace DUdido1 {
class MouseTrackHintMsg;
}

namespace Nerolith {

class AnalysisDocument;

// The discriminator's spike plot: the spike windows overlaid, aligned on
// their trigger, each in its unit's colour (the unassigned grey, drawn
// first), the selected spike over them in black with a thicker pen. Time
// runs in ms from the trigger. Hovering tells the selected spike's sample
// nearest the pointer, in a strip above the graph.
class SpikePlot : public DUdido1::Annotation {
public:
    SpikePlot(platform::ui::TWindow* parent, AnalysisDocument& document);
    ~SpikePlot() override;

    DUdido1::Graph2DWindow& Graph() { return graph_; }
    // `waveforms` holds spike i's window at i. With `unitColour` only the
    // spikes of that colour are drawn. Without spikes the extents stay.
    void Refresh(const SpikeTable& spikes, std::vector<Waveform> waveforms, const SpikeWindow& window,
                 const VEX::String& valueUnits, std::optional<std::uint32_t> unitColour);
    // The waveforms drawn in a colour.
    std::size_t WaveformCount(std::uint32_t colour) const;
    // The selected spike's waveform, when one is selected and could be read.
    const std::optional<Waveform>& SelectedWaveform() const { return selectedWaveform_; }
    // A new selection over the same waveforms.
    void ShowSelected(std::optional<Waveform> selected);

    void Draw(platform::ui::TDC& dc, const DUdido1::PlotFrame& frame) override;
    void Receive(MessSys::Message& message) override;

private:
    struct Series {
        WaveformPlotter* plotter;
        WaveformSet* data;
    };
    Series& SeriesAt(std::size_t index);
    void Hover(DUdido1::MouseTrackHintMsg& hint) const;

    AnalysisDocument* document_;
    DUdido1::Graph2DWindow graph_;
    // Drawn over every series, not by the graph.
    WaveformPlotter selectedPlotter_;
    WaveformSet selectedData_;
    std::optional<Waveform> selectedWaveform_;
    VEX::String valueUnits_;
    std::vector<Series> series_;
    bool shownDefaults_ = false;
};

} // namespace Nerolith

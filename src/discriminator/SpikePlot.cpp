#include "discriminator/SpikePlot.h"

#include <algorithm>
#include <cmath>

#include "discriminator/ColourGroups.h"
#include "discriminator/DefaultExtents.h"

namespace Nerolith {
namespace {

// Room above and below the largest excursion, so no peak touches the frame.
constexpr double kValueMargin = 1.05;

double LargestExcursion(const SpikeExtents& extents, const std::vector<Waveform>& waveforms)
{
    double largest = std::max(std::abs(extents.minHeight), std::abs(extents.maxHeight));
    for (const Waveform& waveform : waveforms) {
        for (const float value : waveform.values) {
            largest = std::max(largest, static_cast<double>(std::abs(value)));
        }
    }
    return largest;
}

} // namespace

SpikePlot::SpikePlot(platform::ui::TWindow* parent) : graph_(parent)
{
    graph_.SetAxisTitles(u"Time", u"Value");
    graph_.SetAxisUnits(u"ms", u"V");
    FollowDefaults(graph_, {{-1.0, 3.0}, {-1.0, 1.0}}, true);
}

SpikePlot::Series& SpikePlot::SeriesAt(std::size_t index)
{
    while (series_.size() <= index) {
        auto* plotter = new WaveformPlotter;
        auto* data = new WaveformSet;
        plotter->SetPlotData(data, true);
        graph_.AddPlotter(plotter, true);
        series_.push_back({plotter, data});
    }
    return series_[index];
}

void SpikePlot::Refresh(const SpikeTable& spikes, std::vector<Waveform> waveforms, const SpikeWindow& window,
                        const VEX::String& valueUnits, std::optional<std::uint32_t> unitColour)
{
    const double largest = LargestExcursion(spikes.Extents(), waveforms);
    const std::vector<ColourGroup> groups = GroupByColour(spikes.Colours());
    for (std::size_t g = 0; g < groups.size(); ++g) {
        std::vector<Waveform> drawn;
        if (!unitColour || *unitColour == groups[g].colour) {
            for (const std::size_t i : groups[g].spikes) {
                if (i < waveforms.size()) {
                    drawn.push_back(std::move(waveforms[i]));
                }
            }
        }
        Series& series = SeriesAt(g);
        series.plotter->SetColour(groups[g].colour);
        series.data->SetWaveforms(std::move(drawn));
    }
    for (std::size_t g = groups.size(); g < series_.size(); ++g) {
        series_[g].data->SetWaveforms({});
    }
    graph_.SetAxisUnits(u"ms", valueUnits);
    if (spikes.Size() > 0 && largest > 0.0 && std::isfinite(largest)) {
        const PlotExtents extents{{-window.pretrigger * 1000.0, (window.total - window.pretrigger) * 1000.0},
                                  {-largest * kValueMargin, largest * kValueMargin}};
        FollowDefaults(graph_, extents, !shownDefaults_);
        shownDefaults_ = true;
    }
    graph_.Redraw();
}

std::size_t SpikePlot::WaveformCount(std::uint32_t colour) const
{
    std::size_t count = 0;
    for (const Series& series : series_) {
        if (series.plotter->Colour() == colour) {
            count += series.data->Waveforms().size();
        }
    }
    return count;
}

} // namespace Nerolith

#include "discriminator/SpikePlot.h"

#include <algorithm>
#include <cmath>
#include <sstream>
#include <string>

#include "discriminator/ColourGroups.h"
#include "discriminator/DefaultExtents.h"
#include "graph/GraphMessages.h"
#include "module/AnalysisDocument.h"

namespace Nerolith {
namespace {

// Room above and below the largest excursion, so no peak touches the frame.
constexpr double kValueMargin = 1.05;
constexpr std::int32_t kSelectedPenWidth = 2;

std::u16string Number(double value)
{
    std::ostringstream text;
    text << value;
    const std::string narrow = text.str();
    return {narrow.begin(), narrow.end()};
}

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

SpikePlot::SpikePlot(platform::ui::TWindow* parent, AnalysisDocument& document)
    : document_(&document), graph_(parent)
{
    graph_.SetAxisTitles(u"Time", u"Value");
    graph_.SetAxisUnits(u"ms", u"V");
    graph_.ShowHintStrip(true);
    FollowDefaults(graph_, {{-1.0, 3.0}, {-1.0, 1.0}}, true);
    selectedPlotter_.SetColour(platform::ui::kBlack);
    selectedPlotter_.SetPenWidth(kSelectedPenWidth);
    selectedPlotter_.SetPlotData(&selectedData_);
    graph_.AddAnnotation(this);
    graph_.Attach(this);
}

SpikePlot::~SpikePlot()
{
    graph_.Detach(this);
    selectedPlotter_.SetPlotData(nullptr);
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
    std::int32_t selected = -1;
    document_->GetSpikeSelection(&selected);
    const bool shown = selected >= 0 && static_cast<std::size_t>(selected) < waveforms.size() &&
                       static_cast<std::size_t>(selected) < spikes.Size();
    ShowSelected(shown ? std::optional(waveforms[static_cast<std::size_t>(selected)]) : std::nullopt);
    valueUnits_ = valueUnits;
    const std::vector<ColourGroup> groups = GroupByColour(spikes.Colours().ToVector());
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

void SpikePlot::ShowSelected(std::optional<Waveform> selected)
{
    selectedWaveform_ = std::move(selected);
    selectedData_.SetWaveforms(selectedWaveform_ ? std::vector<Waveform>{*selectedWaveform_} : std::vector<Waveform>{});
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

void SpikePlot::Draw(platform::ui::TDC& dc, const DUdido1::PlotFrame& frame)
{
    selectedPlotter_.Draw(dc, frame);
}

void SpikePlot::Hover(DUdido1::MouseTrackHintMsg& hint) const
{
    if (!hint.insidePlot || !selectedWaveform_) {
        return;
    }
    if (const std::optional<WaveformSample> sample = NearestSample(*selectedWaveform_, hint.pointer.x)) {
        hint.items.emplace_back(u"Time = " + Number(sample->x) + u" ms, Value = " + Number(sample->value) + u" " +
                                std::u16string(valueUnits_.Str()));
    }
}

void SpikePlot::Receive(MessSys::Message& message)
{
    if (auto* hint = dynamic_cast<DUdido1::MouseTrackHintMsg*>(&message)) {
        Hover(*hint);
    }
}

} // namespace Nerolith

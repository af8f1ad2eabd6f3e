#include "discriminator/ScatterPlot.h"

#include <limits>
#include <utility>

#include "discriminator/ColourGroups.h"
#include "discriminator/DefaultExtents.h"
#include "discriminator/ScatterExtents.h"

namespace Nerolith {
namespace {

constexpr std::int32_t kSymbolPoints = 2;

} // namespace

ScatterPlot::ScatterPlot(platform::ui::TWindow* parent) : graph_(parent)
{
    constexpr double kLargest = std::numeric_limits<double>::max();
    graph_.SetDomainLimits(-kLargest, kLargest);
    graph_.SetRangeLimits(-kLargest, kLargest);
    graph_.SetAxisTitles(u"Width", u"Height");
    graph_.SetAxisUnits(u"ms", u"V");
    FollowDefaults(graph_, {kInitialWidthExtent, kInitialHeightExtent}, true);
}

ScatterPlot::Series& ScatterPlot::SeriesAt(std::size_t index)
{
    while (series_.size() <= index) {
        auto* plotter = new DUdido1::PointPlotter;
        auto* data = new DUdido1::VectorPlotData;
        plotter->SetSymbolSize(kSymbolPoints);
        plotter->SetPlotData(data, true);
        graph_.AddPlotter(plotter, true);
        series_.push_back({plotter, data});
    }
    return series_[index];
}

void ScatterPlot::Refresh(const SpikeTable& spikes, double threshold, const VEX::String& heightUnits)
{
    const std::vector<ColourGroup> groups = GroupByColour(spikes.Colours());
    for (std::size_t g = 0; g < groups.size(); ++g) {
        std::vector<double> xs;
        std::vector<double> ys;
        xs.reserve(groups[g].spikes.size());
        ys.reserve(groups[g].spikes.size());
        for (const std::size_t i : groups[g].spikes) {
            xs.push_back(spikes.Widths()[i]);
            ys.push_back(spikes.Heights()[i]);
        }
        Series& series = SeriesAt(g);
        series.plotter->SetColour(groups[g].colour);
        series.data->SetPoints(std::move(xs), std::move(ys));
    }
    for (std::size_t g = groups.size(); g < series_.size(); ++g) {
        series_[g].data->SetPoints({}, {});
    }
    graph_.SetAxisUnits(u"ms", heightUnits);
    const ScatterExtents extents = DefaultScatterExtents(spikes.Extents(), threshold);
    FollowDefaults(graph_, {extents.width, extents.height}, !shownDefaults_);
    shownDefaults_ = true;
    graph_.Redraw();
}

std::int64_t ScatterPlot::PointCount(std::uint32_t colour) const
{
    std::int64_t count = 0;
    for (const Series& series : series_) {
        if (series.plotter->Colour() == colour) {
            count += series.data->PointCount();
        }
    }
    return count;
}

void ScatterPlot::SetContour(std::vector<double> widths, std::vector<double> heights)
{
    contourWidths_ = std::move(widths);
    contourHeights_ = std::move(heights);
}

void ScatterPlot::ClearContour()
{
    contourWidths_.clear();
    contourHeights_.clear();
}

} // namespace Nerolith

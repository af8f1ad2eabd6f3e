#pragma once

#include <memory>
#include <vector>

#include "detection/SpikeTable.h"
#include "graph/Graph2DWindow.h"
#include "graph/PlotData.h"
#include "graph/PointPlotter.h"

namespace Nerolith {

// The discriminator's scatter plot: every spike one point at (width ms,
// height) in its unit's colour, the unassigned in grey. One point plotter
// per colour; the plotters are kept and reused, the graph having no way to
// take one back.
class ScatterPlot {
public:
    explicit ScatterPlot(platform::ui::TWindow* parent);

    DUdido1::Graph2DWindow& Graph() { return graph_; }
    // Points and default extents from the spikes as they stand; the visible
    // extents follow the defaults unless the user moved them away.
    void Refresh(const SpikeTable& spikes, double threshold, const VEX::String& heightUnits);
    // The points drawn in a colour.
    std::int64_t PointCount(std::uint32_t colour) const;

    // The contour for Add Unit: widths in ms, heights in channel units.
    // Ready once it has at least three vertices.
    bool ContourReady() const { return contourWidths_.size() >= 3 && contourWidths_.size() == contourHeights_.size(); }
    const std::vector<double>& ContourWidths() const { return contourWidths_; }
    const std::vector<double>& ContourHeights() const { return contourHeights_; }
    void SetContour(std::vector<double> widths, std::vector<double> heights);
    void ClearContour();

private:
    struct Series {
        DUdido1::PointPlotter* plotter;
        DUdido1::VectorPlotData* data;
    };
    Series& SeriesAt(std::size_t index);

    DUdido1::Graph2DWindow graph_;
    std::vector<Series> series_;
    bool shownDefaults_ = false;
    std::vector<double> contourWidths_;
    std::vector<double> contourHeights_;
};

} // namespace Nerolith

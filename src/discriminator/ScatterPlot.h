#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "detection/SpikeTable.h"
#include "discriminator/PixelIndex.h"
#include "graph/Annotation.h"
#include "graph/Graph2DWindow.h"
#include "graph/PlotData.h"
#include "graph/PlotFrame.h"
#include "graph/PointPlotter.h"
#include "host/ISpikeDocInterface.h"

namespace DUdido1 {
class QueenFreeHand;
class QueenLineH;
class QueenPolygon;
class PreDisplayMenuMessage;
class MouseTrackHintMsg;
} // namespace DUdido1

namespace Nerolith {

class AnalysisDocument;

// The discriminator's scatter plot: every spike one point at (width ms,
// height) in its unit's colour, the unassigned in grey, the selected spike
// over them in black. One point plotter per colour; the plotters are kept
// and reused, the graph having no way to take one back.
//
// The user hovers over a point to read it, clicks one to select it (or
// empty space to clear the selection), drags the threshold line to a new
// threshold, draws a free-hand contour for a new unit, assigns or excludes
// the selected spike through the context menu, and reshapes the selected
// contour unit by its vertices. Heights are shown in the channel's
// displayed unit; the document keeps channel units.
class ScatterPlot : public DUdido1::Annotation {
public:
    // Context menu ids.
    static constexpr std::int32_t kUndo = 1;
    static constexpr std::int32_t kRedo = 2;
    static constexpr std::int32_t kAssignToUnit = 3;
    static constexpr std::int32_t kExclude = 4;
    static constexpr std::int32_t kClearEdits = 5;
    static constexpr std::int32_t kNoUnits = 6;
    static constexpr std::int32_t kFirstUnit = 7;

    ScatterPlot(platform::ui::TWindow* parent, AnalysisDocument& document);
    ~ScatterPlot() override;

    DUdido1::Graph2DWindow& Graph() { return graph_; }
    // Points, threshold line, menu and default extents from the spikes as
    // they stand; the visible extents follow the defaults unless the user
    // moved them away or dragged the threshold.
    void Refresh(const SpikeTable& spikes, double threshold, const VEX::String& heightUnits);
    // The points drawn in a colour.
    std::int64_t PointCount(std::uint32_t colour) const;

    // The spike whose point is nearest a point of the graph window's client
    // area, as the screen shows the plot.
    std::optional<std::int32_t> SpikeAt(const platform::ui::TPoint& clientPoint);

    // The free-hand contour, once one of three or more points is finished
    // and not yet used: widths in ms, heights in channel units.
    bool ContourReady() const { return contourReady_; }
    const std::vector<double>& ContourWidths() const { return contourWidths_; }
    const std::vector<double>& ContourHeights() const { return contourHeights_; }
    void ClearContour();

    // Shown heights are channel values times this.
    double DisplayFactor() const { return displayFactor_; }

    void Draw(platform::ui::TDC& dc, const DUdido1::PlotFrame& frame) override;
    bool Click(const DUdido1::ClickEvent& click) override;
    void Receive(MessSys::Message& message) override;

private:
    struct Series {
        DUdido1::PointPlotter* plotter;
        DUdido1::VectorPlotData* data;
        std::vector<std::int32_t> spikes; // the spike of each point
    };
    Series& SeriesAt(std::size_t index);
    void FillSeries(const SpikeTable& spikes);
    void FollowExtents(const SpikeTable& spikes, double threshold);
    std::int32_t Channel() const;
    std::int32_t SelectedSpike() const;
    void Select(std::int32_t spike);

    void Hover(DUdido1::MouseTrackHintMsg& hint);
    void ThresholdMoved(double level);
    void ContourFinished();
    void KeepExtents();

    // The selected unit's contour, edited in place (ScatterContourEditing.cpp).
    void ShowEditedContour(const std::vector<Host::UnitDescription>& units);
    void ContourEdited();

    // The context menu (ScatterPlotMenu.cpp).
    std::vector<Host::UnitDescription> ChannelUnits() const;
    void BuildMenu(const std::vector<Host::UnitDescription>& units);
    void PrepareItem(DUdido1::PreDisplayMenuMessage& item);
    void MenuCommand(std::int32_t id);
    void AssignSelected(std::int32_t unit);
    bool HasHandEdits() const;
    // Classifies the channel's spikes again, as assignments take effect then.
    void Reanalyse();

    AnalysisDocument* document_;
    DUdido1::Graph2DWindow graph_;
    DUdido1::QueenLineH* threshold_;
    DUdido1::QueenFreeHand* contour_;
    DUdido1::QueenPolygon* editor_;
    std::optional<std::int32_t> editedUnit_;
    std::vector<Series> series_;
    PixelIndex index_;
    std::optional<DUdido1::PlotFrame> indexFrame_;
    std::vector<double> contourWidths_;
    std::vector<double> contourHeights_;
    std::vector<VEX::String> menuUnits_;
    VEX::String heightUnits_;
    std::optional<std::int32_t> hovered_;
    double displayFactor_ = 1.0;
    bool shownDefaults_ = false;
    bool contourReady_ = false;
    bool thresholdDragged_ = false;
    bool menuBuilt_ = false;
};

} // namespace Nerolith

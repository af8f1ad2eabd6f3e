#pragma once

#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

#include "graph/GraphBase.h"
#include "graph/GraphDisplayInfo.h"
#include "graph/GraphGraticule.h"
#include "graph/MessageReceiver.h"
#include "graph/PlotFrame.h"
#include "graph/QueenController.h"
#include "platform/text/VexString.h"

namespace platform::ui {
class IAxisScale;
class TDC;
class TWindow;
} // namespace platform::ui

namespace DUdido1 {

class Annotation;
class Plotter;
class Queen;
class SelectionQueen;

enum class GraphAxis : std::uint8_t { Horizontal, Vertical };

using Extent = std::pair<double, double>;

// The two-dimensional drawer: the visible extents of both axes with their
// defaults (what autoscale restores) and limits (how far the user may drag
// a scale), the plotters, queens and annotations, the grid, and the two axis
// scales it keeps in step with its extents.
//
// Drawing: the plot area white, the grid, the visible plotters in the order
// added, the annotations, the selection, then the queens; receivers are told
// before and after (MsgGraph2DDrawerNotifyBeginRedraw/EndRedraw).
class Graph2DDrawer : public GraphBase, public MessSys::MessageReceiver {
public:
    Graph2DDrawer();
    Graph2DDrawer(const Graph2DDrawer&) = delete;
    Graph2DDrawer& operator=(const Graph2DDrawer&) = delete;
    ~Graph2DDrawer() override;

    // The window to repaint on changes; none for a drawer that only renders.
    void SetWindow(ui::TWindow* window) { window_ = window; }
    // The scales (not owned); each takes the drawer's extents, units and
    // shown flag. None leaves that axis without a scale and the plot
    // without a grid.
    void SetScales(ui::IAxisScale* horizontal, ui::IAxisScale* vertical);
    ui::IAxisScale* Scale(GraphAxis axis) const;

    // Room for the scales, left of and below the plot.
    void SetInsets(std::int32_t left, std::int32_t bottom);
    // The plot inside a drawing area: the left side moved right by the left
    // inset, the bottom up by the bottom inset, at least one pixel each way.
    ui::TRect PlotRect(const ui::TRect& area) const;
    // The drawing area on screen, which pointer positions refer to.
    void SetArea(const ui::TRect& area);
    const ui::TRect& Area() const { return area_; }
    PlotFrame FrameFor(const ui::TRect& area) const;
    PlotFrame CurrentFrame() const { return FrameFor(area_); }

    // Extents as (minimum, maximum). Setting the domain or range tells the
    // receivers (MsgGraph2DDrawerOnDomainChanged/OnRangeChanged) and
    // repaints. A pair that is not finite, or whose maximum is not above its
    // minimum, is refused (false, nothing changes).
    Extent GetDomain() const { return domain_; }
    Extent GetRange() const { return range_; }
    bool SetDomain(double minimum, double maximum);
    bool SetRange(double minimum, double maximum);
    Extent GetDefaultDomain() const { return defaultDomain_; }
    Extent GetDefaultRange() const { return defaultRange_; }
    bool SetDefaultDomain(double minimum, double maximum);
    bool SetDefaultRange(double minimum, double maximum);
    Extent GetDomainLimits() const { return domainLimits_; }
    Extent GetRangeLimits() const { return rangeLimits_; }
    bool SetDomainLimits(double minimum, double maximum);
    bool SetRangeLimits(double minimum, double maximum);

    void SetAxisUnits(const VEX::String& horizontal, const VEX::String& vertical);
    void SetAxisTitles(const VEX::String& horizontal, const VEX::String& vertical);
    void ShowScale(GraphAxis axis, bool shown);
    bool IsScaleShown(GraphAxis axis) const;

    // Plotters are drawn in the order added; owned ones are deleted with
    // the drawer.
    void AddPlotter(Plotter* plotter, bool owned = false);
    void ForgetPlotter(const Plotter* plotter) override;
    std::int32_t PlotterCount() const { return static_cast<std::int32_t>(plotters_.size()); }
    // None for an index out of range.
    Plotter* GetPlotter(std::int32_t index) const;

    void AddQueen(Queen* queen, bool owned = false);
    void AddAnnotation(Annotation* annotation, bool owned = false);
    QueenController& Queens() { return queens_; }
    // The selection handle (not owned), kept apart from the queens: a press
    // that grabs no queen starts a selection. None removes it.
    void SetSelectionQueen(SelectionQueen* selection);
    SelectionQueen* GetSelectionQueen() const { return selection_; }

    // Copied into the grid too.
    void SetDisplayInfo(const GraphDisplayInfo& info);
    const GraphDisplayInfo& GetDisplayInfo() const { return displayInfo_; }

    // Invalidates the window, if there is one.
    void Redraw() override;

    // Draws into a drawing area (the plot is PlotRect(area)); the grid is
    // left out when the clip misses the plot.
    void Draw(ui::TDC& dc, const ui::TRect& area, const std::optional<ui::TRect>& clip = std::nullopt);

    // Left button and moves, at points of the window's client area: offered
    // to the queens, the selection, and (presses) the annotations.
    void LButtonDown(const ui::TPoint& point);
    void MouseMove(const ui::TPoint& point);
    void LButtonUp(const ui::TPoint& point);
    // Offered to the queen grabbed last.
    bool KeyDown(std::uint32_t key) { return queens_.KeyDown(key); }

    void Receive(MessSys::Message& message) override;

protected:
    // Called when a scale was shown or hidden: the plot's layout changes.
    virtual void LayoutChanged();

private:
    struct PlotterEntry {
        Plotter* plotter;
        bool owned;
    };
    struct AnnotationEntry {
        Annotation* annotation;
        bool owned;
    };
    void PushToScales();
    void SyncFrame();
    void OfferClick(const ui::TPoint& point);

    ui::TWindow* window_ = nullptr;
    ui::IAxisScale* horizontalScale_ = nullptr;
    ui::IAxisScale* verticalScale_ = nullptr;
    std::int32_t leftInset_ = 0;
    std::int32_t bottomInset_ = 0;
    ui::TRect area_{0, 0, 1, 1};
    GraphDisplayInfo displayInfo_;
    GraphGraticule graticule_;
    std::vector<PlotterEntry> plotters_;
    std::vector<AnnotationEntry> annotations_;
    QueenController queens_;
    SelectionQueen* selection_ = nullptr;
    bool selecting_ = false;
    Extent domain_{0.0, 1.0};
    Extent range_{0.0, 1.0};
    Extent defaultDomain_{0.0, 1.0};
    Extent defaultRange_{0.0, 1.0};
    Extent domainLimits_;
    Extent rangeLimits_;
    VEX::String horizontalUnits_;
    VEX::String verticalUnits_;
    VEX::String horizontalTitle_;
    VEX::String verticalTitle_;
    bool horizontalShown_ = true;
    bool verticalShown_ = true;
};

} // namespace DUdido1

#pragma once

#include <optional>
#include <vector>

#include "graph/GraphDisplayInfo.h"
#include "platform/ui/Geometry.h"

namespace platform::ui {
class IAxisScale;
class TDC;
} // namespace platform::ui

namespace DUdido1 {

namespace ui = platform::ui;

// The grid behind the plot: lines (or dots at the crossings) at the ticks of
// the two axis scales.
class GraphGraticule {
public:
    void SetPlotRect(const ui::TRect& rect) { plotRect_ = rect; }
    const ui::TRect& PlotRect() const { return plotRect_; }
    void SetScales(ui::IAxisScale* horizontal, ui::IAxisScale* vertical);
    void SetDisplayInfo(const GraphDisplayInfo& info) { info_ = info; }
    const GraphDisplayInfo& DisplayInfo() const { return info_; }

    // Draws nothing without both scales, when the clip misses the plot, or
    // when a scale is less than 2 pixels long.
    void Draw(const std::optional<ui::TRect>& clip, ui::TDC& dc) const;

private:
    void DrawAtTicks(ui::TDC& dc, const std::vector<std::int32_t>& xTicks,
                     const std::vector<std::int32_t>& yTicks) const;
    // When a scale reports no ticks: a regular lattice walked from each
    // scale's far tick towards its origin.
    void DrawRegular(ui::TDC& dc) const;
    void DrawLines(ui::TDC& dc, const std::vector<std::int32_t>& xs, const std::vector<std::int32_t>& ys) const;

    ui::TRect plotRect_;
    ui::IAxisScale* horizontal_ = nullptr;
    ui::IAxisScale* vertical_ = nullptr;
    GraphDisplayInfo info_;
};

} // namespace DUdido1

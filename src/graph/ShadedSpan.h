#pragma once

#include <optional>
#include <utility>

#include "graph/Plotter.h"

namespace DUdido1 {

// An X interval shaded light grey over the plot's whole height. The drawer
// draws plotters in the order added, so one added before a histogram's
// plotter lies behind its bars. Without an interval it draws nothing.
class ShadedSpan : public Plotter {
public:
    ShadedSpan();

    // Repaints the graph when the interval changes.
    void SetSpan(std::optional<std::pair<double, double>> span);
    const std::optional<std::pair<double, double>>& Span() const { return span_; }

    void Draw(ui::TDC& dc, const PlotFrame& frame) override;

private:
    std::optional<std::pair<double, double>> span_;
};

} // namespace DUdido1

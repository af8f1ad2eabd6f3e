#pragma once

#include "graph/QueenBlob.h"

namespace DUdido1 {

// A horizontal line across the plot at the level of its y; dragged up and
// down only, and kept within the visible range.
class QueenLineH : public QueenBlob {
public:
    // The squared vertical pixel distance from the line.
    double HitDistance(std::int32_t x, std::int32_t y) const override;
    // The line itself: one pixel high across the plot, in the fill colour.
    void DrawFeedback(ui::TDC& dc, const PlotFrame& frame) override;
    // The line has no grab point to show beyond its feedback.
    void Draw(ui::TDC& dc, const PlotFrame& frame) override;

protected:
    QueenPosition Constrain(QueenPosition position) const override;
};

} // namespace DUdido1

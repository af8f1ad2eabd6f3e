#pragma once

#include <cstdint>

#include "graph/Plotter.h"

namespace DUdido1 {

class PlotData;

// Draws a PlotData as points in the plotter's colour: single pixels, or
// filled squares of a size given in points (1/72 inch). Points outside the
// plot are left out.
class PointPlotter : public Plotter {
public:
    // 0 draws single pixels.
    void SetSymbolSize(std::int32_t points) { symbolPoints_ = points < 0 ? 0 : points; }
    std::int32_t SymbolSize() const { return symbolPoints_; }
    // Only point data is taken; anything else is refused with
    // "Wrong data format".
    void SetPlotData(PlotDataBase* data, bool owned = false) override;

    void Draw(ui::TDC& dc, const PlotFrame& frame) override;

private:
    std::int32_t symbolPoints_ = 0;
};

} // namespace DUdido1

#pragma once

#include "graph/Plotter.h"

namespace Nerolith {

// Draws a WaveformSet as polylines in the plotter's colour, clipped to the
// plot. Consecutive samples on one pixel make one point, and the polylines
// go out about 128 points at a time, so thousands of overlaid spikes draw
// quickly.
class WaveformPlotter : public DUdido1::Plotter {
public:
    void Draw(platform::ui::TDC& dc, const DUdido1::PlotFrame& frame) override;
};

} // namespace Nerolith

#pragma once

#include <vector>

namespace Nerolith {

// The box around a contour: widths (ms) left to right, heights bottom to top.
struct ContourBounds {
    double left = 0.0;
    double right = 0.0;
    double bottom = 0.0;
    double top = 0.0;
};

ContourBounds BoundsOf(const std::vector<double>& widths, const std::vector<double>& heights);

// Moves and stretches the vertices from the old box onto the new one, so the
// contour keeps its shape. A box flat in one direction puts that direction's
// vertices evenly across the new span, keeping their order.
void RefitContour(std::vector<double>& widths, std::vector<double>& heights, const ContourBounds& from,
                  const ContourBounds& to);

// The box as the user sees it: heights divided by the channel's prefix
// factor (stored = shown x factor), widths as they are.
ContourBounds DisplayedBounds(const std::vector<double>& widths, const std::vector<double>& heights, double factor);
// Refits the stored vertices to a box the user entered as shown.
void ApplyDisplayedBounds(std::vector<double>& widths, std::vector<double>& heights, const ContourBounds& shown,
                          double factor);

} // namespace Nerolith

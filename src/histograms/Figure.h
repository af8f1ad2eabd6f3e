#pragma once

#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

#include "platform/text/VexString.h"
#include "platform/ui/Color.h"
#include "platform/ui/Geometry.h"

namespace platform::ui {
class TDC;
}

namespace Nerolith {

// A line drawn over a pane's bars: one value per bin, joined at the bins'
// centres.
struct FigureLine {
    std::vector<double> values;
    bool dashed = false;
};

// One unit's histogram as a figure shows it.
struct FigurePane {
    VEX::String label;
    platform::ui::COLORREF colour = 0;
    double firstBin = 0.0; // X of the left edge of bin 0
    double binWidth = 1.0;
    std::vector<double> values; // one per bin, in the Y axis' units
    std::pair<double, double> x{0.0, 1.0};
    std::pair<double, double> y{0.0, 1.0};
    VEX::String xTitle; // with its units, "Time (s)"
    VEX::String yTitle;
    std::vector<FigureLine> lines; // over the bars, in black
    std::optional<std::pair<double, double>> shadedX; // an X interval shaded behind the bars
    bool xLog10Seconds = false; // X is log10 of a time in seconds
};

// A view's picture made to be published: a title, then one pane per unit
// laid out in a grid that suits the picture's shape.
struct Figure {
    VEX::String title;
    std::vector<FigurePane> panes;
};

struct FigureOptions {
    // Pixels per inch the picture is meant for (fonts and lines follow it);
    // 0: they follow the picture's size.
    std::int32_t dpi = 0;
    // Every pane over the X range that holds all of them.
    bool sharedX = false;
    bool filledBars = true;
};

// Draws the figure into the rectangle: every text, tick label and bar
// inside it. Fonts and lines shrink as far as needed for the plots to fit.
void DrawFigure(platform::ui::TDC& dc, const platform::ui::TRect& rect, const Figure& figure,
                const FigureOptions& options);

} // namespace Nerolith

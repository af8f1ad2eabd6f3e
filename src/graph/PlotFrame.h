#pragma once

#include <cstdint>
#include <utility>

#include "platform/ui/Geometry.h"

namespace DUdido1 {

namespace ui = platform::ui;

// The affine map of one axis: a value v lies at the pixel
// (v + offset) x factor from the plot's origin edge.
struct AxisMapping {
    double factor = 1.0;
    double offset = 0.0;

    // Truncated toward zero. Values far outside the plot are pinned to a
    // large pixel range, so no conversion overflows.
    std::int32_t ToPixel(double value, std::int32_t origin) const;
    // The value at a pixel counted from the origin edge.
    double ToData(double relativePixel) const;
};

// A pointer position in a plot: in pixels from the plot's top-left corner,
// and in data units.
struct PlotPointer {
    ui::TPoint pixel;
    double x = 0.0;
    double y = 0.0;
};

// Where a graph is drawn: the plot rectangle and both axis mappings. The
// horizontal axis grows to the right from the left edge, the vertical one
// upwards, so its maximum sits on the top edge.
struct PlotFrame {
    ui::TRect rect{0, 0, 1, 1};
    AxisMapping x;
    AxisMapping y;

    static PlotFrame Make(const ui::TRect& plotRect, std::pair<double, double> domain,
                          std::pair<double, double> range);

    std::int32_t PixelX(double value) const { return x.ToPixel(value, rect.left); }
    std::int32_t PixelY(double value) const { return y.ToPixel(value, rect.top); }
    // The pointer at a point of the window's client area.
    PlotPointer PointerAt(const ui::TPoint& clientPoint) const;
    // The visible extents, as (minimum, maximum).
    std::pair<double, double> Domain() const;
    std::pair<double, double> Range() const;
};

} // namespace DUdido1

#include "graph/PlotFrame.h"

#include <cmath>

namespace DUdido1 {

namespace {

// Far beyond any device, yet well inside int32 for sums of two pixels.
constexpr double kPixelLimit = 1.0e9;

AxisMapping MappingFor(double pixels, double from, double to)
{
    const double span = to - from;
    if (!(span > 0.0) || !std::isfinite(span)) {
        return {0.0, -from};
    }
    return {pixels / span, -from};
}

} // namespace

std::int32_t AxisMapping::ToPixel(double value, std::int32_t origin) const
{
    double pixel = (value + offset) * factor + origin;
    if (!(pixel > -kPixelLimit)) {
        pixel = -kPixelLimit;
    } else if (pixel > kPixelLimit) {
        pixel = kPixelLimit;
    }
    return static_cast<std::int32_t>(pixel);
}

double AxisMapping::ToData(double relativePixel) const
{
    return factor == 0.0 ? -offset : relativePixel / factor - offset;
}

PlotFrame PlotFrame::Make(const ui::TRect& plotRect, std::pair<double, double> domain,
                          std::pair<double, double> range)
{
    PlotFrame frame;
    frame.rect = plotRect;
    frame.x = MappingFor(plotRect.Width(), domain.first, domain.second);
    // Upwards: the maximum maps to the top edge, the minimum to the bottom.
    const AxisMapping up = MappingFor(plotRect.Height(), range.first, range.second);
    frame.y = {-up.factor, up.factor == 0.0 ? -range.first : -range.second};
    return frame;
}

PlotPointer PlotFrame::PointerAt(const ui::TPoint& clientPoint) const
{
    PlotPointer pointer;
    pointer.pixel = {clientPoint.x - rect.left, clientPoint.y - rect.top};
    pointer.x = x.ToData(pointer.pixel.x);
    pointer.y = y.ToData(pointer.pixel.y);
    return pointer;
}

std::pair<double, double> PlotFrame::Domain() const
{
    return {x.ToData(0), x.ToData(rect.Width())};
}

std::pair<double, double> PlotFrame::Range() const
{
    return {y.ToData(rect.Height()), y.ToData(0)};
}

} // namespace DUdido1

#include "discriminator/ContourBounds.h"

#include <algorithm>
#include <cstddef>

namespace Nerolith {

namespace {

void Refit(std::vector<double>& values, double fromLow, double fromHigh, double toLow, double toHigh)
{
    const double span = fromHigh - fromLow;
    for (std::size_t i = 0; i < values.size(); ++i) {
        const double share = span > 0.0 ? (values[i] - fromLow) / span
                                         : static_cast<double>(i) / static_cast<double>(std::max<std::size_t>(1, values.size() - 1));
        values[i] = toLow + share * (toHigh - toLow);
    }
}

ContourBounds ScaleHeights(ContourBounds bounds, double factor)
{
    bounds.bottom *= factor;
    bounds.top *= factor;
    return bounds;
}

} // namespace

ContourBounds BoundsOf(const std::vector<double>& widths, const std::vector<double>& heights)
{
    ContourBounds bounds;
    if (!widths.empty()) {
        const auto [left, right] = std::minmax_element(widths.begin(), widths.end());
        bounds.left = *left;
        bounds.right = *right;
    }
    if (!heights.empty()) {
        const auto [bottom, top] = std::minmax_element(heights.begin(), heights.end());
        bounds.bottom = *bottom;
        bounds.top = *top;
    }
    return bounds;
}

void RefitContour(std::vector<double>& widths, std::vector<double>& heights, const ContourBounds& from,
                  const ContourBounds& to)
{
    Refit(widths, from.left, from.right, to.left, to.right);
    Refit(heights, from.bottom, from.top, to.bottom, to.top);
}

ContourBounds DisplayedBounds(const std::vector<double>& widths, const std::vector<double>& heights, double factor)
{
    return ScaleHeights(BoundsOf(widths, heights), 1.0 / factor);
}

void ApplyDisplayedBounds(std::vector<double>& widths, std::vector<double>& heights, const ContourBounds& shown,
                          double factor)
{
    const ContourBounds from = BoundsOf(widths, heights);
    RefitContour(widths, heights, from, ScaleHeights(shown, factor));
}

} // namespace Nerolith

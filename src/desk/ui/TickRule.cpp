#include "desk/ui/TickRule.h"

#include <algorithm>
#include <cmath>

namespace Desk::ui {

namespace {

// Tick values within this fraction of a step of an end still count as inside,
// so rounding does not drop the tick at an end of the extent.
constexpr double kEndTolerance = 1e-9;

} // namespace

double NiceStep(double rawStep)
{
    const double power = std::pow(10.0, std::floor(std::log10(rawStep)));
    for (const double factor : {1.0, 2.0, 5.0, 10.0}) {
        // A relative tolerance keeps 0.3 / 3 (just above 0.1) at 0.1.
        if (factor * power >= rawStep * (1.0 - 1e-12)) {
            return factor * power;
        }
    }
    return 10.0 * power;
}

TickLayout LayoutTicks(double minimum, double maximum, std::int32_t pixelExtent, std::int32_t minSpacing,
                       bool fromMaximum)
{
    TickLayout layout;
    const double span = maximum - minimum;
    if (pixelExtent < 2 || !(span > 0.0) || !std::isfinite(span) || minSpacing < 1) {
        return layout;
    }
    const double pixelsPerUnit = pixelExtent / span;
    layout.step = NiceStep(minSpacing / pixelsPerUnit);
    layout.pixelStep = layout.step * pixelsPerUnit;
    const double first = std::ceil(minimum / layout.step - kEndTolerance);
    const double last = std::floor(maximum / layout.step + kEndTolerance);
    // Far from zero the multiples of the step are no longer told apart by a
    // double; such an axis shows no ticks rather than wrong ones.
    if (first + 1.0 == first) {
        return layout;
    }
    const auto count = static_cast<std::int64_t>(last - first) + 1;
    const std::int64_t most = pixelExtent / minSpacing + 2;
    for (std::int64_t i = 0; i < std::min(count, most); ++i) {
        const double k = first + static_cast<double>(i);
        // Exact zero, never a negative zero from -0 * step.
        const double value = k == 0.0 ? 0.0 : k * layout.step;
        const double distance = fromMaximum ? maximum - value : value - minimum;
        layout.values.push_back(value);
        layout.offsets.push_back(static_cast<std::int32_t>(std::lround(distance * pixelsPerUnit)));
    }
    if (fromMaximum) {
        std::reverse(layout.values.begin(), layout.values.end());
        std::reverse(layout.offsets.begin(), layout.offsets.end());
    }
    return layout;
}

} // namespace Desk::ui

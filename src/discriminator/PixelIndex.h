#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "platform/ui/Geometry.h"

namespace Nerolith {

// Which spike sits on each pixel of a plot rectangle, for finding the point
// under the mouse. A later point on a pixel replaces an earlier one, as it
// is drawn over it.
class PixelIndex {
public:
    // How far the pointer reaches: a point must be nearer than this.
    static constexpr std::int32_t kReach = 20;

    // Empties the index and sizes it to a plot rectangle.
    void Reset(const platform::ui::TRect& rect);
    const platform::ui::TRect& Rect() const { return rect_; }
    // Points outside the rectangle are not indexed.
    void Add(const platform::ui::TPoint& pixel, std::int32_t spike);
    // The spike nearest the pixel, less than kReach pixels away; scanned row
    // by row, so of two at the same distance the first found wins.
    std::optional<std::int32_t> HitTest(const platform::ui::TPoint& pixel) const;

private:
    platform::ui::TRect rect_{0, 0, 0, 0};
    std::vector<std::int32_t> spikes_; // -1 where no point is
};

} // namespace Nerolith

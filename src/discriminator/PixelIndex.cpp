#include "discriminator/PixelIndex.h"

#include <algorithm>

namespace Nerolith {

namespace ui = platform::ui;

void PixelIndex::Reset(const ui::TRect& rect)
{
    rect_ = rect;
    const auto width = static_cast<std::size_t>(std::max(rect.Width(), 0));
    const auto height = static_cast<std::size_t>(std::max(rect.Height(), 0));
    spikes_.assign(width * height, -1);
}

void PixelIndex::Add(const ui::TPoint& pixel, std::int32_t spike)
{
    if (!rect_.Contains(pixel)) {
        return;
    }
    const auto row = static_cast<std::size_t>(pixel.y - rect_.top);
    const auto column = static_cast<std::size_t>(pixel.x - rect_.left);
    spikes_[row * static_cast<std::size_t>(rect_.Width()) + column] = spike;
}

std::optional<std::int32_t> PixelIndex::HitTest(const ui::TPoint& pixel) const
{
    const std::int32_t top = std::max(pixel.y - kReach, rect_.top);
    const std::int32_t bottom = std::min(pixel.y + kReach, rect_.bottom - 1);
    const std::int32_t left = std::max(pixel.x - kReach, rect_.left);
    const std::int32_t right = std::min(pixel.x + kReach, rect_.right - 1);
    std::int32_t best = kReach * kReach;
    std::optional<std::int32_t> found;
    for (std::int32_t y = top; y <= bottom; ++y) {
        const std::size_t row = static_cast<std::size_t>(y - rect_.top) * static_cast<std::size_t>(rect_.Width());
        for (std::int32_t x = left; x <= right; ++x) {
            const std::int32_t spike = spikes_[row + static_cast<std::size_t>(x - rect_.left)];
            const std::int32_t distance = (x - pixel.x) * (x - pixel.x) + (y - pixel.y) * (y - pixel.y);
            if (spike >= 0 && distance < best) {
                best = distance;
                found = spike;
            }
        }
    }
    return found;
}

} // namespace Nerolith

#pragma once

#include <cstdint>
#include <functional>

namespace Desk {

// How much of a block can be read now. While the host samples, the block
// being recorded grows: only `ticks` of it exist yet and more will follow;
// negative ticks: the block has not begun yet.
struct BlockAvailability {
    std::int32_t ticks;
    bool growing;
};

using AvailabilityFunction = std::function<BlockAvailability(std::int32_t block)>;

} // namespace Desk

#pragma once

#include <climits>
#include <cstdint>

namespace Host {

// A place in a recording: the sample index within a block, and the block.
struct Position {
    std::int32_t tick = 0;
    std::int32_t block = 0;

    friend constexpr bool operator==(const Position&, const Position&) = default;
};

// Orders positions block first, then tick.
constexpr bool operator<(const Position& a, const Position& b)
{
    return a.block != b.block ? a.block < b.block : a.tick < b.tick;
}
constexpr bool operator<=(const Position& a, const Position& b) { return !(b < a); }

// No block, no tick, or a finished record.
inline constexpr std::int32_t kNone = INT_MAX;
// An event source that is absent.
inline constexpr std::int32_t kAbsentSource = INT_MIN;

} // namespace Host

#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace Nerolith {

// The spikes of one colour (one unit, or the unassigned), by index.
struct ColourGroup {
    std::uint32_t colour = 0; // 0x00BBGGRR
    std::vector<std::size_t> spikes;
};

// The spikes grouped by colour, the unassigned grey first so that the units
// are drawn over them, the others in the order their colours first appear.
std::vector<ColourGroup> GroupByColour(const std::vector<std::uint32_t>& colours);

} // namespace Nerolith

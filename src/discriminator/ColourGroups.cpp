#include "discriminator/ColourGroups.h"

#include <algorithm>
#include <unordered_map>

#include "detection/SpikeEvent.h"

namespace Nerolith {

std::vector<ColourGroup> GroupByColour(const std::vector<std::uint32_t>& colours)
{
    std::vector<ColourGroup> groups{{kNoUnitColour, {}}};
    std::unordered_map<std::uint32_t, std::size_t> slot{{kNoUnitColour, 0}};
    for (std::size_t i = 0; i < colours.size(); ++i) {
        const auto [found, added] = slot.try_emplace(colours[i], groups.size());
        if (added) {
            groups.push_back({colours[i], {}});
        }
        groups[found->second].spikes.push_back(i);
    }
    return groups;
}

} // namespace Nerolith

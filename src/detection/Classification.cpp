#include "detection/Classification.h"

#include <cfloat>

#include "detection/SpikeData.h"

namespace Nerolith {

bool FindManualAssignment(SpikeData& store, std::int32_t channel, std::int32_t block, SpikeEvent& spike,
                          std::int32_t halfWindow)
{
    UnitCatalog& units = store.Units();
    const HandAssignment* record = units.Assignments().Match(channel, block, spike.tick, halfWindow);
    if (!record) {
        return false;
    }
    spike.unit = record->unit;
    const SpikeUnit* unit = record->unit >= 0 ? units.Find(record->unit) : nullptr;
    spike.colour = unit ? unit->Colour() : kNoUnitColour;
    return true;
}

void ClassifySpike(SpikeData* store, std::span<const float> window, std::int32_t channel, std::int32_t block,
                   std::int32_t signalMode, SpikeEvent& spike)
{
    spike.unit = -1;
    spike.colour = kNoUnitColour;
    if (!store) {
        return;
    }
    const auto halfWindow = static_cast<std::int32_t>(static_cast<double>(window.size()) * 0.5);
    if (FindManualAssignment(*store, channel, block, spike, halfWindow)) {
        return;
    }
    // Ties go to the later unit in the list.
    const SpikeUnit* best = nullptr;
    double bestDistance = DBL_MAX;
    for (const auto& unit : store->Units().Units()) {
        double distance = 0.0;
        if (unit->Channel() == channel &&
            unit->Test(window, spike.height, spike.width * 1000.0, signalMode, distance) &&
            distance <= bestDistance) {
            best = unit.get();
            bestDistance = distance;
        }
    }
    if (best) {
        spike.unit = best->Number();
        spike.colour = best->Colour();
    }
}

} // namespace Nerolith

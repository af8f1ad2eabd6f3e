#pragma once

#include <cstdint>
#include <span>

#include "detection/SpikeEvent.h"

namespace Nerolith {

class SpikeData;

// Decides a new spike's unit and colour: a hand assignment of the spike wins,
// otherwise the best matching unit of its channel, otherwise none (grey).
// `spike` carries its tick, height and width (seconds); `window` is the
// spike's window as the detector saw it. A null store leaves every spike
// unassigned.
void ClassifySpike(SpikeData* store, std::span<const float> window, std::int32_t channel, std::int32_t block,
                   std::int32_t signalMode, SpikeEvent& spike);

// Applies the first hand assignment of the channel and block that covers the
// spike's tick: the spike takes its unit, and that unit's colour when the
// unit exists (an excluded spike, unit -1, stays grey). The record's
// tolerance becomes `halfWindow` ticks. Whether a record matched.
bool FindManualAssignment(SpikeData& store, std::int32_t channel, std::int32_t block, SpikeEvent& spike,
                          std::int32_t halfWindow);

} // namespace Nerolith

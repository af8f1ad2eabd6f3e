#pragma once

#include <cstddef>
#include <cstdint>

namespace Nerolith {

// Grey: the colour of spikes that belong to no unit.
inline constexpr std::uint32_t kNoUnitColour = 0x808080;

// A detected spike as the detector hands it out through the host's event
// enumerator. Its first three fields are the generic event header.
struct SpikeEvent {
    std::int32_t tick = 0;        // trigger sample within its block
    float fraction = 0.0f;        // sub-tick part of the time; 0 for detected spikes
    double value = 0.0;           // the sample that completed the spike window
    double height = 0.0;          // channel units
    double width = 0.0;           // seconds
    std::int32_t unit = -1;       // unit number, -1 none
    std::uint32_t colour = kNoUnitColour; // 0x00BBGGRR
    std::int32_t channel = 0;     // 0-based source channel
};
static_assert(sizeof(SpikeEvent) == 48, "SpikeEvent is exchanged with the host as 48 bytes");
static_assert(offsetof(SpikeEvent, value) == 8 && offsetof(SpikeEvent, height) == 16 &&
              offsetof(SpikeEvent, unit) == 32 && offsetof(SpikeEvent, channel) == 40);

} // namespace Nerolith

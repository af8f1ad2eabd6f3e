#pragma once

#include <cstdint>

#include "platform/text/VexString.h"

namespace Nerolith {

// The detection settings of one channel as its SpikeDet expression carries
// them.
struct SpikeDetArguments {
    std::int32_t channel = 0; // 0-based
    double threshold = 0.0;
    double pretriggerTime = 0.0; // seconds
    double totalTriggerTime = 0.0; // seconds
    std::int32_t discriminationMode = 0;
    std::int32_t signalMode = 0;
    // The analysed range; -1 each when the whole channel is analysed.
    std::int32_t limitStartRecord = -1;
    std::int32_t limitStartTick = -1;
    std::int32_t limitEndRecord = -1;
    std::int32_t limitEndTick = -1;
};

// "SpikeDet(" ["-"] "ch" n ", " ... ")": numbers in the C locale, doubles
// with six significant digits, integers in full.
VEX::String SpikeDetExpression(const SpikeDetArguments& arguments);

// "UnitSelector(" spike source name ", " unit number ")".
VEX::String UnitSelectorExpression(const VEX::String& spikeSourceName, std::int32_t unitNumber);

// The name a unit's event source is registered under: "NerolithUnit"
// followed by the unit number + 1, so that it matches the unit's default
// name ("Unit1" for unit 0) and users count from 1.
VEX::String UnitSourceName(std::int32_t unitNumber);

} // namespace Nerolith

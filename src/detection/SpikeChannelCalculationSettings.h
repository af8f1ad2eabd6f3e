#pragma once

#include <cstdint>

#include "platform/text/VexString.h"

namespace VEX {
class BinIStream;
class BinOStream;
} // namespace VEX

namespace Nerolith {

// What a spike channel calculation makes of one unit's events.
struct SpikeChannelCalculationSettings {
    enum Mode : std::int32_t {
        kUnitSpikes = 0,             // 1 at each spike of the unit, 0 elsewhere
        kInstantaneousFrequency = 1, // 1 / interval since the unit's previous spike
    };

    // The unit's event source, as the host names it.
    VEX::String eventSource;
    std::int32_t mode = kUnitSpikes;

    // The host expression that computes the channel.
    VEX::String ExpressionText() const;

    void Write(VEX::BinOStream& out) const;
    // Replaces the settings with those of the stream; false, changing
    // nothing, for a stream cut short, from a later version, or holding an
    // unknown mode.
    bool Read(VEX::BinIStream& in);
};

} // namespace Nerolith

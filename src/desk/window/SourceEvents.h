#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "host/HostTypes.h"
#include "host/IHostCalc.h"

namespace Desk {

// One event of a source as the engine hands it out: where it is and its
// whole record, as the source's event size gives it.
struct SourceEvent {
    Host::Position position;
    std::vector<std::byte> record;
};

// Where each event of the source at `position` falls, block by block.
// Empty when the engine cannot evaluate the source.
std::vector<Host::Position> SourceEventPositions(IHostCalc& calc, std::int32_t position, std::int32_t blocks);

// The event of a named source at exactly this tick, if there is one.
std::optional<SourceEvent> SourceEventAt(IHostCalc& calc, const VEX::String& source, Host::Position at);

} // namespace Desk

#pragma once

#include <ostream>
#include <vector>

#include "desk/runtime/HostDocument.h"

namespace Nerolith::Cli {

// The event sources the document offers, in the host's order.
std::vector<VEX::String> EventSourceNames(Desk::HostDocument& document);

// What a recording holds: its blocks, channels and event sources.
void PrintRecordingSummary(Desk::HostDocument& document, std::ostream& out);

} // namespace Nerolith::Cli

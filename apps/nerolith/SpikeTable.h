#pragma once

#include <ostream>

#include "desk/runtime/Session.h"

namespace Nerolith::Cli {

// One line per spike in store order after the header "index block tick time
// height width_ms unit recording_time unit_name" (tab-separated). index,
// block, tick and unit count from 0 (unit -1: none, with an empty name);
// time is seconds from the block's start, recording_time from the
// recording's. Heights and widths are stored as 32-bit floats and print as
// the shortest text that reads back to that float.
void WriteSpikeTable(Desk::Session& session, std::ostream& out);

} // namespace Nerolith::Cli

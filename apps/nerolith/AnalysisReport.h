#pragma once

#include <ostream>

#include "desk/runtime/Session.h"

namespace Nerolith::Cli {

// One line per spike in store order, after the header
// "index block tick time height width_ms unit" (tab-separated).
void WriteSpikeTable(ISpikeDocInterface& analysis, std::ostream& out);

// The recording, the channel, the number of spikes, and per unit of the
// channel its name, count and mean rate over the analysed range.
void PrintAnalysisSummary(Desk::Session& session, std::ostream& out);

} // namespace Nerolith::Cli

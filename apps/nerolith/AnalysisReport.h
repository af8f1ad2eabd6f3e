#pragma once

#include <ostream>

#include "desk/runtime/Session.h"

namespace Nerolith::Cli {

// The recording, the channel, the number of spikes, and per unit of the
// channel its name, count and mean rate over the analysed range.
void PrintAnalysisSummary(Desk::Session& session, std::ostream& out);

// Seconds of data the source channel's analysis covered.
double AnalysedDuration(Desk::Session& session);

} // namespace Nerolith::Cli

#pragma once

#include <ostream>

#include "AnalysisOptions.h"

namespace Nerolith::Cli {

// The summary's lines on how the source channel was read: its filter, and
// the threshold a noise-scaled --threshold came to. Nothing when neither
// applies, so summaries without them read as before.
void PrintDetectionNotes(Desk::Session& session, const DetectionOptions& detection, std::ostream& out);

} // namespace Nerolith::Cli

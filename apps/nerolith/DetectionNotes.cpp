#include "DetectionNotes.h"

namespace Nerolith::Cli {

void PrintDetectionNotes(Desk::Session& session, const DetectionOptions& detection, std::ostream& out)
{
    Host::DocumentSettings settings;
    session.Analysis().GetDocumentSettings(&settings);
    PrintFilterSummary(session, settings.sourceChannel, out);
    if (detection.noise) {
        PrintNoiseThreshold(*detection.noise, out);
    }
}

} // namespace Nerolith::Cli

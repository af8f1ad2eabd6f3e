#pragma once

#include "platform/text/VexString.h"

namespace Nerolith {

class AnalysisDocument;

// The discriminator view's status line for the source channel: its spikes
// (or "Not analyzed. "), its units, and the selected spike with its unit.
VEX::String DiscriminatorStatus(AnalysisDocument& document);

} // namespace Nerolith

#pragma once

namespace Nerolith {

// Gives the analysis document its spike settings dialog: the Settings
// command opens it on the source channel and confirms the record on OK.
void InstallDetectionWindows();

} // namespace Nerolith

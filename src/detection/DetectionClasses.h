#pragma once

#include "module/FolderClasses.h"

namespace Nerolith {

// What detection/ registers: the spike settings dialog, which the Settings
// command opens on the source channel and confirms on OK. Its calculation
// and enumerator classes are statics on the class object list already.
const FolderClasses& DetectionClasses();

} // namespace Nerolith

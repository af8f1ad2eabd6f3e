#pragma once

#include "module/FolderClasses.h"

namespace Nerolith {

// What histograms/ registers: the six analysis view classes and the
// windows that open them, and the 80 Data Sheet function classes.
const FolderClasses& HistogramClasses();

} // namespace Nerolith

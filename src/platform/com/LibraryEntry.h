#pragma once

#include <string>

#include "platform/Export.h"

namespace platform {

// Loads the library `file` from the folder of the library (or program) that
// holds `anchor`, keeps it loaded for the life of the process, and returns
// its exported symbol `entry`. Throws VEX::XVEX naming the library, with
// `what` ("drawing backend") and the loader's reason, when either fails.
PLATFORM_API void* LoadEntryBeside(const void* anchor, const std::string& file, const char* entry,
                                   const std::string& what);

} // namespace platform

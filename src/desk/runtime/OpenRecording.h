#pragma once

#include <memory>
#include <string>

#include "desk/recording/Recording.h"

namespace Desk {

// Opens a raw sidecar (.json), an EDF/EDF+/BDF file, or "demo".
std::unique_ptr<Recording> OpenRecording(const std::string& source);

} // namespace Desk

#pragma once

#include <string_view>

#include "platform/text/VexString.h"

namespace platform::ui {

// Replaces the file's content with the bytes; false when it cannot be written.
bool WriteFile(const VEX::String& path, std::string_view bytes);

} // namespace platform::ui

#pragma once

#include <optional>

#include "platform/Export.h"

namespace VEX {

// The locale's list separator: ';' where the decimal point is ',', else ','.
PLATFORM_API char16_t ListSeparator();
// Forces a separator (tests, user preference); nullopt returns to the rule.
PLATFORM_API void OverrideListSeparator(std::optional<char16_t> separator);

} // namespace VEX

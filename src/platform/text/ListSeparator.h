#pragma once

#include <optional>

#include "platform/Export.h"

namespace VEX {

// The locale's list separator: ';' where the decimal point is ',', else ','.
PLATFORM_API char16_t ListSeparator();
// The rule itself, for a given decimal point.
PLATFORM_API char16_t ListSeparatorFor(char16_t decimalPoint);
// Forces a separator (tests, user preference); nullopt returns to the rule.
PLATFORM_API void OverrideListSeparator(std::optional<char16_t> separator);

} // namespace VEX

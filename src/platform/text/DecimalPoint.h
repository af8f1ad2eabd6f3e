#pragma once

#include <string>
#include <string_view>

#include "platform/Export.h"

namespace VEX {

// The decimal point, ',' or '.', that the common locale data gives a POSIX
// locale name (language[_territory][.codeset][@modifier]); an unknown
// territory takes its language's, and an unknown language (or "C") '.'.
PLATFORM_API char16_t DecimalPointOf(std::string_view localeName);
// The name of the locale that formats numbers: LC_ALL, else LC_NUMERIC,
// else LANG, the first one set and not empty.
PLATFORM_API std::string NumericLocaleName();

} // namespace VEX

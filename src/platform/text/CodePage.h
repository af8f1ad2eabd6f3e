#pragma once

#include <string>
#include <string_view>

#include "platform/Export.h"

namespace VEX {

// The ANSI code page is Windows-1252 here. Unmappable characters (including
// each surrogate pair as a whole) become '?'.
PLATFORM_API std::string Utf16ToAnsi(std::u16string_view text);
PLATFORM_API std::u16string AnsiToUtf16(std::string_view bytes);

} // namespace VEX

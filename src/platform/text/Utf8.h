#pragma once

#include <string>
#include <string_view>

#include "platform/Export.h"

namespace VEX {

// UTF-8 to UTF-16. A byte that does not start a well-formed sequence
// (overlong, surrogate, past U+10FFFF, cut short) becomes one U+FFFD, and
// decoding resumes at the next byte; a leading byte order mark is dropped.
PLATFORM_API std::u16string Utf8ToUtf16(std::string_view bytes);
// UTF-16 to UTF-8. A lone surrogate becomes '?'; a leading byte order mark
// is dropped.
PLATFORM_API std::string Utf16ToUtf8(std::u16string_view text);

} // namespace VEX

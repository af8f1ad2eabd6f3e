#pragma once

#include <string_view>

namespace Desk {

// Names in expressions: ASCII letters, digits and '_', not starting with a
// digit.
constexpr bool IsNameStart(char16_t c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || c == u'_';
}

constexpr bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

constexpr bool IsNameChar(char16_t c) { return IsNameStart(c) || IsDigit(c); }

bool IsName(std::u16string_view text);

// Function names are matched without regard to ASCII case, so "EventFrequency"
// and "eventfrequency" call the same function.
bool EqualsIgnoringCase(std::u16string_view a, std::u16string_view b);

} // namespace Desk

#include "desk/calc/NameRules.h"

#include <algorithm>

namespace Desk {
namespace {

constexpr char16_t LowerAscii(char16_t c)
{
    return (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c - u'A' + u'a') : c;
}

} // namespace

bool IsName(std::u16string_view text)
{
    return !text.empty() && IsNameStart(text.front()) && std::all_of(text.begin(), text.end(), IsNameChar);
}

bool EqualsIgnoringCase(std::u16string_view a, std::u16string_view b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](char16_t x, char16_t y) { return LowerAscii(x) == LowerAscii(y); });
}

} // namespace Desk

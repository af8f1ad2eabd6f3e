#include "platform/text/ListSeparator.h"

#include "platform/text/DecimalPoint.h"

namespace VEX {
namespace {

std::optional<char16_t>& Override()
{
    static std::optional<char16_t> separator;
    return separator;
}

} // namespace

char16_t ListSeparator()
{
    if (Override()) {
        return *Override();
    }
    return ListSeparatorFor(DecimalPointOf(NumericLocaleName()));
}

char16_t ListSeparatorFor(char16_t decimalPoint) { return decimalPoint == u',' ? u';' : u','; }

void OverrideListSeparator(std::optional<char16_t> separator) { Override() = separator; }

} // namespace VEX

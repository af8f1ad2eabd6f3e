#include "platform/text/ListSeparator.h"

#include <QLocale>

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
    return QLocale::system().decimalPoint() == QStringLiteral(",") ? u';' : u',';
}

void OverrideListSeparator(std::optional<char16_t> separator) { Override() = separator; }

} // namespace VEX

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
    const QString decimalPoint = QLocale::system().decimalPoint();
    return ListSeparatorFor(decimalPoint.size() == 1 ? decimalPoint.front().unicode() : u'.');
}

char16_t ListSeparatorFor(char16_t decimalPoint) { return decimalPoint == u',' ? u';' : u','; }

void OverrideListSeparator(std::optional<char16_t> separator) { Override() = separator; }

} // namespace VEX

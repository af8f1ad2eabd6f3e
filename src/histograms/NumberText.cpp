#include "histograms/NumberText.h"

#include <iomanip>
#include <locale>
#include <sstream>

namespace Nerolith {

namespace {

// The streams use the classic locale whatever the user's, as the copied text
// and the statistics lines always have: digits, '.', '-', 'e' and '+'.
std::u16string Widened(const std::string& text)
{
    return {text.begin(), text.end()};
}

std::ostringstream ClassicStream()
{
    std::ostringstream stream;
    stream.imbue(std::locale::classic());
    return stream;
}

} // namespace

std::u16string DefaultNumber(double value)
{
    std::ostringstream stream = ClassicStream();
    stream << value;
    return Widened(stream.str());
}

std::u16string FixedNumber(double value, int decimals)
{
    std::ostringstream stream = ClassicStream();
    stream << std::fixed << std::setprecision(decimals) << value;
    return Widened(stream.str());
}

std::u16string WholeNumber(std::int64_t value) { return Widened(std::to_string(value)); }

} // namespace Nerolith

#include "histograms/FigureTicks.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string_view>

namespace Nerolith {
namespace {

double TickCount(double minimum, double maximum, double step)
{
    const double slack = step * 1e-6;
    return std::floor((maximum + slack) / step) - std::ceil((minimum - slack) / step) + 1.0;
}

// The smallest of 1, 2 and 5 times a power of ten that gives at most `most`
// ticks, but at least two.
double NiceStep(double minimum, double maximum, int most)
{
    double magnitude = std::pow(10.0, std::floor(std::log10((maximum - minimum) / most)) - 1.0);
    double previous = magnitude;
    for (;; magnitude *= 10.0) {
        for (const double multiple : {1.0, 2.0, 5.0}) {
            const double step = multiple * magnitude;
            if (TickCount(minimum, maximum, step) < 2.0) {
                return previous;
            }
            if (TickCount(minimum, maximum, step) <= most) {
                return step;
            }
            previous = step;
        }
    }
}

std::u16string TickText(double value, double step)
{
    const int decimals = std::max(0, static_cast<int>(-std::floor(std::log10(step) + 1e-9)));
    char buffer[64];
    const int length = std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
    const std::string_view text(buffer, static_cast<std::size_t>(std::clamp(length, 0, 63)));
    // "-0.00" and "0.00" are both plain zero.
    if (text.find_first_not_of("-0.") == std::string_view::npos) {
        return u"0";
    }
    return {text.begin(), text.end()};
}

} // namespace

FigureTicks NiceTicks(double minimum, double maximum, int most)
{
    FigureTicks ticks;
    const double span = maximum - minimum;
    if (!(span > 0.0) || !std::isfinite(span)) {
        return ticks;
    }
    const double step = NiceStep(minimum, maximum, std::max(most, 2));
    const double slack = step * 1e-6;
    for (double k = std::ceil((minimum - slack) / step); k * step <= maximum + slack; k += 1.0) {
        const double value = k * step;
        ticks.values.push_back(value);
        ticks.texts.push_back(TickText(value, step));
    }
    return ticks;
}

} // namespace Nerolith

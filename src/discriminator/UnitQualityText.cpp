#include "discriminator/UnitQualityText.h"

#include <cmath>
#include <cstdio>

namespace Nerolith {

namespace {

std::u16string Formatted(const char* format, double value)
{
    if (std::isnan(value)) {
        return u"n/a";
    }
    char text[32];
    std::snprintf(text, sizeof text, format, value);
    const std::string narrow(text);
    return {narrow.begin(), narrow.end()};
}

std::u16string Marked(std::u16string text, const Host::UnitQuality& unit, std::uint32_t bit)
{
    return (unit.warnings & bit) != 0 ? text + u" (!)" : text;
}

std::u16string Violations(const Host::UnitQuality& unit)
{
    const std::u16string count = Formatted("%.0f", static_cast<double>(unit.refractoryViolations));
    const std::u16string noun =
        unit.refractoryViolations == 1 ? u" refractory violation (" : u" refractory violations (";
    const double percent = unit.refractoryFraction * 100.0;
    const std::u16string fraction = std::isnan(percent) ? u"n/a" : Formatted("%.3g", percent) + u"%";
    return Marked(count + noun + fraction + u")", unit, Host::kWarnRefractory);
}

std::u16string Percent(double fraction)
{
    return std::isnan(fraction) ? u"n/a" : Formatted("%.3g", fraction * 100.0) + u"%";
}

} // namespace

std::u16string UnitQualityText(const Host::UnitQuality& unit)
{
    return unit.name.Str() + u": " + Violations(unit) + u", " +
           Marked(u"isolation " + Formatted("%.1f", unit.isolationDistance), unit, Host::kWarnIsolation) + u", " +
           Marked(u"L-ratio " + Formatted("%.2g", unit.lRatio), unit, Host::kWarnLRatio) + u", " +
           Marked(u"SNR " + Formatted("%.1f", unit.snr), unit, Host::kWarnSnr) + u", " +
           Marked(u"present " + Percent(unit.presence), unit, Host::kWarnPresence) + u".";
}

} // namespace Nerolith

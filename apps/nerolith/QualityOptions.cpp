#include "QualityOptions.h"

#include <cmath>
#include <cstdio>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/text/ShortestNumber.h"

namespace Nerolith::Cli {
namespace {

const char* const kRefractoryHelp =
    "Refractory period in ms (default 1.5): intervals shorter violate it. The contamination is Hill et al. "
    "(2011): violations = 2 (tauR - tauC) N^2 f (1 - f) / T solved for f, tauC being the detector's dead time "
    "(--window less --pretrigger); n/a while tauR <= tauC";

std::vector<Host::UnitQuality> Quality(Desk::Session& session)
{
    std::vector<Host::UnitQuality> units;
    if (Failed(session.Analysis().GetUnitQuality(&units))) {
        throw std::runtime_error("cannot measure the units' quality");
    }
    return units;
}

Host::QualitySettings SettingsOf(Desk::Session& session)
{
    Host::QualitySettings settings;
    session.Analysis().GetQualitySettings(&settings);
    return settings;
}

std::string Figure(double value)
{
    return std::isnan(value) ? "n/a" : VEX::ShortestNumber(value);
}

// Four significant digits for people; the table keeps every digit.
std::string Rounded(double value)
{
    if (std::isnan(value)) {
        return "n/a";
    }
    char text[32];
    std::snprintf(text, sizeof text, "%.4g", value);
    return text;
}

std::string Marked(const std::string& text, std::uint32_t warnings, std::uint32_t bit)
{
    return (warnings & bit) != 0 ? text + " (!)" : text;
}

} // namespace

void QualityOptions::AddTo(CLI::App& command)
{
    const auto positive = CLI::PositiveNumber;
    const auto fraction = CLI::Range(0.0, 1.0);
    command.add_option("--refractory", refractoryMs, kRefractoryHelp)->check(positive);
    command.add_option("--presence-bin", presenceBinS, "Presence: seconds per bin (default 60)")->check(positive);
    command.add_option("--warn-refractory", warnRefractory,
                       "Warn above this fraction of intervals in the refractory period (default 0.01)")
        ->check(fraction);
    command.add_option("--warn-isolation", warnIsolation, "Warn below this isolation distance (default 20)")
        ->check(CLI::NonNegativeNumber);
    command.add_option("--warn-lratio", warnLRatio, "Warn above this L-ratio (default 0.1)")
        ->check(CLI::NonNegativeNumber);
    command.add_option("--warn-snr", warnSnr, "Warn below this signal-to-noise ratio (default 3)")
        ->check(CLI::NonNegativeNumber);
    command.add_option("--warn-presence", warnPresence, "Warn below this presence (default 0.9)")->check(fraction);
}

void QualityOptions::Apply(Desk::Session& session) const
{
    Host::QualitySettings settings = SettingsOf(session);
    settings.refractoryMs = refractoryMs.value_or(settings.refractoryMs);
    settings.presenceBinS = presenceBinS.value_or(settings.presenceBinS);
    settings.maxRefractoryFraction = warnRefractory.value_or(settings.maxRefractoryFraction);
    settings.minIsolationDistance = warnIsolation.value_or(settings.minIsolationDistance);
    settings.maxLRatio = warnLRatio.value_or(settings.maxLRatio);
    settings.minSnr = warnSnr.value_or(settings.minSnr);
    settings.minPresence = warnPresence.value_or(settings.minPresence);
    if (Failed(session.Analysis().SetQualitySettings(settings))) {
        throw std::runtime_error("--refractory, --presence-bin, --warn-*: a value is out of range");
    }
}

void PrintQualitySummary(Desk::Session& session, std::ostream& out)
{
    for (const Host::UnitQuality& unit : Quality(session)) {
        const std::uint32_t warnings = unit.warnings;
        out << "quality\t" << unit.name.ToUtf8() << '\t'
            << Marked("refractory " + std::to_string(unit.refractoryViolations) + " (" +
                          Rounded(unit.refractoryFraction * 100.0) + "%)",
                      warnings, Host::kWarnRefractory)
            << "\tcontamination " << Rounded(unit.contamination)
            << '\t' << Marked("isolation " + Rounded(unit.isolationDistance), warnings, Host::kWarnIsolation)
            << '\t' << Marked("L-ratio " + Rounded(unit.lRatio), warnings, Host::kWarnLRatio)
            << '\t' << Marked("SNR " + Rounded(unit.snr), warnings, Host::kWarnSnr)
            << '\t' << Marked("presence " + Rounded(unit.presence), warnings, Host::kWarnPresence) << '\n';
    }
}

void WriteUnitQualityTable(Desk::Session& session, std::ostream& out)
{
    out << "unit\tspikes\trefractory_violations\trefractory_fraction\tcontamination\tisolation_distance\t"
           "l_ratio\tsnr\tpresence\n";
    for (const Host::UnitQuality& unit : Quality(session)) {
        out << unit.name.ToUtf8() << '\t' << unit.spikes << '\t' << unit.refractoryViolations << '\t'
            << Figure(unit.refractoryFraction) << '\t' << Figure(unit.contamination) << '\t'
            << Figure(unit.isolationDistance) << '\t' << Figure(unit.lRatio) << '\t' << Figure(unit.snr) << '\t'
            << Figure(unit.presence) << '\n';
    }
}

} // namespace Nerolith::Cli

#include "shell/CommandTable.h"

#include <array>

#include "module/StringTable.h"

namespace Nerolith {
namespace {

constexpr std::uint32_t kIconFlags = 10;
constexpr std::uint32_t kPlainFlags = 2;
constexpr std::uint32_t kSubmenuFlags = 520;

constexpr std::array<CommandEntry, 18> kEntries = {{
    {u"Nerolith|&Settings...", Commands::kSettings, 124, kIconFlags, 0},
    {u"Nerolith|-", 0, 0, kPlainFlags, 0},
    {u"Nerolith|&Discriminator", Commands::kDiscriminator, 118, kIconFlags, 0},
    {u"Nerolith|Windows", Commands::kWindows, 119, kSubmenuFlags, 2178},
    {u"Nerolith|&Interspike Interval Histogram", Commands::kInterspikeInterval, 0, kPlainFlags, 0},
    {u"Nerolith|&Amplitude Histogram", Commands::kAmplitudeHistogram, 0, kPlainFlags, 0},
    {u"Nerolith|Ra&te Meter", Commands::kRateMeter, 0, kPlainFlags, 0},
    {u"Nerolith|Autocorrelation &Histogram", Commands::kAutocorrelation, 0, kPlainFlags, 0},
    {u"Nerolith|Cross-correlation Histogra&m", Commands::kCrossCorrelation, 0, kPlainFlags, 0},
    {u"Nerolith|&Peristimulus Time Histogram", Commands::kPeristimulusTime, 0, kPlainFlags, 0},
    {u"Nerolith|-", 0, 0, kPlainFlags, 0},
    {u"Nerolith|Export to &NeuroExplorer", Commands::kExportNex, 0, kPlainFlags, 0},
    {u"Nerolith|Show Spi&ke Markers", Commands::kShowSpikeMarkers, 0, kPlainFlags, 0},
    {u"Nerolith|Analy&ze while sampling", Commands::kAnalyzeWhileSampling, 0, kPlainFlags, 0},
    {u"Nerolith|-", 0, 0, kPlainFlags, 0},
    {u"Nerolith|Reselect Analyzed Data", Commands::kReselectAnalyzedData, 0, kPlainFlags, 0},
    {u"Nerolith|&Clear Analysis", Commands::kClearAnalysis, 0, kPlainFlags, 0},
    {u"Nerolith|A&nalyze", Commands::kAnalyze, 123, kIconFlags, 0},
}};

} // namespace

std::span<const CommandEntry> CommandTable() { return kEntries; }

Host::CommandSpec DescribeCommand(const CommandEntry& entry)
{
    Host::CommandSpec command;
    command.id = entry.id;
    command.path = VEX::String(entry.path);
    command.icon = entry.icon;
    command.flags = entry.flags;
    if (!entry.IsSeparator()) {
        command.shortName = LoadString(entry.id + 1);
        command.description = LoadString(entry.descriptionId != 0 ? entry.descriptionId : entry.id + 2);
    }
    return command;
}

} // namespace Nerolith

#pragma once

#include <cstdint>
#include <span>

#include "host/ICommandFactory.h"

namespace Nerolith {

namespace Commands {
inline constexpr std::uint32_t kAmplitudeHistogram = 2064;
inline constexpr std::uint32_t kRateMeter = 2080;
inline constexpr std::uint32_t kInterspikeInterval = 2096;
inline constexpr std::uint32_t kPeristimulusTime = 2112;
inline constexpr std::uint32_t kExportNex = 2128;
inline constexpr std::uint32_t kSettings = 2144;
inline constexpr std::uint32_t kHelp = 2160;
inline constexpr std::uint32_t kWindows = 2176;
inline constexpr std::uint32_t kAnalyze = 2192;
inline constexpr std::uint32_t kClearAnalysis = 2208;
inline constexpr std::uint32_t kDiscriminator = 2224;
inline constexpr std::uint32_t kShowSpikeMarkers = 2240;
inline constexpr std::uint32_t kReselectAnalyzedData = 2256;
inline constexpr std::uint32_t kAnalyzeWhileSampling = 2272;
inline constexpr std::uint32_t kAutocorrelation = 2288;
inline constexpr std::uint32_t kCrossCorrelation = 2304;
} // namespace Commands

// The key of the module's menu and where the host places it.
inline constexpr const char16_t* kMenuKey = u"NEROLITH";
inline constexpr const char16_t* kMenuPlace = u"Nerolith^EXTENSION|";

// One entry of the module's menu, in menu order. A separator has id 0.
struct CommandEntry {
    const char16_t* path;
    std::uint32_t id;
    std::uint32_t icon;
    std::uint32_t flags;
    // The string id of the description, when it is not id + 2.
    std::uint32_t descriptionId;

    bool IsSeparator() const { return id == 0; }
};

std::span<const CommandEntry> CommandTable();

// The host's description of an entry: path, id, icon, flags and the texts
// found from the string table.
Host::CommandSpec DescribeCommand(const CommandEntry& entry);

} // namespace Nerolith

#pragma once

#include <cstdint>
#include <optional>

#include "host/ISpikeDocInterface.h"
#include "platform/text/VexString.h"

namespace Nerolith::DataSheetFunctions {

// The module's Data Sheet functions by index: 0 the analysed channel, 1 the
// selected unit, then thirteen statistics for each of six analyses at
// 2 + 13 x analysis + statistic, then the selected unit's quality figures
// from kFirstQuality on.
inline constexpr std::int32_t kFirstQuality = 80;
inline constexpr std::int32_t kQualityFigures = 7;
inline constexpr std::int32_t kCount = kFirstQuality + kQualityFigures;
inline constexpr std::int32_t kChannel = 0;
inline constexpr std::int32_t kSelectedUnit = 1;
inline constexpr std::int32_t kStatisticsPerAnalysis = 13;

// In index order.
enum class Analysis : std::int32_t {
    Amplitude,
    InterspikeInterval,
    PeristimulusTime,
    RateMeter,
    Autocorrelation,
    CrossCorrelation,
};

// In index order within an analysis.
enum class Statistic : std::int32_t {
    BinSize,
    SelectionStart,
    SelectionEnd,
    TotalCounts,
    MeanX,
    SDX,
    SEMX,
    MeanY,
    SDY,
    Maximum,
    MaximumAt,
    Minimum,
    MinimumAt,
};

// In index order from kFirstQuality.
enum class QualityFigure : std::int32_t {
    RefractoryViolations,
    RefractoryFraction,
    Contamination,
    IsolationDistance,
    LRatio,
    Snr,
    Presence,
};

struct StatisticFunction {
    Analysis analysis;
    Statistic statistic;
};

bool IsValidIndex(std::int32_t index);
// None for the channel, the selected unit and an index out of range.
std::optional<StatisticFunction> StatisticOf(std::int32_t index);
Host::ViewKind ViewOf(Analysis analysis);
// The quality figure at an index, or none.
std::optional<QualityFigure> QualityFigureOf(std::int32_t index);
// A unit's figure; NaN where it is absent.
double FigureValue(QualityFigure figure, const Host::UnitQuality& unit);

// The name the function class gives the host, and the name an instance in a
// column gives; they differ for the bins with the maximum and minimum.
VEX::String ClassName(std::int32_t index);
VEX::String ItemName(std::int32_t index);
VEX::String Description(std::int32_t index);
// The analysis' X units where the statistic is an X value, else a single
// blank; the amplitude histogram's X units are the channel's unit text.
VEX::String Units(std::int32_t index, const VEX::String& channelUnits);

} // namespace Nerolith::DataSheetFunctions

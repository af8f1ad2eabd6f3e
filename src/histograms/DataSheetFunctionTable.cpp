#include "histograms/DataSheetFunctionTable.h"

#include <array>
#include <string>

#include "host/ViewNames.h"

namespace Nerolith::DataSheetFunctions {
namespace {

struct AnalysisTexts {
    // As the descriptions name the analysis.
    std::u16string_view name;
    // What the analysis counts.
    std::u16string_view counted;
    // What its mean, SD and SEM of X describe.
    std::array<std::u16string_view, 3> xMeasures;
    Host::ViewKind view;
};

constexpr std::array<std::u16string_view, 3> kOccurrenceTimes = {
    u"mean spike occurrence time",
    u"standard deviation of spike occurrence times",
    u"standard error of the mean spike occurrence time",
};

// Descriptions are matched as text by the host's scripts, so this one keeps
// its established spelling ("occurence").
constexpr std::array<std::u16string_view, 3> kPeristimulusOccurrenceTimes = {
    u"mean spike occurence time",
    kOccurrenceTimes[1],
    kOccurrenceTimes[2],
};

constexpr std::array<AnalysisTexts, 6> kAnalyses = {{
    {u"Amplitude Histogram", u"spikes",
     {u"mean amplitude", u"standard deviation of the amplitude", u"standard error of the mean amplitude"},
     Host::ViewKind::AmplitudeHistogram},
    {u"Interspike Interval Histogram", u"spike intervals",
     {u"mean interspike interval", u"standard deviation of the interspike intervals",
      u"standard error of the mean interspike interval"},
     Host::ViewKind::InterspikeInterval},
    {u"Peristimulus Time Histogram", u"spikes", kPeristimulusOccurrenceTimes,
     Host::ViewKind::PeristimulusTime},
    {u"Rate Meter", u"spikes", kOccurrenceTimes, Host::ViewKind::RateMeter},
    {u"Autocorrelation Histogram", u"spikes", kOccurrenceTimes, Host::ViewKind::Autocorrelation},
    {u"Cross-correlation Histogram", u"spikes", kOccurrenceTimes, Host::ViewKind::CrossCorrelation},
}};

constexpr std::array<std::u16string_view, kStatisticsPerAnalysis> kClassSuffixes = {
    u"Bin Size", u"Selection Start", u"Selection End", u"Total Counts", u"Mean X", u"SD X", u"SEM X",
    u"Mean Y",   u"SD Y",            u"Maximum",       u"Bin with Maximum", u"Minimum", u"Bin with Minimum",
};

struct QualityTexts {
    std::u16string_view name;
    std::u16string_view subject;
};

constexpr std::array<QualityTexts, kQualityFigures> kQualityTexts = {{
    {u"Quality: Refractory Violations", u"number of interspike intervals shorter than the refractory period"},
    {u"Quality: Refractory Fraction", u"fraction of interspike intervals shorter than the refractory period"},
    {u"Quality: Contamination", u"estimated fraction of spikes from other cells (Hill et al. 2011)"},
    {u"Quality: Isolation Distance", u"isolation distance on height and width (Harris et al. 2001)"},
    {u"Quality: L-ratio", u"L-ratio on height and width (Schmitzer-Torbert et al. 2005)"},
    {u"Quality: SNR", u"mean peak height over the channel's noise sigma"},
    {u"Quality: Presence", u"fraction of presence bins in which the unit fires"},
}};

constexpr std::u16string_view kChannelName = u"Channel";
constexpr std::u16string_view kSelectedUnitName = u"Selected Unit";
constexpr std::u16string_view kBlank = u" ";
constexpr std::u16string_view kSeconds = u" s";

const AnalysisTexts& TextsOf(Analysis analysis)
{
    return kAnalyses[static_cast<std::size_t>(analysis)];
}

// The view's short name and ": ", as item and class names begin.
std::u16string Prefix(const AnalysisTexts& texts)
{
    const std::string_view name = Host::ShortViewName(texts.view);
    return std::u16string(name.begin(), name.end()) + u": ";
}

std::u16string_view ClassSuffix(Statistic statistic)
{
    return kClassSuffixes[static_cast<std::size_t>(statistic)];
}

std::u16string_view ItemSuffix(Statistic statistic)
{
    switch (statistic) {
    case Statistic::MaximumAt:
        return u"Maximum at";
    case Statistic::MinimumAt:
        return u"Minimum at";
    default:
        return ClassSuffix(statistic);
    }
}

// What "Returns the ... for the <analysis>." says of the statistic.
std::u16string Subject(const AnalysisTexts& texts, Statistic statistic)
{
    const std::u16string counted(texts.counted);
    switch (statistic) {
    case Statistic::BinSize:
        return u"bin size";
    case Statistic::SelectionStart:
        return u"start of the current selection";
    case Statistic::SelectionEnd:
        return u"end of the current selection";
    case Statistic::TotalCounts:
        return u"total counts (number of " + counted + u")";
    case Statistic::MeanX:
    case Statistic::SDX:
    case Statistic::SEMX:
        return std::u16string(
            texts.xMeasures[static_cast<std::size_t>(statistic) - static_cast<std::size_t>(Statistic::MeanX)]);
    case Statistic::MeanY:
        return u"mean counts (number of " + counted + u") per bin";
    case Statistic::SDY:
        return u"standard deviation of the number of " + counted + u" per bin";
    case Statistic::Maximum:
        return u"maximum number of " + counted + u" in a bin";
    case Statistic::MaximumAt:
        return u"bin with the maximum number of " + counted;
    case Statistic::Minimum:
        return u"minimum number of " + counted + u" in a bin";
    case Statistic::MinimumAt:
        return u"bin with the minimum number of " + counted;
    }
    return {};
}

bool IsXValue(Statistic statistic)
{
    switch (statistic) {
    case Statistic::TotalCounts:
    case Statistic::MeanY:
    case Statistic::SDY:
    case Statistic::Maximum:
    case Statistic::Minimum:
        return false;
    default:
        return true;
    }
}

VEX::String SpecialName(std::int32_t index)
{
    if (const auto figure = QualityFigureOf(index)) {
        return kQualityTexts[static_cast<std::size_t>(*figure)].name;
    }
    if (index == kChannel) {
        return kChannelName;
    }
    if (index == kSelectedUnit) {
        return kSelectedUnitName;
    }
    return {};
}

} // namespace

bool IsValidIndex(std::int32_t index) { return index >= 0 && index < kCount; }

std::optional<StatisticFunction> StatisticOf(std::int32_t index)
{
    if (!IsValidIndex(index) || index == kChannel || index == kSelectedUnit || index >= kFirstQuality) {
        return std::nullopt;
    }
    const std::int32_t offset = index - 2;
    return StatisticFunction{static_cast<Analysis>(offset / kStatisticsPerAnalysis),
                             static_cast<Statistic>(offset % kStatisticsPerAnalysis)};
}

Host::ViewKind ViewOf(Analysis analysis) { return TextsOf(analysis).view; }

std::optional<QualityFigure> QualityFigureOf(std::int32_t index)
{
    if (!IsValidIndex(index) || index < kFirstQuality) {
        return std::nullopt;
    }
    return static_cast<QualityFigure>(index - kFirstQuality);
}

double FigureValue(QualityFigure figure, const Host::UnitQuality& unit)
{
    switch (figure) {
    case QualityFigure::RefractoryViolations:
        return static_cast<double>(unit.refractoryViolations);
    case QualityFigure::RefractoryFraction:
        return unit.refractoryFraction;
    case QualityFigure::Contamination:
        return unit.contamination;
    case QualityFigure::IsolationDistance:
        return unit.isolationDistance;
    case QualityFigure::LRatio:
        return unit.lRatio;
    case QualityFigure::Snr:
        return unit.snr;
    case QualityFigure::Presence:
        return unit.presence;
    }
    return Host::UnitQuality::kAbsent;
}

VEX::String ClassName(std::int32_t index)
{
    const auto function = StatisticOf(index);
    if (!function) {
        return SpecialName(index);
    }
    return Prefix(TextsOf(function->analysis)) + std::u16string(ClassSuffix(function->statistic));
}

VEX::String ItemName(std::int32_t index)
{
    const auto function = StatisticOf(index);
    if (!function) {
        return SpecialName(index);
    }
    return Prefix(TextsOf(function->analysis)) + std::u16string(ItemSuffix(function->statistic));
}

VEX::String Description(std::int32_t index)
{
    if (index == kChannel) {
        return u"Returns the channel containing the current analysis.";
    }
    if (index == kSelectedUnit) {
        return u"Returns the name of the currently selected unit.";
    }
    if (const auto figure = QualityFigureOf(index)) {
        return u"Returns the " + std::u16string(kQualityTexts[static_cast<std::size_t>(*figure)].subject) +
               u" for the selected unit.";
    }
    const auto function = StatisticOf(index);
    if (!function) {
        return {};
    }
    // Established wording (no blank before "Histogram"), kept for scripts
    // that match descriptions as text.
    if (function->analysis == Analysis::CrossCorrelation && function->statistic == Statistic::BinSize) {
        return u"Returns the bin size for the Cross-correlationHistogram.";
    }
    const AnalysisTexts& texts = TextsOf(function->analysis);
    return u"Returns the " + Subject(texts, function->statistic) + u" for the " + std::u16string(texts.name) + u".";
}

VEX::String Units(std::int32_t index, const VEX::String& channelUnits)
{
    const auto function = StatisticOf(index);
    if (!function || !IsXValue(function->statistic)) {
        return kBlank;
    }
    return function->analysis == Analysis::Amplitude ? channelUnits : VEX::String(kSeconds);
}

} // namespace Nerolith::DataSheetFunctions

#include "histograms/LogIntervalAxis.h"

#include <algorithm>
#include <cmath>

#include "histograms/AnalysisViewSettings.h"
#include "histograms/HistogramPane.h"
#include "histograms/NumberText.h"
#include "module/AnalysisDocument.h"
#include "quality/StoreQuality.h"

namespace Nerolith {
namespace {

constexpr std::u16string_view kTitle = u"log10 interval (s)";

} // namespace

HRESULT LogIntervalAxis::Set(std::u16string_view name, std::u16string_view value)
{
    if (name != ViewSettingName::kLogX) {
        return S_FALSE;
    }
    if (value != u"on" && value != u"off") {
        return E_INVALIDARG;
    }
    on_ = value == u"on";
    return S_OK;
}

std::vector<SettingMenuItems::Choice> LogIntervalAxis::MenuChoices()
{
    const std::u16string name(ViewSettingName::kLogX);
    return {{name, u"off", VEX::String(u"Linear Interval Axis")},
            {name, u"on", VEX::String(u"Logarithmic Interval Axis")}};
}

std::optional<std::u16string> LogIntervalAxis::Get(std::u16string_view name) const
{
    return name == ViewSettingName::kLogX ? std::optional<std::u16string>(on_ ? u"on" : u"off") : std::nullopt;
}

// Whole decades around the intervals, a zero interval (two spikes on one
// tick) counted in the first bin.
LogIntervalAxis::LogCounts LogIntervalAxis::Count(AnalysisDocument& document, const HistogramPane& pane) const
{
    LogCounts result;
    IHostRecording* recording = document.Recording();
    if (recording == nullptr) {
        return result;
    }
    std::vector<double> logs;
    for (double interval :
         StoreIntervals(document.Store(), *recording, document.Settings().sourceChannel, pane.Unit())) {
        if (interval > 0.0) {
            logs.push_back(std::log10(interval));
        }
    }
    if (logs.empty()) {
        return result;
    }
    const auto [lowest, highest] = std::minmax_element(logs.begin(), logs.end());
    result.firstBin = std::floor(*lowest);
    const double last = std::max(std::ceil(*highest), result.firstBin + 1.0);
    result.counts.assign(static_cast<std::size_t>((last - result.firstBin) * kBinsPerDecade), 0.0);
    for (double value : logs) {
        const auto bin = static_cast<std::size_t>((value - result.firstBin) * kBinsPerDecade);
        result.counts[std::min(bin, result.counts.size() - 1)] += 1.0;
    }
    return result;
}

void LogIntervalAxis::AppendText(AnalysisDocument& document, const HistogramPane& pane, std::u16string& out) const
{
    if (!on_) {
        pane.CopyText(out);
        return;
    }
    const LogCounts counted = Count(document, pane);
    out += pane.Label().Str() + u"\n";
    out += std::u16string(kTitle) + u"\tCounts\n";
    for (std::size_t bin = 0; bin < counted.counts.size(); ++bin) {
        out += DefaultNumber(counted.firstBin + static_cast<double>(bin) / kBinsPerDecade) + u"\t" +
               DefaultNumber(counted.counts[bin]) + u"\n";
    }
    out += u'\n';
}

void LogIntervalAxis::Decorate(AnalysisDocument& document, const HistogramPane& pane, FigurePane& figure) const
{
    if (!on_) {
        return;
    }
    const LogCounts counted = Count(document, pane);
    figure.firstBin = counted.firstBin;
    figure.binWidth = 1.0 / kBinsPerDecade;
    figure.values = counted.counts;
    const double end = counted.firstBin + static_cast<double>(counted.counts.size()) / kBinsPerDecade;
    figure.x = {counted.firstBin, counted.counts.empty() ? counted.firstBin + 1.0 : end};
    const double highest = counted.counts.empty() ? 1.0 : *std::max_element(counted.counts.begin(), counted.counts.end());
    figure.y = {0.0, std::max(highest, 1.0)};
    figure.xTitle = kTitle;
    figure.xLog10Seconds = true;
}

} // namespace Nerolith

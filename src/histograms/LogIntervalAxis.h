#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "histograms/Figure.h"
#include "histograms/SettingMenuItems.h"
#include "platform/com/Result.h"

namespace Nerolith {

class AnalysisDocument;
class HistogramPane;

// The interspike interval view's logarithmic time axis ("log-x": on|off):
// its figure and copied text count each unit's intervals in bins of a tenth
// of a decade, on an X axis of log10 of the interval in seconds, so that a
// bursting cell's short intervals spread out instead of filling the first
// linear bin. Measured on the whole analysis: a paged view keeps its pages.
class LogIntervalAxis {
public:
    static constexpr double kBinsPerDecade = 10.0;

    // S_FALSE for a name it does not take, E_INVALIDARG for a bad value.
    HRESULT Set(std::u16string_view name, std::u16string_view value);
    std::optional<std::u16string> Get(std::u16string_view name) const;
    bool IsOn() const { return on_; }
    // Linear and logarithmic, for the panes' context menus.
    static std::vector<SettingMenuItems::Choice> MenuChoices();

    void AppendText(AnalysisDocument& document, const HistogramPane& pane, std::u16string& out) const;
    void Decorate(AnalysisDocument& document, const HistogramPane& pane, FigurePane& figure) const;

private:
    // The counts from firstBin (log10 s) in bins of 1/kBinsPerDecade.
    struct LogCounts {
        double firstBin = 0.0;
        std::vector<double> counts;
    };
    LogCounts Count(AnalysisDocument& document, const HistogramPane& pane) const;

    bool on_ = false;
};

} // namespace Nerolith

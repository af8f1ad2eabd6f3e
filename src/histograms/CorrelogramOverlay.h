#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "histograms/Figure.h"
#include "histograms/SettingMenuItems.h"
#include "platform/com/Result.h"
#include "quality/CorrelogramStatistics.h"

namespace Nerolith {

class AnalysisDocument;
class HistogramPages;
class HistogramPane;

// What the auto- and cross-correlation views draw over their counts: the
// scale of the Y axis and a confidence band, set by name ("scale":
// counts|rate|coefficient; "band": none|poisson|jitter[:MS[:ROUNDS[:SEED]]]).
// The figure, the panes on screen and the copied text show them. Both are
// measured on the whole analysis, or in a paged view on each page's own
// time span and the spikes within it. The autocorrelogram shades the
// refractory period of the unit quality settings.
class CorrelogramOverlay {
public:
    explicit CorrelogramOverlay(bool cross) : cross_(cross) {}

    // S_FALSE for a name it does not take, E_INVALIDARG for a bad value.
    HRESULT Set(std::u16string_view name, std::u16string_view value);
    std::optional<std::u16string> Get(std::u16string_view name) const;
    // Whether the bars are other than the counts or a band is drawn.
    bool ReplacesBars() const { return scale_ != CorrelogramScale::Counts || band_ != Band::None; }
    // Each scale and band, for the panes' context menus.
    static std::vector<SettingMenuItems::Choice> MenuChoices();

    // The pane's copied text; scaled, and with the columns "expected",
    // "lower 99%" and "upper 99%" when a band is drawn (in a paged view
    // those of each page, after the pages' columns, named "Page N ...").
    void AppendText(AnalysisDocument& document, const HistogramPane& pane, std::u16string& out) const;
    void Decorate(AnalysisDocument& document, const HistogramPane& pane, FigurePane& figure) const;

private:
    enum class Band { None, Poisson, Jitter };
    struct Measured {
        CorrelogramScaling scaling;
        std::optional<CorrelogramBand> band;
    };
    // Of one page of the pane.
    Measured Measure(AnalysisDocument& document, const HistogramPane& pane, const LagBins& bins,
                     std::int32_t page) const;
    static void AppendRows(const HistogramPages& pages, const std::vector<Measured>& measured,
                           std::u16string& out);
    HRESULT SetBand(std::u16string_view value);

    bool cross_;
    CorrelogramScale scale_ = CorrelogramScale::Counts;
    Band band_ = Band::None;
    JitterResampling jitter_;
};

} // namespace Nerolith

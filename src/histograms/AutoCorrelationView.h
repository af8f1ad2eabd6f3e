#pragma once

#include "histograms/AnalysisView.h"
#include "histograms/CorrelogramOverlay.h"

namespace Nerolith {

// The autocorrelation histogram of each unit. The X range the user sets is
// the lag window, taken when the channel is analysed again.
class AutoCorrelationView final : public AnalysisView {
public:
    explicit AutoCorrelationView(AnalysisDocument& document);

    VEX::String ViewName() const override;
    VEX::String CopyMenuText() const override;
    VEX::String PrintMenuText() const override;

protected:
    void ApplyXRange(HistogramPane& pane, double minimum, double maximum) override;
    bool XRangeCountsAgain() const override { return true; }
    // "scale" and "band" (CorrelogramOverlay).
    HRESULT SetOwnSetting(std::u16string_view name, std::u16string_view value) override;
    std::optional<std::u16string> OwnSetting(std::u16string_view name) const override;
    void AppendPaneText(const HistogramPane& pane, std::u16string& out) const override;
    void DecorateFigurePane(const HistogramPane& pane, FigurePane& figure) const override;
    // The refractory shading always; bars of its own when scaled or banded.
    PaneOverlay Overlay() const override
    {
        return overlay_.ReplacesBars() ? PaneOverlay::OwnBars : PaneOverlay::OverCounts;
    }
    std::vector<SettingMenuItems::Choice> MenuChoices() const override { return CorrelogramOverlay::MenuChoices(); }

private:
    std::unique_ptr<HistogramPane> CreatePane(std::int32_t unit, const Host::UnitDescription& description) override;

    CorrelogramOverlay overlay_{false};
};

} // namespace Nerolith

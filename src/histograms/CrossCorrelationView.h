#pragma once

#include "histograms/AnalysisView.h"
#include "histograms/CorrelogramOverlay.h"

namespace Nerolith {

// The cross-correlation histogram of each unit against the reference
// source of the source channel's record (a unit's source or an event
// source), which the paging dialog also chooses. The X range the user sets
// is the lag window, as for the autocorrelation.
class CrossCorrelationView final : public AnalysisView {
public:
    explicit CrossCorrelationView(AnalysisDocument& document);

    VEX::String ViewName() const override;
    VEX::String CopyMenuText() const override;
    VEX::String PrintMenuText() const override;
    VEX::String PagingHint() const override;
    void OpenPagingDialog() override;

protected:
    // "reference": the source's name; empty for none. "scale" and "band"
    // (CorrelogramOverlay).
    HRESULT SetOwnSetting(std::u16string_view name, std::u16string_view value) override;
    std::optional<std::u16string> OwnSetting(std::u16string_view name) const override;
    // "Reference Source: " and the source's name, or "Not selected".
    VEX::String ReferenceLabel() const override;
    void ApplyXRange(HistogramPane& pane, double minimum, double maximum) override;
    bool XRangeCountsAgain() const override { return true; }
    void AppendPaneText(const HistogramPane& pane, std::u16string& out) const override;
    void DecorateFigurePane(const HistogramPane& pane, FigurePane& figure) const override;
    PaneOverlay Overlay() const override { return overlay_.ReplacesBars() ? PaneOverlay::OwnBars : PaneOverlay::None; }
    std::vector<SettingMenuItems::Choice> MenuChoices() const override { return CorrelogramOverlay::MenuChoices(); }

private:
    std::unique_ptr<HistogramPane> CreatePane(std::int32_t unit, const Host::UnitDescription& description) override;
    HRESULT ApplyReference(std::u16string_view source);

    CorrelogramOverlay overlay_{true};
};

} // namespace Nerolith

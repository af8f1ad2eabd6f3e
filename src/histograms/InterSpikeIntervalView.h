#pragma once

#include "histograms/AnalysisView.h"
#include "histograms/LogIntervalAxis.h"

namespace Nerolith {

// The interspike interval histogram of each unit.
class InterSpikeIntervalView final : public AnalysisView {
public:
    explicit InterSpikeIntervalView(AnalysisDocument& document);

    VEX::String ViewName() const override;
    VEX::String CopyMenuText() const override;
    VEX::String PrintMenuText() const override;

protected:
    // "log-x" (LogIntervalAxis).
    HRESULT SetOwnSetting(std::u16string_view name, std::u16string_view value) override;
    std::optional<std::u16string> OwnSetting(std::u16string_view name) const override;
    void AppendPaneText(const HistogramPane& pane, std::u16string& out) const override;
    void DecorateFigurePane(const HistogramPane& pane, FigurePane& figure) const override;
    PaneOverlay Overlay() const override { return logAxis_.IsOn() ? PaneOverlay::OwnBars : PaneOverlay::None; }
    std::vector<SettingMenuItems::Choice> MenuChoices() const override { return LogIntervalAxis::MenuChoices(); }

private:
    std::unique_ptr<HistogramPane> CreatePane(std::int32_t unit, const Host::UnitDescription& description) override;

    LogIntervalAxis logAxis_;
};

} // namespace Nerolith

#pragma once

#include "histograms/AnalysisView.h"

namespace Nerolith {

// The rate meter of each unit: its spikes over the time of the page.
class RateMeterView final : public AnalysisView {
public:
    explicit RateMeterView(AnalysisDocument& document);

    VEX::String ViewName() const override;
    VEX::String CopyMenuText() const override;
    VEX::String PrintMenuText() const override;

private:
    std::unique_ptr<HistogramPane> CreatePane(std::int32_t unit, const Host::UnitDescription& description) override;
    // Published figures show rates, which readers compare across bin sizes.
    void ToFigureUnits(FigurePane& pane) const override;
};

} // namespace Nerolith

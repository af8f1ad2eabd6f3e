#pragma once

#include "histograms/AnalysisView.h"

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

private:
    std::unique_ptr<HistogramPane> CreatePane(std::int32_t unit, const Host::UnitDescription& description) override;
};

} // namespace Nerolith

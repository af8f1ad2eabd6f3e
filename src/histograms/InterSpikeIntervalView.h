#pragma once

#include "histograms/AnalysisView.h"

namespace Nerolith {

// The interspike interval histogram of each unit.
class InterSpikeIntervalView final : public AnalysisView {
public:
    explicit InterSpikeIntervalView(AnalysisDocument& document);

    VEX::String ViewName() const override;
    VEX::String CopyMenuText() const override;
    VEX::String PrintMenuText() const override;

private:
    std::unique_ptr<HistogramPane> CreatePane(std::int32_t unit, const Host::UnitDescription& description) override;
};

} // namespace Nerolith

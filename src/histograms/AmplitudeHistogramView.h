#pragma once

#include "histograms/AnalysisView.h"

namespace Nerolith {

// The amplitude histogram of each unit: spike heights in the channel's
// units. It counts nothing while it waits for a stimulus.
class AmplitudeHistogramView final : public AnalysisView {
public:
    explicit AmplitudeHistogramView(AnalysisDocument& document);

    VEX::String ViewName() const override;
    VEX::String CopyMenuText() const override;
    VEX::String PrintMenuText() const override;

protected:
    // The channel's units.
    VEX::String AnalysisUnits() const override;

private:
    std::unique_ptr<HistogramPane> CreatePane(std::int32_t unit, const Host::UnitDescription& description) override;
};

} // namespace Nerolith

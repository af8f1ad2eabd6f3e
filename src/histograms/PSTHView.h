#pragma once

#include "histograms/AnalysisView.h"

namespace Nerolith {

// The peristimulus time histogram of each unit. Its sweeps are the blocks
// (paging by blocks) or the events of the source channel's stimulus source
// (paging by stimulus events), with the same number of sweeps per page
// either way; its panes start at minus the pre-stimulus time.
class PSTHView final : public AnalysisView {
public:
    explicit PSTHView(AnalysisDocument& document);

    VEX::String ViewName() const override;
    VEX::String CopyMenuText() const override;
    VEX::String PrintMenuText() const override;
    VEX::String PagingHint() const override;
    void OpenPagingDialog() override;

protected:
    // "pre-stimulus" (seconds, not below 0), "sweeps" ("blocks" or
    // "stimulus:SOURCE") and "paging" ("blocks:N" or "stimulus:N", N sweeps
    // per page).
    HRESULT SetOwnSetting(std::u16string_view name, std::u16string_view value) override;
    std::optional<std::u16string> OwnSetting(std::u16string_view name) const override;

private:
    std::unique_ptr<HistogramPane> CreatePane(std::int32_t unit, const Host::UnitDescription& description) override;
    HRESULT ApplyPreStimulus(std::u16string_view value);
    HRESULT ApplySweeps(std::u16string_view value);
    HRESULT ApplySweepPaging(std::u16string_view value);
    std::u16string SweepsText() const;
    std::u16string SweepPagingText() const;
};

} // namespace Nerolith

#pragma once

#include <cstdint>
#include <vector>

#include "histograms/PagingDialog.h"

namespace Nerolith {

// "Paging and Reference Options" of the cross-correlation view: the paging
// of PagingDialog (with its own wording of the refusals) and the reference
// source, chosen from the sources available. With none available the list
// is disabled and says so, and the reference becomes empty.
class CrossCorrPagingDialog final : public PagingDialog {
public:
    static constexpr std::int32_t kSource = 1401;

    CrossCorrPagingDialog(platform::ui::TWindow* parent, const PagingSettings& settings,
                          std::vector<VEX::String> sources, const VEX::String& reference);

    // The reference source as last accepted: on opening, then after OK.
    const VEX::String& Reference() const { return reference_; }
    bool CanClose() override;

protected:
    void SetupWindow() override;

private:
    std::vector<VEX::String> sources_;
    VEX::String reference_;
};

} // namespace Nerolith

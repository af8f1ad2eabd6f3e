#pragma once

#include <cstdint>
#include <vector>

#include "histograms/PagingSettings.h"
#include "platform/ui/TDialog.h"

namespace Nerolith {

// "Paging Options" of the peristimulus time histogram: the sweep source
// (each block, or the events of a stimulus source chosen from those
// available), the sweeps per page and the pre-stimulus time. Values out of
// range are refused with a message and the dialog stays open with what was
// typed.
class PSTHPagingDialog final : public platform::ui::TDialog {
public:
    static constexpr std::int32_t kBlocksRadio = 1501;
    static constexpr std::int32_t kStimulusRadio = 1502;
    static constexpr std::int32_t kSource = 1503;
    static constexpr std::int32_t kSweeps = 1504;
    static constexpr std::int32_t kPreStimulus = 1505;

    PSTHPagingDialog(platform::ui::TWindow* parent, const PagingSettings& settings,
                     std::vector<VEX::String> sources, const VEX::String& stimulus);

    // As last accepted: on opening, then after OK. "Blocks" gives mode 1
    // and no stimulus source, "Stimulus events" mode 3 and the chosen one;
    // the sweeps per page go to both blocks and events per page.
    const PagingSettings& Settings() const { return settings_; }
    const VEX::String& Stimulus() const { return stimulus_; }
    bool CanClose() override;

protected:
    void SetupWindow() override;

private:
    void Refuse(std::int32_t edit, const VEX::String& message);

    PagingSettings settings_;
    std::vector<VEX::String> sources_;
    VEX::String stimulus_;
};

} // namespace Nerolith

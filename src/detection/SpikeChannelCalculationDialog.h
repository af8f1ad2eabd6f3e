#pragma once

#include <cstdint>
#include <vector>

#include "detection/SpikeChannelCalculationSettings.h"
#include "detection/UnitCatalog.h"
#include "host/IHostServices.h"
#include "platform/com/ComPtr.h"
#include "platform/ui/TDialog.h"

namespace Nerolith {

// Chooses the unit a spike channel calculation follows and what it makes of
// the unit's spikes. OK needs a unit to choose; the caller takes Settings()
// when Execute returns IDOK.
class SpikeChannelCalculationDialog final : public platform::ui::TDialog {
public:
    static constexpr std::int32_t kUnitList = 1001;
    static constexpr std::int32_t kUnitSpikes = 1002;
    static constexpr std::int32_t kInstantaneousFrequency = 1003;

    static constexpr const char16_t* kNoUnits = u"No Units";
    static constexpr const char16_t* kNoUnitsRefusal = u"No Nerolith Units have been added yet.";
    static constexpr const char16_t* kHelpFile = u"NerolithHelp";
    static constexpr const char16_t* kHelpTopic = u"NL_Channel_Calc";

    // Lists the units `units` holds now, every channel's.
    SpikeChannelCalculationDialog(platform::ui::TWindow* parent, const UnitCatalog& units, IHostServices* services,
                                  const SpikeChannelCalculationSettings& settings);

    const SpikeChannelCalculationSettings& Settings() const { return settings_; }

    // Refuses, telling the user, when there is no unit to choose.
    bool CanClose() override;

protected:
    void SetupWindow() override;
    void EvCommand(std::int32_t id, platform::ui::ControlNotify notify) override;

private:
    void FillUnitList();
    std::int32_t UnitShownFirst() const;

    std::vector<UnitSummary> units_;
    ComPtr<IHostServices> services_;
    SpikeChannelCalculationSettings settings_;
};

} // namespace Nerolith

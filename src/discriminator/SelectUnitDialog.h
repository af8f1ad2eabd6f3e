#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "host/ISpikeDocInterface.h"
#include "platform/ui/TDialog.h"

namespace Nerolith {

// Chooses the unit a spike is assigned to, among one channel's units. With
// no units it lists "No Units" and OK chooses nothing.
class SelectUnitDialog final : public platform::ui::TDialog {
public:
    static constexpr std::int32_t kUnitList = 1014;
    static constexpr const char16_t* kNoUnits = u"No Units";

    SelectUnitDialog(platform::ui::TWindow* parent, std::vector<Host::UnitDescription> units);

    // The chosen unit's number once Execute returned IDOK; none with no units.
    std::optional<std::int32_t> Chosen() const { return chosen_; }

    bool CanClose() override;

protected:
    void SetupWindow() override;

private:
    std::vector<Host::UnitDescription> units_;
    std::optional<std::int32_t> chosen_;
};

} // namespace Nerolith

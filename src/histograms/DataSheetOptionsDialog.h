#pragma once

#include <cstdint>
#include <vector>

#include "detection/UnitCatalog.h"
#include "platform/ui/TDialog.h"

namespace Nerolith {

// The Data Sheet functions' options: a list of the channel's units to choose
// from, showing the selected unit (or the first) when it opens.
class DataSheetOptionsDialog final : public platform::ui::TDialog {
public:
    static constexpr std::int32_t kUnitList = 1001;

    DataSheetOptionsDialog(platform::ui::TWindow* parent, std::vector<UnitSummary> units,
                           std::int32_t selectedUnit);

protected:
    void SetupWindow() override;

private:
    std::vector<UnitSummary> units_;
    std::int32_t selectedUnit_;
};

} // namespace Nerolith

#include "histograms/DataSheetOptionsDialog.h"

#include <algorithm>
#include <utility>

namespace Nerolith {
namespace {

using platform::ui::ControlKind;
using platform::ui::DialogTemplate;

DialogTemplate Layout()
{
    DialogTemplate layout;
    layout.title = u"Dialog";
    layout.dialogUnits = true;
    layout.size = {160, 60};
    layout.controls = {
        {-1, ControlKind::Static, u"Select Unit:", {7, 10, 55, 20}},
        {DataSheetOptionsDialog::kUnitList, ControlKind::ComboBox, {}, {58, 8, 153, 20}},
        {platform::ui::IDOK, ControlKind::DefaultButton, u"OK", {48, 38, 98, 52}},
        {platform::ui::IDCANCEL, ControlKind::Button, u"Cancel", {103, 38, 153, 52}},
    };
    return layout;
}

} // namespace

DataSheetOptionsDialog::DataSheetOptionsDialog(platform::ui::TWindow* parent, std::vector<UnitSummary> units,
                                               std::int32_t selectedUnit)
    : TDialog(parent, Layout()), units_(std::move(units)), selectedUnit_(selectedUnit)
{
}

void DataSheetOptionsDialog::SetupWindow()
{
    TDialog::SetupWindow();
    for (const UnitSummary& unit : units_) {
        AddItem(kUnitList, unit.name, unit.number);
    }
    if (units_.empty()) {
        return;
    }
    const auto selected = std::find_if(units_.begin(), units_.end(),
                                       [this](const UnitSummary& unit) { return unit.number == selectedUnit_; });
    SetSelIndex(kUnitList, selected == units_.end() ? 0 : static_cast<std::int32_t>(selected - units_.begin()));
}

} // namespace Nerolith

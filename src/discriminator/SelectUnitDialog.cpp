#include "discriminator/SelectUnitDialog.h"

namespace Nerolith {
namespace {

using platform::ui::ControlKind;
using platform::ui::DialogTemplate;

DialogTemplate Layout()
{
    DialogTemplate layout;
    layout.title = u"Select Unit";
    layout.dialogUnits = true;
    layout.size = {150, 62};
    layout.controls = {
        {-1, ControlKind::Static, u"Unit:", {7, 9, 35, 19}},
        {SelectUnitDialog::kUnitList, ControlKind::ComboBox, {}, {38, 7, 143, 19}},
        {platform::ui::IDOK, ControlKind::DefaultButton, u"OK", {38, 40, 88, 54}},
        {platform::ui::IDCANCEL, ControlKind::Button, u"Cancel", {93, 40, 143, 54}},
    };
    return layout;
}

} // namespace

SelectUnitDialog::SelectUnitDialog(platform::ui::TWindow* parent, std::vector<Host::UnitDescription> units)
    : TDialog(parent, Layout()), units_(std::move(units))
{
}

void SelectUnitDialog::SetupWindow()
{
    TDialog::SetupWindow();
    if (units_.empty()) {
        AddItem(kUnitList, kNoUnits, -1);
    }
    for (const Host::UnitDescription& unit : units_) {
        AddItem(kUnitList, unit.name, unit.number);
    }
    SetSelIndex(kUnitList, 0);
}

bool SelectUnitDialog::CanClose()
{
    if (!TDialog::CanClose()) {
        return false;
    }
    const std::int32_t index = GetSelIndex(kUnitList);
    if (!units_.empty() && index >= 0) {
        chosen_ = static_cast<std::int32_t>(GetItemData(kUnitList, index));
    }
    return true;
}

} // namespace Nerolith

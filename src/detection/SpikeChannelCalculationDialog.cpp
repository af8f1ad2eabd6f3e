#include "detection/SpikeChannelCalculationDialog.h"

#include "detection/Expressions.h"
#include "module/StringTable.h"
#include "platform/ui/MessageBox.h"

namespace Nerolith {
namespace {

using platform::ui::ControlKind;
using platform::ui::DialogTemplate;

platform::ui::DialogTemplate Layout()
{
    using D = SpikeChannelCalculationDialog;
    DialogTemplate layout;
    layout.title = u"Nerolith Channel Calculation";
    layout.dialogUnits = true;
    layout.size = {200, 109};
    // Labels and frames are never addressed; negative ids keep them clear
    // of the controls that are.
    layout.controls = {
        {-1, ControlKind::GroupBox, u"Source", {7, 7, 193, 35}},
        {-2, ControlKind::Static, u"Unit:", {15, 19, 45, 29}},
        {D::kUnitList, ControlKind::ComboBox, {}, {50, 17, 185, 29}},
        {-3, ControlKind::GroupBox, u"Options", {7, 40, 193, 80}},
        {D::kUnitSpikes, ControlKind::RadioButton, u"Unit spikes at event time", {15, 51, 185, 61}},
        {D::kInstantaneousFrequency, ControlKind::RadioButton, u"Instantaneous frequency", {15, 64, 185, 74}},
        {platform::ui::IDOK, ControlKind::DefaultButton, u"OK", {33, 88, 83, 102}},
        {platform::ui::IDCANCEL, ControlKind::Button, u"Cancel", {88, 88, 138, 102}},
        {platform::ui::IDHELP, ControlKind::Button, u"Help", {143, 88, 193, 102}},
    };
    return layout;
}

} // namespace

SpikeChannelCalculationDialog::SpikeChannelCalculationDialog(platform::ui::TWindow* parent,
                                                             const UnitCatalog& units, IHostServices* services,
                                                             const SpikeChannelCalculationSettings& settings)
    : TDialog(parent, Layout()), units_(units.List()), services_(services), settings_(settings)
{
}

bool SpikeChannelCalculationDialog::CanClose()
{
    if (!TDialog::CanClose()) {
        return false;
    }
    const std::int32_t chosen = GetSelIndex(kUnitList);
    if (units_.empty() || chosen < 0) {
        platform::ui::MessageBox(this, kNoUnitsRefusal, LoadString(Strings::kCaption),
                                 platform::ui::MB_OK | platform::ui::MB_ICONEXCLAMATION);
        return false;
    }
    settings_.eventSource = UnitSourceName(static_cast<std::int32_t>(GetItemData(kUnitList, chosen)));
    settings_.mode = IsChecked(kInstantaneousFrequency) ? SpikeChannelCalculationSettings::kInstantaneousFrequency
                                                        : SpikeChannelCalculationSettings::kUnitSpikes;
    return true;
}

void SpikeChannelCalculationDialog::SetupWindow()
{
    TDialog::SetupWindow();
    FillUnitList();
    const bool frequency = settings_.mode == SpikeChannelCalculationSettings::kInstantaneousFrequency;
    SetCheck(kUnitSpikes, !frequency);
    SetCheck(kInstantaneousFrequency, frequency);
}

void SpikeChannelCalculationDialog::EvCommand(std::int32_t id, platform::ui::ControlNotify notify)
{
    if (id == platform::ui::IDHELP && notify == platform::ui::ControlNotify::Clicked) {
        if (services_) {
            services_->ShowHelp(kHelpFile, kHelpTopic);
        }
        return;
    }
    TDialog::EvCommand(id, notify);
}

void SpikeChannelCalculationDialog::FillUnitList()
{
    if (units_.empty()) {
        AddItem(kUnitList, kNoUnits, -1);
    }
    for (const UnitSummary& unit : units_) {
        AddItem(kUnitList, unit.name, unit.number);
    }
    SetSelIndex(kUnitList, UnitShownFirst());
}

// The unit the calculation follows already, else the first one.
std::int32_t SpikeChannelCalculationDialog::UnitShownFirst() const
{
    for (std::size_t i = 0; i < units_.size(); ++i) {
        if (UnitSourceName(units_[i].number) == settings_.eventSource) {
            return static_cast<std::int32_t>(i);
        }
    }
    return 0;
}

} // namespace Nerolith

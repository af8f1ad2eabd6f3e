#include "histograms/PagingDialog.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

#include "module/StringTable.h"
#include "platform/ui/MessageBox.h"

namespace Nerolith {

namespace ui = platform::ui;

namespace {

using D = PagingDialog;

// The largest page count a whole-number box gives; more is no different
// from "all on one page" in practice.
constexpr double kLargestCount = std::numeric_limits<std::int32_t>::max();

ui::DialogTemplate Layout()
{
    ui::DialogTemplate layout;
    layout.title = u"Paging Options";
    layout.dialogUnits = true;
    layout.size = {170, 92};
    layout.controls = D::PagingControls(7, 7);
    layout.controls.push_back({ui::IDOK, ui::ControlKind::DefaultButton, u"OK", {58, 71, 108, 85}});
    layout.controls.push_back({ui::IDCANCEL, ui::ControlKind::Button, u"Cancel", {113, 71, 163, 85}});
    return layout;
}

} // namespace

PagingDialog::PagingDialog(ui::TWindow* parent, const PagingSettings& settings)
    : PagingDialog(parent, Layout(), settings,
                   {u"Blocks per page must be greater than zero", u"Fixed duration must be greater than zero",
                    u"Stimulus events must be greater than zero", LoadString(Strings::kCaption)})
{
}

PagingDialog::PagingDialog(ui::TWindow* parent, const ui::DialogTemplate& layout, const PagingSettings& settings,
                           Refusals refusals)
    : TDialog(parent, layout), settings_(settings), refusals_(std::move(refusals))
{
}

std::vector<ui::ControlTemplate> PagingDialog::PagingControls(std::int32_t left, std::int32_t top)
{
    const auto at = [left, top](std::int32_t l, std::int32_t t, std::int32_t r, std::int32_t b) {
        return ui::TRect(left + l, top + t, left + r, top + b);
    };
    constexpr double kLowest = std::numeric_limits<double>::lowest();
    constexpr double kHighest = std::numeric_limits<double>::max();
    return {
        {kNoPagingRadio, ui::ControlKind::RadioButton, u"No paging", at(0, 0, 75, 10), true},
        {kBlocksRadio, ui::ControlKind::RadioButton, u"Blocks per page", at(0, 15, 75, 25)},
        {kDurationRadio, ui::ControlKind::RadioButton, u"Fixed duration", at(0, 30, 75, 40)},
        {kStimulusRadio, ui::ControlKind::RadioButton, u"Stimulus events", at(0, 45, 75, 55)},
        {kBlocksEdit, ui::ControlKind::NumericEdit, {}, at(80, 13, 135, 25), false, kLowest, kHighest},
        {kDurationEdit, ui::ControlKind::NumericEdit, {}, at(80, 28, 135, 40), false, kLowest, kHighest},
        // Far from the small negative ids of the frames around these controls.
        {-101, ui::ControlKind::Static, u"s", at(139, 30, 150, 40)},
        {kEventsEdit, ui::ControlKind::NumericEdit, {}, at(80, 43, 135, 55), false, kLowest, kHighest},
    };
}

bool PagingDialog::CanClose()
{
    return TakePaging();
}

void PagingDialog::SetupWindow()
{
    TDialog::SetupWindow();
    SetCheck(kNoPagingRadio, settings_.mode == kNoPaging);
    SetCheck(kBlocksRadio, settings_.mode == kBlocksPerPage);
    SetCheck(kDurationRadio, settings_.mode == kFixedDuration);
    SetCheck(kStimulusRadio, settings_.mode == kStimulusEvents);
    SetNumber(kBlocksEdit, settings_.blocksPerPage);
    SetNumber(kDurationEdit, settings_.fixedDuration);
    SetNumber(kEventsEdit, settings_.eventsPerPage);
    EnableEdits();
}

void PagingDialog::EvCommand(std::int32_t id, ui::ControlNotify notify)
{
    if (id == kNoPagingRadio || id == kBlocksRadio || id == kDurationRadio || id == kStimulusRadio) {
        EnableEdits();
        return;
    }
    TDialog::EvCommand(id, notify);
}

bool PagingDialog::TakePaging()
{
    PagingSettings taken = settings_;
    if (IsChecked(kBlocksRadio)) {
        const std::optional<std::int32_t> blocks = TakeCount(kBlocksEdit, refusals_.blocks);
        if (!blocks) {
            return false;
        }
        taken.mode = kBlocksPerPage;
        taken.blocksPerPage = *blocks;
    } else if (IsChecked(kDurationRadio)) {
        const std::optional<double> duration = GetNumber(kDurationEdit);
        if (!duration || !(*duration > 0.0)) {
            Refuse(kDurationEdit, refusals_.duration);
            SetNumber(kDurationEdit, settings_.fixedDuration);
            return false;
        }
        taken.mode = kFixedDuration;
        taken.fixedDuration = *duration;
    } else if (IsChecked(kStimulusRadio)) {
        const std::optional<std::int32_t> events = TakeCount(kEventsEdit, refusals_.events);
        if (!events) {
            return false;
        }
        taken.mode = kStimulusEvents;
        taken.eventsPerPage = *events;
    } else {
        taken.mode = kNoPaging;
    }
    settings_ = taken;
    return true;
}

void PagingDialog::EnableEdits()
{
    EnableControl(kBlocksEdit, IsChecked(kBlocksRadio));
    EnableControl(kDurationEdit, IsChecked(kDurationRadio));
    EnableControl(kEventsEdit, IsChecked(kStimulusRadio));
}

void PagingDialog::Refuse(std::int32_t edit, const VEX::String& message)
{
    ui::MessageBox(this, message, refusals_.caption, ui::MB_OK | ui::MB_ICONEXCLAMATION);
    SetControlFocus(edit);
}

// A whole number of at least 1; a fraction is cut to its whole part.
std::optional<std::int32_t> PagingDialog::TakeCount(std::int32_t edit, const VEX::String& refusal)
{
    const std::optional<double> value = GetNumber(edit);
    if (!value || !(std::trunc(*value) >= 1.0)) {
        Refuse(edit, refusal);
        SetNumber(edit, edit == kBlocksEdit ? settings_.blocksPerPage : settings_.eventsPerPage);
        return std::nullopt;
    }
    return static_cast<std::int32_t>(std::min(std::trunc(*value), kLargestCount));
}

} // namespace Nerolith

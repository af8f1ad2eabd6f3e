#include "histograms/PSTHPagingDialog.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

#include "histograms/EventSourceList.h"
#include "platform/ui/MessageBox.h"

namespace Nerolith {

namespace ui = platform::ui;

namespace {

using D = PSTHPagingDialog;

constexpr double kLargestCount = std::numeric_limits<std::int32_t>::max();

ui::DialogTemplate Layout()
{
    constexpr double kLowest = std::numeric_limits<double>::lowest();
    constexpr double kHighest = std::numeric_limits<double>::max();
    ui::DialogTemplate layout;
    layout.title = u"Paging Options";
    layout.dialogUnits = true;
    layout.size = {180, 120};
    layout.controls = {
        {-1, ui::ControlKind::GroupBox, u"Sweep source", {7, 4, 173, 60}},
        {D::kBlocksRadio, ui::ControlKind::RadioButton, u"Blocks", {14, 15, 100, 25}, true},
        {D::kStimulusRadio, ui::ControlKind::RadioButton, u"Stimulus events", {14, 29, 100, 39}},
        {D::kSource, ui::ControlKind::ComboBox, {}, {14, 43, 166, 55}},
        {-2, ui::ControlKind::Static, u"Sweeps per page:", {7, 68, 80, 78}},
        {D::kSweeps, ui::ControlKind::NumericEdit, {}, {85, 66, 140, 78}, false, kLowest, kHighest},
        {-3, ui::ControlKind::Static, u"Pre-stimulus time:", {7, 84, 80, 94}},
        {D::kPreStimulus, ui::ControlKind::NumericEdit, {}, {85, 82, 140, 94}, false, kLowest, kHighest},
        {-4, ui::ControlKind::Static, u"s", {144, 84, 155, 94}},
        {ui::IDOK, ui::ControlKind::DefaultButton, u"OK", {68, 100, 118, 114}},
        {ui::IDCANCEL, ui::ControlKind::Button, u"Cancel", {123, 100, 173, 114}},
    };
    return layout;
}

const VEX::String kCaption = u"Error in Paging Options";

} // namespace

PSTHPagingDialog::PSTHPagingDialog(ui::TWindow* parent, const PagingSettings& settings,
                                   std::vector<VEX::String> sources, const VEX::String& stimulus)
    : TDialog(parent, Layout()), settings_(settings), sources_(std::move(sources)), stimulus_(stimulus)
{
}

bool PSTHPagingDialog::CanClose()
{
    const std::optional<double> sweeps = GetNumber(kSweeps);
    if (!sweeps || !(*sweeps > 0.0)) {
        Refuse(kSweeps, u"Sweeps Per Page must be one or greater");
        return false;
    }
    const std::optional<double> preStimulus = GetNumber(kPreStimulus);
    if (!preStimulus || !(*preStimulus >= 0.0)) {
        Refuse(kPreStimulus, u"Pre-stimulus Time must be greater than or equal to zero");
        return false;
    }
    const bool byStimulus = IsChecked(kStimulusRadio);
    const std::int32_t chosen = GetSelIndex(kSource);
    settings_.mode = byStimulus ? kStimulusEvents : kBlocksPerPage;
    stimulus_ = byStimulus && !sources_.empty() && chosen >= 0 ? sources_[static_cast<std::size_t>(chosen)]
                                                              : VEX::String();
    // 0.5 sweeps passes the check above and is raised to one.
    const auto whole = static_cast<std::int32_t>(std::clamp(std::trunc(*sweeps), 1.0, kLargestCount));
    settings_.blocksPerPage = whole;
    settings_.eventsPerPage = whole;
    settings_.preStimulusTime = *preStimulus;
    return true;
}

void PSTHPagingDialog::SetupWindow()
{
    TDialog::SetupWindow();
    const bool byStimulus = settings_.mode == kStimulusEvents;
    SetCheck(kBlocksRadio, !byStimulus);
    SetCheck(kStimulusRadio, byStimulus);
    SetNumber(kSweeps, byStimulus ? settings_.eventsPerPage : settings_.blocksPerPage);
    SetNumber(kPreStimulus, settings_.preStimulusTime);
    FillEventSourceList(*this, kSource, sources_, stimulus_);
}

void PSTHPagingDialog::Refuse(std::int32_t edit, const VEX::String& message)
{
    ui::MessageBox(this, message, kCaption, ui::MB_OK | ui::MB_ICONEXCLAMATION);
    SetControlFocus(edit);
}

} // namespace Nerolith

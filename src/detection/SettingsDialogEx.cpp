#include "detection/SettingsDialogEx.h"

#include <cmath>
#include <limits>
#include <string>
#include <utility>

#include "module/AnalysisSettings.h"
#include "module/StringTable.h"
#include "platform/ui/MessageBox.h"

namespace Nerolith {
namespace {

using platform::ui::ControlKind;
using platform::ui::ControlTemplate;
using platform::ui::DialogTemplate;

constexpr double kMillisecondsPerSecond = 1000.0;
constexpr double kSecondsPerMillisecond = 0.001;
constexpr double kIntervalMaximumMs = 100000.0;
constexpr double kFitToleranceMaximum = 100000.0;

constexpr const char16_t* kTooLargeForUnit = u"The value is too large to be stored in the unit of the channel.";

// Labels and frames are never addressed; negative ids keep them clear of
// the controls that are.
ControlTemplate Label(std::int32_t id, const char16_t* text, platform::ui::TRect bounds)
{
    return {id, ControlKind::Static, text, bounds};
}

ControlTemplate Frame(std::int32_t id, const char16_t* text, platform::ui::TRect bounds)
{
    return {id, ControlKind::GroupBox, text, bounds};
}

ControlTemplate Radio(std::int32_t id, const char16_t* text, platform::ui::TRect bounds)
{
    return {id, ControlKind::RadioButton, text, bounds};
}

ControlTemplate NumberEdit(std::int32_t id, platform::ui::TRect bounds, double minimum, double maximum)
{
    return {id, ControlKind::NumericEdit, {}, bounds, false, minimum, maximum};
}

DialogTemplate Layout()
{
    using D = SettingsDialogEx;
    constexpr double kLowest = std::numeric_limits<double>::lowest();
    constexpr double kHighest = std::numeric_limits<double>::max();
    DialogTemplate layout;
    layout.title = u"Nerolith Settings";
    layout.dialogUnits = true;
    layout.size = {260, 219};
    layout.controls = {
        Label(-1, u"Channel:", {7, 9, 50, 19}),
        {D::kChannel, ControlKind::ComboBox, {}, {55, 7, 253, 19}},
        Frame(-2, u"Data source", {7, 24, 253, 50}),
        Radio(D::kWholeChannel, u"Whole channel", {15, 35, 110, 45}),
        Radio(D::kSelection, u"Selection", {120, 35, 220, 45}),
        Frame(-3, u"Extracted waveforms", {7, 55, 253, 134}),
        Label(-4, u"Detection threshold:", {15, 68, 98, 78}),
        NumberEdit(D::kThreshold, {100, 66, 170, 78}, kLowest, kHighest),
        Label(D::kThresholdUnit, {}, {175, 68, 245, 78}),
        Label(-5, u"Spike polarity:", {15, 84, 98, 94}),
        Radio(D::kPositive, u"Positive", {100, 83, 150, 93}),
        Radio(D::kNegative, u"Negative", {155, 83, 210, 93}),
        Label(-6, u"Pretrigger interval:", {15, 100, 98, 110}),
        NumberEdit(D::kPretrigger, {100, 98, 170, 110}, 0.0, kIntervalMaximumMs),
        Label(-7, u"ms", {175, 100, 200, 110}),
        Label(-8, u"Total trigger interval:", {15, 116, 98, 126}),
        NumberEdit(D::kTotalTrigger, {100, 114, 170, 126}, 0.0, kIntervalMaximumMs),
        Label(-9, u"ms", {175, 116, 200, 126}),
        Frame(-10, u"Template matching options", {7, 139, 253, 162}),
        Label(-11, u"Default fit tolerance:", {15, 149, 98, 159}),
        NumberEdit(D::kFitTolerance, {100, 147, 170, 159}, 0.0, kFitToleranceMaximum),
        Label(D::kFitToleranceUnit, {}, {175, 149, 245, 159}),
        Frame(-12, u"Spike height and width measurement options", {7, 167, 253, 190}),
        Radio(D::kMonophasic, u"Monophasic", {15, 177, 110, 187}),
        Radio(D::kBiphasic, u"Biphasic", {120, 177, 220, 187}),
        {platform::ui::IDOK, ControlKind::DefaultButton, u"OK", {93, 198, 143, 212}},
        {platform::ui::IDCANCEL, ControlKind::Button, u"Cancel", {148, 198, 198, 212}},
        {platform::ui::IDHELP, ControlKind::Button, u"Help", {203, 198, 253, 212}},
    };
    return layout;
}

// A factor that is missing, zero, negative or not finite would turn every
// value shown or stored into nonsense; such a channel is taken as giving
// none.
double UsableFactor(double factor)
{
    return std::isfinite(factor) && factor > 0.0 ? factor : 1.0;
}

} // namespace

SettingsDialogEx::SettingsDialogEx(platform::ui::TWindow* parent, const AnalysisSettings& settings,
                                   IHostRecording* recording, IHostServices* services)
    : TDialog(parent, Layout()), settings_(settings), recording_(recording), services_(services)
{
}

bool SettingsDialogEx::CanClose()
{
    if (!TDialog::CanClose()) {
        return false;
    }
    TakeEnteredValues();
    return ScaledValuesFinite() && IntervalsValid();
}

void SettingsDialogEx::SetupWindow()
{
    TDialog::SetupWindow();
    FillChannelList();
    ShowChannel(settings_.sourceChannel);
}

void SettingsDialogEx::EvCommand(std::int32_t id, platform::ui::ControlNotify notify)
{
    if (id == kChannel && notify == platform::ui::ControlNotify::SelChange) {
        if (const std::int32_t channel = GetSelIndex(kChannel); channel >= 0) {
            ShowChannel(channel);
        }
        return;
    }
    if (id == platform::ui::IDHELP && notify == platform::ui::ControlNotify::Clicked) {
        ShowHelp();
        return;
    }
    TDialog::EvCommand(id, notify);
}

void SettingsDialogEx::FillChannelList()
{
    const std::int32_t count = recording_ ? recording_->ChannelCount() : 0;
    for (std::int32_t channel = 0; channel < count; ++channel) {
        VEX::String title;
        if (Failed(recording_->ChannelTitle(channel, &title))) {
            title = VEX::String::FromUtf8(std::to_string(channel + 1));
        }
        AddItem(kChannel, title, channel);
    }
}

// Unconfirmed edits belong to the channel they were typed for, so the
// record is read again from the document rather than carried over.
void SettingsDialogEx::ShowChannel(std::int32_t channel)
{
    if (const ChannelAnalysisRecord* stored = settings_.FindRecord(channel)) {
        record_ = *stored;
    } else {
        // Looking at a channel must not give it a record: a dialog left
        // with Cancel changes nothing in the document.
        record_ = ChannelAnalysisRecord{};
        record_.channel = channel;
    }
    ReadChannelUnit(channel);
    ShowRecord();
}

void SettingsDialogEx::ReadChannelUnit(std::int32_t channel)
{
    VEX::String unit;
    double factor = 1.0;
    if (recording_ && Succeeded(recording_->ChannelUnit(channel, &unit, &factor))) {
        unitName_ = unit;
        scale_ = UsableFactor(factor);
    } else {
        unitName_ = {};
        scale_ = 1.0;
    }
}

void SettingsDialogEx::ShowRecord()
{
    SetSelIndex(kChannel, record_.channel);
    SetCheck(kWholeChannel, !record_.useSelection);
    SetCheck(kSelection, record_.useSelection);
    SetNumber(kThreshold, record_.detectionThreshold / scale_);
    SetControlText(kThresholdUnit, unitName_);
    SetCheck(kPositive, record_.signalMode == 0);
    SetCheck(kNegative, record_.signalMode != 0);
    SetNumber(kPretrigger, record_.pretriggerTime * kMillisecondsPerSecond);
    SetNumber(kTotalTrigger, record_.totalTriggerTime * kMillisecondsPerSecond);
    SetNumber(kFitTolerance, record_.defaultFitTolerance / scale_);
    SetControlText(kFitToleranceUnit, unitName_);
    SetCheck(kMonophasic, record_.discriminationMode == 0);
    SetCheck(kBiphasic, record_.discriminationMode != 0);
}

// Called once the base check has found a number in every numeric edit.
void SettingsDialogEx::TakeEnteredValues()
{
    record_.useSelection = IsChecked(kSelection);
    record_.detectionThreshold = GetNumber(kThreshold).value_or(0.0) * scale_;
    record_.signalMode = IsChecked(kPositive) ? 0 : 1;
    record_.pretriggerTime = GetNumber(kPretrigger).value_or(0.0) * kSecondsPerMillisecond;
    record_.totalTriggerTime = GetNumber(kTotalTrigger).value_or(0.0) * kSecondsPerMillisecond;
    record_.defaultFitTolerance = GetNumber(kFitTolerance).value_or(0.0) * scale_;
    record_.discriminationMode = IsChecked(kMonophasic) ? 0 : 1;
}

// A channel whose stored unit is much smaller than the shown one can turn a
// huge entry into infinity, which no detector or document could use.
bool SettingsDialogEx::ScaledValuesFinite()
{
    for (const auto& [id, value] : {std::pair{kThreshold, record_.detectionThreshold},
                                    std::pair{kFitTolerance, record_.defaultFitTolerance}}) {
        if (!std::isfinite(value)) {
            platform::ui::MessageBox(this, kTooLargeForUnit, LoadString(Strings::kCaption),
                                     platform::ui::MB_OK | platform::ui::MB_ICONSTOP);
            SetControlFocus(id);
            return false;
        }
    }
    return true;
}

bool SettingsDialogEx::IntervalsValid()
{
    if (record_.totalTriggerTime > record_.pretriggerTime) {
        return true;
    }
    platform::ui::MessageBox(this, kIntervalRefusal, LoadString(Strings::kCaption),
                             platform::ui::MB_OK | platform::ui::MB_ICONSTOP);
    return false;
}

void SettingsDialogEx::ShowHelp()
{
    if (services_) {
        services_->ShowHelp(kHelpFile, kHelpTopic);
    }
}

} // namespace Nerolith

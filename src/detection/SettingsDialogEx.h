#pragma once

#include <cstdint>

#include "host/IHostRecording.h"
#include "host/IHostServices.h"
#include "host/ISpikeDocInterface.h"
#include "platform/com/ComPtr.h"
#include "platform/ui/TDialog.h"

namespace Nerolith {

class AnalysisSettings;

// "Nerolith Settings": edits a copy of one channel's detection settings.
// Threshold and fit tolerance are shown in the channel's unit and kept in
// the stored unit; the two intervals are shown in ms and kept in seconds.
// Choosing another channel shows that channel's record as the document
// has it, dropping what was typed for the previous one. The caller stores
// Record() when Execute returns IDOK.
class SettingsDialogEx final : public platform::ui::TDialog {
public:
    static constexpr std::int32_t kChannel = 1014;
    static constexpr std::int32_t kWholeChannel = 1008;
    static constexpr std::int32_t kSelection = 1009;
    static constexpr std::int32_t kThreshold = 104;
    static constexpr std::int32_t kThresholdUnit = 1015;
    static constexpr std::int32_t kPositive = 1035;
    static constexpr std::int32_t kNegative = 1036;
    static constexpr std::int32_t kPretrigger = 109;
    static constexpr std::int32_t kTotalTrigger = 1005;
    static constexpr std::int32_t kFitTolerance = 1006;
    static constexpr std::int32_t kFitToleranceUnit = 1016;
    static constexpr std::int32_t kMonophasic = 1010;
    static constexpr std::int32_t kBiphasic = 1011;

    static constexpr const char16_t* kIntervalRefusal =
        u"The Pretrigger interval must be less than the Total trigger interval.";
    static constexpr const char16_t* kHelpFile = u"NerolithHelp";
    static constexpr const char16_t* kHelpTopic = u"NL_SpikeDetectSettings";

    // Opens on the settings' source channel. `settings` is read again at
    // each change of channel, so it must outlive the dialog.
    SettingsDialogEx(platform::ui::TWindow* parent, const AnalysisSettings& settings, IHostRecording* recording,
                     IHostServices* services);

    // The record as last taken from the controls; before OK, the record of
    // the channel shown.
    const Host::ChannelAnalysisRecord& Record() const { return record_; }

    // Takes the entered values into the record and checks them; refuses,
    // telling the user, when they cannot be stored.
    bool CanClose() override;

protected:
    void SetupWindow() override;
    void EvCommand(std::int32_t id, platform::ui::ControlNotify notify) override;

private:
    void FillChannelList();
    void ShowChannel(std::int32_t channel);
    void ReadChannelUnit(std::int32_t channel);
    void ShowRecord();
    void TakeEnteredValues();
    bool ScaledValuesFinite();
    bool IntervalsValid();
    void ShowHelp();

    const AnalysisSettings& settings_;
    ComPtr<IHostRecording> recording_;
    ComPtr<IHostServices> services_;
    Host::ChannelAnalysisRecord record_;
    VEX::String unitName_;
    // From the shown unit to the stored one.
    double scale_ = 1.0;
};

} // namespace Nerolith

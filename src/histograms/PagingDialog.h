#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "histograms/PagingSettings.h"
#include "platform/ui/TDialog.h"

namespace Nerolith {

// "Paging Options" of the amplitude, interspike interval, autocorrelation
// and rate meter views: no paging, blocks per page, fixed duration or
// stimulus events, each but the first with its number. An edit box is
// enabled only while its radio button is checked, and only the chosen
// mode's box is read on OK. A value out of range is refused with a message;
// the box gets its previous value back and the dialog stays open.
class PagingDialog : public platform::ui::TDialog {
public:
    static constexpr std::int32_t kNoPagingRadio = 1301;
    static constexpr std::int32_t kBlocksRadio = 1302;
    static constexpr std::int32_t kDurationRadio = 1303;
    static constexpr std::int32_t kStimulusRadio = 1304;
    static constexpr std::int32_t kBlocksEdit = 1305;
    static constexpr std::int32_t kDurationEdit = 1306;
    static constexpr std::int32_t kEventsEdit = 1307;

    PagingDialog(platform::ui::TWindow* parent, const PagingSettings& settings);

    // The settings as last accepted: on opening, then after OK.
    const PagingSettings& Settings() const { return settings_; }
    bool CanClose() override;

    // The radio buttons and edit boxes, their top left corner at (left, top)
    // in dialog units.
    static std::vector<platform::ui::ControlTemplate> PagingControls(std::int32_t left, std::int32_t top);

protected:
    // What the refusals say, and under which caption.
    struct Refusals {
        VEX::String blocks;
        VEX::String duration;
        VEX::String events;
        VEX::String caption;
    };

    PagingDialog(platform::ui::TWindow* parent, const platform::ui::DialogTemplate& layout,
                 const PagingSettings& settings, Refusals refusals);

    void SetupWindow() override;
    void EvCommand(std::int32_t id, platform::ui::ControlNotify notify) override;
    // Reads the chosen mode and its number into Settings(); false, having
    // told the user, when the number is refused.
    bool TakePaging();

private:
    void EnableEdits();
    void Refuse(std::int32_t edit, const VEX::String& message);
    std::optional<std::int32_t> TakeCount(std::int32_t edit, const VEX::String& refusal);

    PagingSettings settings_;
    Refusals refusals_;
};

} // namespace Nerolith

#pragma once

#include <cstdint>
#include <optional>

#include "discriminator/ContourBounds.h"
#include "platform/ui/TDialog.h"

namespace Nerolith {

// "Unit Properties": a unit's name and colour and, for a contour unit, the
// box around its contour (heights in the channel's displayed unit, widths
// in ms). A template unit has no boundaries to edit.
class UnitPropertiesDialog final : public platform::ui::TDialog {
public:
    static constexpr std::int32_t kName = 104;
    static constexpr std::int32_t kColour = 1012;
    static constexpr std::int32_t kTop = 109;
    static constexpr std::int32_t kBottom = 1005;
    static constexpr std::int32_t kLeft = 1006;
    static constexpr std::int32_t kRight = 1007;
    static constexpr std::int32_t kTopUnit = 1015;
    static constexpr std::int32_t kBottomUnit = 1016;

    struct Values {
        VEX::String name;
        std::uint32_t colour = 0;
        std::optional<ContourBounds> bounds;
    };

    UnitPropertiesDialog(platform::ui::TWindow* parent, Values values, const VEX::String& heightUnit);

    // What was entered, once the dialog closed with OK.
    const Values& Result() const { return values_; }
    bool CanClose() override;

protected:
    void SetupWindow() override;

private:
    Values values_;
    VEX::String heightUnit_;
};

} // namespace Nerolith

#pragma once

#include <cstdint>
#include <limits>

#include "platform/text/VexString.h"
#include "platform/ui/Geometry.h"

namespace platform::ui {

// Command ids of the standard dialog buttons, and what Execute returns.
inline constexpr std::int32_t IDOK = 1;
inline constexpr std::int32_t IDCANCEL = 2;
inline constexpr std::int32_t IDYES = 6;
inline constexpr std::int32_t IDNO = 7;
inline constexpr std::int32_t IDHELP = 9;

enum class ControlKind : std::uint8_t {
    Static,
    GroupBox,
    Edit,
    // An edit that takes a number within [minimum, maximum].
    NumericEdit,
    Button,
    // The button Enter presses.
    DefaultButton,
    CheckBox,
    // Consecutive radio buttons form one group; groupStart begins a new one.
    RadioButton,
    // A drop-down list to choose from (not editable); items carry data.
    ComboBox,
    // A button showing a colour; pressing it offers a pop-up of colours.
    ColourButton,
};

// One control of a window or dialog, addressed by its id.
struct ControlTemplate {
    std::int32_t id = 0;
    ControlKind kind = ControlKind::Static;
    VEX::String text;
    // In the parent's client pixels (or dialog units, see DialogTemplate).
    TRect bounds;
    bool groupStart = false;
    double minimum = std::numeric_limits<double>::lowest();
    double maximum = std::numeric_limits<double>::max();
};

// What a control tells its window through EvCommand.
enum class ControlNotify : std::uint8_t {
    Clicked,      // a button pressed, a box or radio button toggled
    SelChange,    // the user chose another item of a combo box
    EditChange,   // the user changed an edit's text
    ColourChange, // the user picked a colour
};

} // namespace platform::ui

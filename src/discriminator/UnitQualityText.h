#pragma once

#include <string>

#include "host/UnitQuality.h"
#include "platform/ui/Color.h"

namespace Nerolith {

// The unit selector's colour for a unit with any figure past its threshold.
inline constexpr platform::ui::COLORREF kQualityWarningColour = platform::ui::RGB(204, 0, 0);

// The status line's sentence on one unit's quality figures, e.g. "Unit B: 0
// refractory violations (0%), isolation 66.2, L-ratio 0.0003, SNR 25.1,
// present 100%."; "n/a" for a figure that could not be measured and "(!)"
// after a figure past its threshold.
std::u16string UnitQualityText(const Host::UnitQuality& unit);

} // namespace Nerolith

#pragma once

#include <cstdint>
#include <vector>

#include "platform/text/VexString.h"
#include "platform/ui/Geometry.h"

namespace platform::ui {
class TDC;
}

namespace Nerolith {

// One colour of a picture and what it stands for.
struct LegendEntry {
    VEX::String name;
    std::uint32_t colour = 0; // 0x00BBGGRR
};

// A picture's header: its title, then a swatch and the name of each entry,
// in a strip across the top of `rect`, all on white. Returns what is left
// of `rect` below the strip.
platform::ui::TRect DrawLegend(platform::ui::TDC& dc, const platform::ui::TRect& rect, const VEX::String& title,
                               const std::vector<LegendEntry>& entries);

} // namespace Nerolith

#pragma once

#include <cstdint>

#include "platform/ui/Color.h"

namespace DUdido1 {

// The grid's settings. The mode and second word are kept and passed on as
// they are; the grid draws with the colour and the dots-only flag.
struct GraphDisplayInfo {
    std::int32_t mode = 1;
    std::int32_t secondWord = 175;
    platform::ui::COLORREF gridColour = platform::ui::RGB(175, 175, 255);
    std::int32_t dotsOnly = 0;
    bool shown = true;

    friend bool operator==(const GraphDisplayInfo&, const GraphDisplayInfo&) = default;
};

} // namespace DUdido1

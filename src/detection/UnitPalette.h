#pragma once

#include <cstddef>
#include <cstdint>

namespace Nerolith {

inline constexpr std::size_t kUnitPaletteSize = 18;

// The default colour of a unit (0x00BBGGRR): the palette entry that the
// order table gives for the unit number modulo the palette size. The order
// puts far-apart hues on consecutive numbers.
std::uint32_t UnitColour(std::int32_t unitNumber);

} // namespace Nerolith

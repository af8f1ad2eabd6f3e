#include "detection/UnitPalette.h"

#include <array>

namespace Nerolith {
namespace {

constexpr std::uint32_t Rgb(std::uint32_t r, std::uint32_t g, std::uint32_t b)
{
    return r | (g << 8) | (b << 16);
}

// By hue; dark and saturated enough to read on white, none near grey.
constexpr std::array<std::uint32_t, kUnitPaletteSize> kPalette = {
    Rgb(230, 25, 75),  Rgb(128, 0, 0),    Rgb(245, 130, 48), Rgb(170, 110, 40), Rgb(128, 128, 0),
    Rgb(200, 170, 0),  Rgb(130, 200, 30), Rgb(60, 180, 75),  Rgb(0, 100, 0),    Rgb(0, 190, 140),
    Rgb(0, 128, 128),  Rgb(0, 170, 220),  Rgb(0, 90, 200),   Rgb(0, 0, 128),    Rgb(120, 60, 220),
    Rgb(145, 30, 180), Rgb(220, 40, 200), Rgb(240, 110, 150)};

constexpr std::array<std::size_t, kUnitPaletteSize> kOrder = {0, 12, 7, 2, 15, 10, 5, 13, 16,
                                                               8, 3,  11, 1, 14, 6,  17, 9, 4};

} // namespace

std::uint32_t UnitColour(std::int32_t unitNumber)
{
    const auto index = static_cast<std::uint32_t>(unitNumber) % kUnitPaletteSize;
    return kPalette[kOrder[index]];
}

} // namespace Nerolith

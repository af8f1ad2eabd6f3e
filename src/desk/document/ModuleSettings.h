#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "platform/com/Stream.h"

namespace Desk {

// The module's settings stream, taken from its persistence object as the
// exact bytes it writes. clearDirty is passed on: the module then considers
// its settings saved.
std::vector<std::uint8_t> SaveSettings(IPersistStreamInit* persistence, bool clearDirty);

// Hands a settings stream back to the module's persistence object. A stream
// the module rejects (a failure result, or its format error) becomes a
// DocumentError.
void LoadSettings(IPersistStreamInit* persistence, std::span<const std::uint8_t> bytes);

} // namespace Desk

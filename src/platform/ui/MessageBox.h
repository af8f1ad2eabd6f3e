#pragma once

#include <cstdint>

#include "platform/Export.h"
#include "platform/text/VexString.h"

namespace platform::ui {

class TWindow;

// Buttons (low bits) and icon (next bits) of a message box, combined with |.
inline constexpr std::uint32_t MB_OK = 0x00;
inline constexpr std::uint32_t MB_OKCANCEL = 0x01;
inline constexpr std::uint32_t MB_YESNOCANCEL = 0x03;
inline constexpr std::uint32_t MB_YESNO = 0x04;
inline constexpr std::uint32_t MB_ICONSTOP = 0x10;
inline constexpr std::uint32_t MB_ICONQUESTION = 0x20;
inline constexpr std::uint32_t MB_ICONEXCLAMATION = 0x30;
inline constexpr std::uint32_t MB_ICONINFORMATION = 0x40;

// Shows a message and returns the button pressed: IDOK, IDCANCEL, IDYES or
// IDNO (Controls.h). Headless runs answer from Automation.h's queue; every
// box shown is recorded there.
PLATFORM_API std::int32_t MessageBox(TWindow* owner, const VEX::String& text, const VEX::String& caption,
                                     std::uint32_t type = MB_OK);

} // namespace platform::ui

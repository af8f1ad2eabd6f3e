#pragma once

#include <cstdint>

#include "platform/Export.h"

namespace platform::ui {

// Makes the application object windows need, if there is none yet. Without
// a display (QT_QPA_PLATFORM unset and no DISPLAY/WAYLAND_DISPLAY) it
// chooses the offscreen platform, so nothing ever waits for a screen.
// Windows and dialogs call it themselves.
PLATFORM_API void EnsureApplication();
// True when windows are not shown to anyone (offscreen or minimal platform).
PLATFORM_API bool IsHeadless();
// Delivers pending events (paints, timers, input) for up to the given time.
PLATFORM_API void ProcessEvents(std::int32_t milliseconds = 0);
// Runs the event loop until the last window closes; returns its exit code.
PLATFORM_API int RunEventLoop();

} // namespace platform::ui

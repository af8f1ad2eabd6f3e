#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "platform/Export.h"
#include "platform/text/VexString.h"
#include "platform/ui/Geometry.h"

namespace platform::ui {
class TDialog;
class TPopupMenu;
class TWindow;
} // namespace platform::ui

// Answers to what would otherwise wait for a user, and synthetic input, so
// that headless runs and tests can drive windows, dialogs and menus. A
// configured answer applies on a real display too.
namespace platform::ui::automation {

// Message boxes: queued answers are used first, then the default answer
// (none: the first button of the box, IDOK or IDYES).
struct ShownMessageBox {
    VEX::String caption;
    VEX::String text;
    std::uint32_t type = 0;
    std::int32_t answer = 0;
};
PLATFORM_API void QueueMessageBoxAnswer(std::int32_t answer);
PLATFORM_API void SetDefaultMessageBoxAnswer(std::optional<std::int32_t> answer);
PLATFORM_API std::vector<ShownMessageBox> ShownMessageBoxes();

// Dialogs: Execute hands the dialog, set up, to the driver, which sets
// controls and presses buttons (Click). A dialog still open when the driver
// returns closes with IDCANCEL. Headless runs without a driver cancel.
using DialogDriver = std::function<void(TDialog& dialog)>;
PLATFORM_API void SetDialogDriver(DialogDriver driver);

// Pop-up menus: the chooser returns the chosen id (0 for none). Headless
// runs without a chooser choose nothing. Every menu shown is recorded.
using MenuChooser = std::function<std::uint32_t(const TPopupMenu& menu, const TPoint& screenPoint)>;
PLATFORM_API void SetMenuChooser(MenuChooser chooser);
PLATFORM_API std::int32_t ShownMenuCount();

// File dialogs: each queued answer serves one dialog (none: cancelled).
struct ShownFileDialog {
    VEX::String title;
    VEX::String filter;
    bool save = true;
};
PLATFORM_API void QueueFileAnswer(std::optional<VEX::String> path);
PLATFORM_API std::vector<ShownFileDialog> ShownFileDialogs();

// Print previews rendered headless, with their page counts.
PLATFORM_API std::vector<std::int32_t> ShownPrintPreviews();

// Makes the clipboard refuse to open, as when another program holds it.
PLATFORM_API void SetClipboardAvailable(bool available);

// Forgets every answer, driver, chooser and record.
PLATFORM_API void Reset();

// Synthetic input, delivered through the window's own event path.
enum class MouseAction : std::uint8_t { Press, Release, Move, DoubleClick };
enum class MouseButton : std::uint8_t { None, Left, Right, Middle };
PLATFORM_API void SendMouse(TWindow& window, MouseAction action, MouseButton button, const TPoint& point,
                            std::uint32_t modKeys = 0);
PLATFORM_API void SendMouseLeave(TWindow& window);
PLATFORM_API void SendChar(TWindow& window, char16_t character);
PLATFORM_API void SendKey(TWindow& window, std::uint32_t virtualKey, std::uint32_t modKeys = 0);

// Acting on controls as a user would, with the notifications that follow:
// Click presses a button (OK and Cancel included) or toggles a box or radio
// button; ChooseItem selects a combo item; TypeText replaces an edit's text;
// ChooseColour sets a colour button.
PLATFORM_API void Click(TWindow& window, std::int32_t controlId);
PLATFORM_API void ChooseItem(TWindow& window, std::int32_t controlId, std::int32_t index);
PLATFORM_API void TypeText(TWindow& window, std::int32_t controlId, const VEX::String& text);
PLATFORM_API void ChooseColour(TWindow& window, std::int32_t controlId, std::uint32_t colour);

} // namespace platform::ui::automation

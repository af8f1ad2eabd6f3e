#pragma once

#include <optional>
#include <string>

#include "platform/Export.h"
#include "platform/text/VexString.h"
#include "platform/ui/Render.h"

namespace platform::ui {

// What one copy puts on the clipboard: a picture (as SVG and as PNG) and
// Unicode text, either or both.
struct ClipboardContent {
    std::optional<TSize> pictureSize;
    PaintFunction picture;
    std::optional<VEX::String> text;
};

// Replaces the clipboard's content. False when the clipboard cannot be
// opened; the clipboard is then left as it was.
PLATFORM_API bool CopyToClipboard(const ClipboardContent& content);
// None when the clipboard holds no text or cannot be opened.
PLATFORM_API std::optional<VEX::String> ReadClipboardText();
PLATFORM_API std::optional<std::string> ReadClipboardSvg();
PLATFORM_API std::optional<std::string> ReadClipboardPng();

} // namespace platform::ui

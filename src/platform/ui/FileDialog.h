#pragma once

#include <optional>

#include "platform/Export.h"
#include "platform/text/VexString.h"

namespace platform::ui {

class TWindow;

struct FileDialogOptions {
    VEX::String title;
    // Pairs of description and pattern, each followed by '|', as in
    // "Nex Files (*.nex)|*.nex"; several patterns in one pair split by ';'.
    VEX::String filter;
    // Added (without the dot) to a chosen name that has no extension.
    VEX::String defaultExtension;
    VEX::String initialPath;
};

// The chosen path, or none when the user cancelled. Headless runs answer
// from Automation.h's queue (cancel when it is empty).
PLATFORM_API std::optional<VEX::String> GetSaveFileName(TWindow* owner, const FileDialogOptions& options);
PLATFORM_API std::optional<VEX::String> GetOpenFileName(TWindow* owner, const FileDialogOptions& options);

} // namespace platform::ui

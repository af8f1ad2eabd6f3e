#pragma once

// The answers and records behind Automation.h, for the platform's own code
// (both sides of it: the Qt-free layer and its backend).

#include <deque>
#include <optional>
#include <vector>

#include "platform/ui/Automation.h"
#include "platform/Export.h"

namespace platform::ui::automation {

struct AutomationState {
    std::deque<std::int32_t> messageBoxAnswers;
    std::optional<std::int32_t> defaultMessageBoxAnswer;
    std::vector<ShownMessageBox> shownMessageBoxes;
    DialogDriver dialogDriver;
    MenuChooser menuChooser;
    std::int32_t shownMenus = 0;
    std::deque<std::optional<VEX::String>> fileAnswers;
    std::vector<ShownFileDialog> shownFileDialogs;
    std::vector<std::int32_t> shownPrintPreviews;
    bool clipboardAvailable = true;
};

// The one state of the process; user-interface thread only.
PLATFORM_API AutomationState& State();

} // namespace platform::ui::automation

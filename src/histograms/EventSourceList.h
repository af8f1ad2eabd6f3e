#pragma once

#include <cstdint>
#include <vector>

#include "platform/text/VexString.h"
#include "platform/ui/TWindow.h"

namespace Nerolith {

// What a source list shows when the host offers no event sources.
inline constexpr const char16_t* kNoEventSources = u"No event channels available";

// Fills a dialog's combo box with the host's event sources and selects
// `current` (nothing when it is not among them); without sources the list
// shows kNoEventSources and is disabled.
void FillEventSourceList(platform::ui::TWindow& dialog, std::int32_t id, const std::vector<VEX::String>& sources,
                         const VEX::String& current);

} // namespace Nerolith

#pragma once

#include <cstdint>

#include "platform/text/VexString.h"

namespace Nerolith {

// The module's user-visible texts by string id. A menu command's id is the
// id of its menu text; id + 1 is its short name and id + 2 its description.
// Returns an empty string for an id the table does not have.
VEX::String LoadString(std::uint32_t id);
bool HasString(std::uint32_t id);

namespace Strings {
inline constexpr std::uint32_t kCaption = 107;
inline constexpr std::uint32_t kExportTitle = 106;
inline constexpr std::uint32_t kAnalyzeChannel = 132;
inline constexpr std::uint32_t kAnalyzeSelection = 133;
inline constexpr std::uint32_t kLaterVersion = 134;
inline constexpr std::uint32_t kClearAnalysisWarning = 146;
inline constexpr std::uint32_t kOnlineWithSelection = 148;
inline constexpr std::uint32_t kClearUnitsWarning = 149;
inline constexpr std::uint32_t kNonFiniteSettings = 150;
} // namespace Strings

} // namespace Nerolith

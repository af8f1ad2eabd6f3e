#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "desk/calc/FilterDesign.h"
#include "desk/document/DocumentContents.h"
#include "desk/runtime/HostDocument.h"

namespace Desk {

// Sets a filter on a channel (or, with none, takes the channel's
// calculation off), as a user sets a channel calculation; throws with the
// reason when the channel refuses it.
void SetChannelFilter(HostDocument& document, std::int32_t channel, const std::optional<FilterDesign>& design);
// The filter set on a channel, if any.
std::optional<FilterDesign> ChannelFilter(HostDocument& document, std::int32_t channel);

// The filters on the document's channels as a document keeps its channel
// calculations, and back. Calculations of other classes are left alone.
std::vector<ChannelCalculationItem> SavedChannelFilters(HostDocument& document);
void RestoreChannelFilters(HostDocument& document, const std::vector<ChannelCalculationItem>& items);

} // namespace Desk

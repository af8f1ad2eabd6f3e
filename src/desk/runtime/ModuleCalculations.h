#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "desk/document/DocumentContents.h"
#include "desk/runtime/HostDocument.h"

namespace Desk {

// The module's channel calculations as a document keeps them. A calculation
// does not name the class it was made from, so the host remembers that when
// it sets one; a document keeps the class's name with the calculation's own
// settings, and opening it makes the calculation again from the module's
// class of that name.
void RememberModuleCalculation(HostDocument& document, std::int32_t channel, const std::string& className);
std::vector<ChannelCalculationItem> SavedModuleCalculations(HostDocument& document);
// Throws, naming the channel, when a class is not the module's or a
// calculation refuses its settings or its channel.
void RestoreModuleCalculations(HostDocument& document, const std::vector<ChannelCalculationItem>& items);

} // namespace Desk

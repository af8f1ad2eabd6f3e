#pragma once

#include <string>

#include "ViewOptions.h"

namespace Nerolith::Cli {

// What a view's setting accepts, for the message that refuses a value:
// " (it takes ...)", or empty where the option's help says it all.
std::string AcceptedValues(Desk::Session& session, const NamedView& view, const char16_t* setting);

} // namespace Nerolith::Cli

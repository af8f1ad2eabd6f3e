#pragma once

#include <QWidget>

#include "desk/runtime/HostServices.h"

namespace Desk {

// Shows the module's message box over `parent` and returns the answer the
// module expects.
Host::MessageAnswer PresentMessage(QWidget* parent, const ShownMessage& message);

} // namespace Desk

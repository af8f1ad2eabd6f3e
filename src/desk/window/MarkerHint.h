#pragma once

#include <QString>

#include "desk/runtime/HostDocument.h"
#include "desk/window/ChartPainter.h"

namespace Desk {

// The hint of a spike marker: the event under it, read from the source the
// module attached to the channel, described by the module's drawing class.
// Empty when the channel has no markers attached or the event is gone.
QString MarkerHint(HostDocument& document, const ChartMarker& marker);

} // namespace Desk

#pragma once

// For the host's Qt code (desk/ and apps/): the Qt widget behind a TWindow,
// to embed it in frames and lay it out. The module never includes this.

#include <QWidget>

#include "platform/Export.h"
#include "platform/ui/TWindow.h"

namespace platform::ui::qt {

// None once the widget is gone (its Qt parent deleted it).
PLATFORM_API QWidget* NativeWidget(const TWindow& window);

} // namespace platform::ui::qt

#pragma once

// For the host's Qt code (desk/ and apps/): the Qt widget behind a TWindow,
// to embed it in frames and lay it out. The module never includes this.

#include <QWidget>

#include <functional>

#include "platform/Export.h"
#include "platform/ui/TWindow.h"

namespace platform::ui::qt {

// None once the widget is gone (its Qt parent deleted it).
PLATFORM_API QWidget* NativeWidget(const TWindow& window);

// Where top-level windows go when they are shown: the desktop program
// places them in its own window (sub-windows) instead of on the desktop.
// The placer is called each time such a window is shown; empty restores
// plain top-level windows.
using TopLevelPlacer = std::function<void(QWidget& window)>;
PLATFORM_API void SetTopLevelPlacer(TopLevelPlacer placer);
PLATFORM_API const TopLevelPlacer& CurrentTopLevelPlacer();
// True for the widget of a plain window (not a dialog) without a parent: one
// that the placer would place. Without a screen windows are never shown, so
// the desktop program finds them this way.
PLATFORM_API bool IsPlainTopLevel(const QWidget& widget);

// The window that dialogs, message boxes and file dialogs opened without an
// owner belong to (the desktop program's main window), so that they open
// over it, modal to it; null: they stand alone. Kept weakly.
PLATFORM_API void SetDialogOwner(QWidget* owner);
PLATFORM_API QWidget* DialogOwner();
// The owner's widget, or the dialog owner when there is none.
PLATFORM_API QWidget* OwnerWidget(const TWindow* owner);

} // namespace platform::ui::qt

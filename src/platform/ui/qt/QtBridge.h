#pragma once

// For the host's Qt code (desk/ and apps/): the Qt widget behind a TWindow,
// to embed it in frames and lay it out. The module never includes this.

#include <QWidget>

#include <functional>

#include "platform/ui/Backend.h"
#include "platform/ui/TWindow.h"

namespace platform::ui::qt {

// Where top-level windows go when they are shown: the desktop program
// places them in its own window (sub-windows) instead of on the desktop.
// The placer is called each time such a window is shown; empty restores
// plain top-level windows.
using TopLevelPlacer = std::function<void(QWidget& window)>;

// What the backend offers the host's Qt code; reached through the functions
// below, so that the backend library keeps one entry point.
class Bridge {
public:
    virtual QWidget* NativeWidget(const TWindow& window) = 0;
    virtual void SetTopLevelPlacer(TopLevelPlacer placer) = 0;
    virtual const TopLevelPlacer& CurrentTopLevelPlacer() = 0;
    virtual bool IsPlainTopLevel(const QWidget& widget) = 0;
    virtual void SetDialogOwner(QWidget* owner) = 0;
    virtual QWidget* DialogOwner() = 0;
    virtual QWidget* OwnerWidget(const TWindow* owner) = 0;

protected:
    ~Bridge() = default;
};

// None once the widget is gone (its Qt parent deleted it).
inline QWidget* NativeWidget(const TWindow& window)
{
    return TheBackend().Bridge().NativeWidget(window);
}

inline void SetTopLevelPlacer(TopLevelPlacer placer)
{
    TheBackend().Bridge().SetTopLevelPlacer(std::move(placer));
}

inline const TopLevelPlacer& CurrentTopLevelPlacer()
{
    return TheBackend().Bridge().CurrentTopLevelPlacer();
}

// True for the widget of a plain window (not a dialog) without a parent: one
// that the placer would place. Without a screen windows are never shown, so
// the desktop program finds them this way.
inline bool IsPlainTopLevel(const QWidget& widget)
{
    return TheBackend().Bridge().IsPlainTopLevel(widget);
}

// The window that dialogs, message boxes and file dialogs opened without an
// owner belong to (the desktop program's main window), so that they open
// over it, modal to it; null: they stand alone. Kept weakly.
inline void SetDialogOwner(QWidget* owner)
{
    TheBackend().Bridge().SetDialogOwner(owner);
}

inline QWidget* DialogOwner()
{
    return TheBackend().Bridge().DialogOwner();
}

// The owner's widget, or the dialog owner when there is none.
inline QWidget* OwnerWidget(const TWindow* owner)
{
    return TheBackend().Bridge().OwnerWidget(owner);
}

} // namespace platform::ui::qt

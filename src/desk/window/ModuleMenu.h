#pragma once

#include <QMenu>
#include <QMenuBar>

#include <functional>

#include "desk/runtime/CommandRegistry.h"

namespace Desk {

// The module's menus as it registered them with the host's command registry:
// "Menu|Item" paths (deeper paths make submenus), separators, and commands
// whose enable, check state and text are asked each time a menu opens.
class ModuleMenu {
public:
    // Runs after every command, so that the requests it sent are delivered.
    using AfterCommand = std::function<void()>;

    // Adds the registry's menus to `bar`, each before `before` (may be null);
    // returns the top-level menus made.
    static QList<QMenu*> Build(QMenuBar& bar, QAction* before, CommandRegistry& registry, AfterCommand after);
};

} // namespace Desk

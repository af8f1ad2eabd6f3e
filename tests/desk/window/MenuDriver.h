#pragma once

#include <QAction>
#include <QMenu>

#include "desk/window/MainWindow.h"

// Drives the main window's menus as the user does: a menu's items get their
// state as the menu opens, and only enabled items run.
namespace MenuDriver {

inline QString Plain(QString text) { return text.remove(QLatin1Char('&')); }

inline QAction* ActionOf(QMenu* menu, const QString& text)
{
    if (menu == nullptr) {
        return nullptr;
    }
    emit menu->aboutToShow();
    for (QAction* action : menu->actions()) {
        if (Plain(action->text()) == text) {
            return action;
        }
    }
    return nullptr;
}

inline bool Choose(Desk::MainWindow& window, const QString& menu, const QString& item)
{
    QAction* action = ActionOf(window.FindMenu(menu), item);
    if (action == nullptr || !action->isEnabled()) {
        return false;
    }
    action->trigger();
    return true;
}

} // namespace MenuDriver

#pragma once

#include <QAction>
#include <QMenu>

#include "desk/window/MainWindow.h"

// Drives the main window's menus as the user does: a menu's items get their
// state as the menu opens, and only enabled items run.
namespace MenuDriver {

inline QString Plain(QString text) { return text.remove(QLatin1Char('&')); }

// The menu's action with exactly this text, its state asked as the menu opens.
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

// The item of `menu` whose text starts with `text`, its state asked as the
// menu opens.
inline QAction* ItemOf(QMenu* menu, const QString& text)
{
    if (menu == nullptr) {
        return nullptr;
    }
    emit menu->aboutToShow();
    for (QAction* action : menu->actions()) {
        if (Plain(action->text()).startsWith(text)) {
            return action;
        }
    }
    return nullptr;
}

// Chooses the item of `menu` whose text starts with `item`.
inline bool Choose(QMenu* menu, const QString& item)
{
    QAction* action = ItemOf(menu, item);
    if (action == nullptr || !action->isEnabled()) {
        return false;
    }
    action->trigger();
    return true;
}

// Chooses the item of the main window's top-level menu with exactly this text.
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

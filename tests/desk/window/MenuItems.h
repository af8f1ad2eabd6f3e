#pragma once

#include <QAction>
#include <QMenu>

namespace MenuItems {

inline QString Plain(QString text) { return text.remove(QLatin1Char('&')); }

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

// Chooses an item as the user would: only when it is enabled.
inline bool Choose(QMenu* menu, const QString& item)
{
    QAction* action = ItemOf(menu, item);
    if (action == nullptr || !action->isEnabled()) {
        return false;
    }
    action->trigger();
    return true;
}

} // namespace MenuItems

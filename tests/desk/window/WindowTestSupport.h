#pragma once

#include <QMdiSubWindow>
#include <QMenu>
#include <QString>

#include "desk/window/MainWindow.h"
#include "desk/window/ViewArea.h"

namespace WindowTests {

inline QString Plain(QString text) { return text.remove(QLatin1Char('&')); }

// The menu's action with this text, its state asked as when the user opens
// the menu.
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

// Chooses a menu item as the user would: only when it is enabled.
inline bool Choose(Desk::MainWindow& window, const QString& menu, const QString& item)
{
    QAction* action = ActionOf(window.FindMenu(menu), item);
    if (action == nullptr || !action->isEnabled()) {
        return false;
    }
    action->trigger();
    return true;
}

inline QMdiSubWindow* FrameTitled(Desk::MainWindow& window, const QString& part)
{
    for (QMdiSubWindow* frame : window.Views().ShownWindows()) {
        if (frame->windowTitle().contains(part)) {
            return frame;
        }
    }
    return nullptr;
}

inline QString Setting(Desk::MainWindow& window, Host::ViewKind kind, const char16_t* name)
{
    VEX::String text;
    window.CurrentSession()->Analysis().GetViewSetting(kind, name, &text);
    return QString::fromStdU16String(text.Str());
}

inline QString CopiedText(Desk::MainWindow& window, Host::ViewKind kind)
{
    return Setting(window, kind, u"copied-text");
}

// The shown views bottom to top, each as its title (without the document's
// name) and frame.
inline QList<QPair<QString, QRect>> Stack(Desk::MainWindow& window)
{
    QList<QPair<QString, QRect>> stack;
    const QList<QMdiSubWindow*> shown = window.Views().ShownWindows();
    for (QMdiSubWindow* frame : window.Views().subWindowList(QMdiArea::StackingOrder)) {
        if (shown.contains(frame)) {
            stack.append({frame->windowTitle().section(QLatin1String(": "), 1), frame->geometry()});
        }
    }
    return stack;
}

} // namespace WindowTests

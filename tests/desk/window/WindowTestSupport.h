#pragma once

#include <QMdiSubWindow>
#include <QMenu>
#include <QString>

#include "desk/window/MainWindow.h"
#include "desk/window/ViewArea.h"
#include "MenuDriver.h"

namespace WindowTests {

using MenuDriver::ActionOf;
using MenuDriver::Choose;
using MenuDriver::Plain;

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

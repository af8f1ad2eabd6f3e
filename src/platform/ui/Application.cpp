#include "platform/ui/Application.h"

#include <QApplication>
#include <QEventLoop>
#include <QTimer>

#include <cstdlib>

#include "platform/error/XVEX.h"

namespace platform::ui {

namespace {

bool HasDisplay()
{
    return std::getenv("DISPLAY") != nullptr || std::getenv("WAYLAND_DISPLAY") != nullptr;
}

} // namespace

void EnsureApplication()
{
    if (QCoreApplication::instance() != nullptr) {
        if (qobject_cast<QApplication*>(QCoreApplication::instance()) == nullptr) {
            throw VEX::XVEX("Windows need a widget application, and a plain one is running.");
        }
        return;
    }
    if (std::getenv("QT_QPA_PLATFORM") == nullptr && !HasDisplay()) {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
    // Lives until the process ends: windows may be destroyed by static
    // objects after main returns.
    static int argc = 1;
    static char name[] = "nerolith";
    static char* argv[] = {name, nullptr};
    new QApplication(argc, argv);
}

bool IsHeadless()
{
    EnsureApplication();
    const QString platform = QGuiApplication::platformName();
    return platform == QLatin1String("offscreen") || platform == QLatin1String("minimal");
}

void ProcessEvents(std::int32_t milliseconds)
{
    EnsureApplication();
    if (milliseconds <= 0) {
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        return;
    }
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

int RunEventLoop()
{
    EnsureApplication();
    return QApplication::exec();
}

} // namespace platform::ui

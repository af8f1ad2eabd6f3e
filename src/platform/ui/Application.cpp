#include "platform/ui/Application.h"

#include <QApplication>
#include <QEventLoop>
#include <QTimer>

#include <cerrno>
#include <cstdlib>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/error/XVEX.h"

namespace platform::ui {

namespace {

bool HasDisplay()
{
    return std::getenv("DISPLAY") != nullptr || std::getenv("WAYLAND_DISPLAY") != nullptr;
}

// Qt warns on stderr when the runtime folder is not set (as in batch runs and
// CI), which would break the command line's one-line error contract; give it
// a private folder of its own instead.
void EnsureRuntimeFolder()
{
    if (std::getenv("XDG_RUNTIME_DIR") != nullptr) {
        return;
    }
    const std::string folder = "/tmp/nerolith-runtime-" + std::to_string(getuid());
    if (mkdir(folder.c_str(), 0700) == 0 || errno == EEXIST) {
        struct stat info {};
        if (stat(folder.c_str(), &info) == 0 && info.st_uid == getuid() && (info.st_mode & 0777) == 0700) {
            setenv("XDG_RUNTIME_DIR", folder.c_str(), 1);
        }
    }
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
    EnsureRuntimeFolder();
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

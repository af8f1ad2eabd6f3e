#include "platform/ui/qt/QtBackend.h"

#include <QApplication>
#include <QEventLoop>
#include <QFontMetrics>
#include <QTimer>

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <string>

#include "platform/error/XVEX.h"
#include "platform/ui/qt/QtBitmap.h"
#include "platform/ui/qt/ForwardingWidget.h"
#include "platform/ui/qt/PainterEngine.h"
#include "platform/ui/qt/QtWindowPeer.h"

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

void QtBackend::EnsureApplication()
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

bool QtBackend::IsHeadless()
{
    EnsureApplication();
    const QString platform = QGuiApplication::platformName();
    return platform == QLatin1String("offscreen") || platform == QLatin1String("minimal");
}

void QtBackend::ProcessEvents(std::int32_t milliseconds)
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

int QtBackend::RunEventLoop()
{
    EnsureApplication();
    return QApplication::exec();
}

std::unique_ptr<WindowPeer> QtBackend::MakeWindow(TWindow& owner, TWindow* parent, bool dialog)
{
    return std::make_unique<QtWindowPeer>(owner, parent, dialog);
}

std::unique_ptr<TBitmap::Impl> QtBackend::MakeBitmap(std::int32_t width, std::int32_t height)
{
    QImage image;
    if (width > 0 && height > 0) {
        image = QImage(width, height, QImage::Format_RGB32);
        image.fill(Qt::white);
    }
    return std::make_unique<QtBitmap>(std::move(image));
}

std::unique_ptr<TBitmap::Impl> QtBackend::BitmapFromPng(std::string_view bytes)
{
    QImage image;
    if (!image.loadFromData(reinterpret_cast<const uchar*>(bytes.data()), static_cast<int>(bytes.size()),
                            "PNG")) {
        throw VEX::XVEX("The data is not a PNG picture.");
    }
    return std::make_unique<QtBitmap>(image.convertToFormat(QImage::Format_RGB32));
}

std::unique_ptr<TPainterDC::Engine> QtBackend::BitmapEngine(TBitmap& bitmap)
{
    QImage& image = ImageOf(bitmap);
    // Pixels per inch of a screen, so fonts and symbol sizes match a window.
    constexpr int kDotsPerMetre = 3780;
    image.setDotsPerMeterX(kDotsPerMetre);
    image.setDotsPerMeterY(kDotsPerMetre);
    return std::make_unique<QtPainterEngine>(image);
}

TSize QtBackend::MeasureText(const TFont& font, const VEX::String& text)
{
    const QFontMetrics metrics(qt::ToQFont(font));
    return {metrics.horizontalAdvance(qt::ToQString(text)), metrics.height()};
}

QWidget* QtBackend::NativeWidget(const TWindow& window)
{
    return Peer(window).Widget();
}

void QtBackend::SetTopLevelPlacer(qt::TopLevelPlacer placer)
{
    placer_ = std::move(placer);
}

const qt::TopLevelPlacer& QtBackend::CurrentTopLevelPlacer()
{
    return placer_;
}

bool QtBackend::IsPlainTopLevel(const QWidget& widget)
{
    return widget.parentWidget() == nullptr && dynamic_cast<const WindowWidget*>(&widget) != nullptr;
}

void QtBackend::SetDialogOwner(QWidget* owner)
{
    dialogOwner_ = owner;
}

QWidget* QtBackend::DialogOwner()
{
    return dialogOwner_.data();
}

QWidget* QtBackend::OwnerWidget(const TWindow* owner)
{
    QWidget* widget = owner != nullptr ? NativeWidget(*owner) : nullptr;
    return widget != nullptr ? widget : DialogOwner();
}

} // namespace platform::ui

platform::ui::Backend* NerolithPlatformBackend()
{
    // Never destroyed: windows may outlive main, as the application does.
    static auto* backend = new platform::ui::QtBackend;
    return backend;
}

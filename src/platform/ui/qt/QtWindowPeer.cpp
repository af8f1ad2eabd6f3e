#include "platform/ui/qt/QtWindowPeer.h"

#include <QCoreApplication>
#include <QResizeEvent>

#include "platform/ui/Application.h"
#include "platform/ui/qt/ForwardingWidget.h"
#include "platform/ui/qt/PainterEngine.h"
#include "platform/ui/qt/QtBridge.h"

namespace platform::ui {

namespace {

QWidget* MakeWidget(TWindow* owner, TWindow* parent, bool dialog)
{
    QWidget* parentWidget = parent != nullptr ? Peer(*parent).Widget() : nullptr;
    if (dialog) {
        return new DialogWidget(owner, parentWidget != nullptr ? parentWidget : qt::DialogOwner());
    }
    auto* widget = new WindowWidget(owner, parentWidget);
    // Child windows show with their parent, as children are made visible.
    if (parentWidget != nullptr) {
        widget->show();
    }
    return widget;
}

} // namespace

QtWindowPeer& Peer(const TWindow& window)
{
    return static_cast<QtWindowPeer&>(*window.GetImpl().peer);
}

QtWindowPeer::QtWindowPeer(TWindow& owner, TWindow* parent, bool dialog) : owner(&owner), dialog(dialog)
{
    EnsureApplication();
    widget = MakeWidget(&owner, parent, dialog);
}

QtWindowPeer::~QtWindowPeer()
{
    if (QWidget* native = widget.data()) {
        if (dialog) {
            static_cast<DialogWidget*>(native)->Disown();
        } else {
            static_cast<WindowWidget*>(native)->Disown();
        }
        delete native;
    }
}

std::optional<std::uint32_t> QtWindowPeer::TimerOf(int qtTimerId) const
{
    for (const auto& [id, qtId] : timers) {
        if (qtId == qtTimerId) {
            return id;
        }
    }
    return std::nullopt;
}

void QtWindowPeer::SetTitle(const VEX::String& title)
{
    if (widget) {
        widget->setWindowTitle(qt::ToQString(title));
    }
}

TRect QtWindowPeer::ClientRect() const
{
    if (!widget) {
        return {};
    }
    return {0, 0, widget->width(), widget->height()};
}

TRect QtWindowPeer::WindowRect() const
{
    if (!widget) {
        return {};
    }
    const QRect g = widget->geometry();
    return {g.left(), g.top(), g.left() + g.width(), g.top() + g.height()};
}

void QtWindowPeer::Move(const TRect& rect, bool repaint)
{
    QWidget* native = widget.data();
    if (native == nullptr) {
        return;
    }
    const QSize oldSize = native->size();
    const TRect r = rect.Normalized();
    native->setGeometry(r.left, r.top, r.Width(), r.Height());
    // A hidden widget would hear of its new size only when shown; the
    // window's layout must follow at once.
    if (native->testAttribute(Qt::WA_PendingResizeEvent) && native->size() != oldSize) {
        native->setAttribute(Qt::WA_PendingResizeEvent, false);
        QResizeEvent event(native->size(), oldSize);
        QCoreApplication::sendEvent(native, &event);
    }
    if (repaint) {
        native->update();
    }
}

void QtWindowPeer::Show(bool visible, bool place)
{
    if (!widget) {
        return;
    }
    const qt::TopLevelPlacer& placer = qt::CurrentTopLevelPlacer();
    if (place && placer) {
        placer(*widget);
    }
    widget->setVisible(visible);
}

bool QtWindowPeer::IsVisible() const
{
    return widget && widget->isVisible();
}

bool QtWindowPeer::IsShownChild() const
{
    return widget && !widget->isHidden() && !widget->isWindow();
}

void QtWindowPeer::SetFocus()
{
    if (widget) {
        widget->setFocus();
    }
}

void QtWindowPeer::Invalidate()
{
    if (widget) {
        widget->update();
    }
}

void QtWindowPeer::InvalidateRect(const TRect& rect)
{
    if (widget) {
        const TRect r = rect.Normalized();
        widget->update(r.left, r.top, r.Width(), r.Height());
    }
}

void QtWindowPeer::Update()
{
    if (widget && widget->isVisible()) {
        widget->repaint();
    }
}

TPoint QtWindowPeer::ClientToScreen(const TPoint& p) const
{
    if (!widget) {
        return p;
    }
    const QPoint global = widget->mapToGlobal(QPoint(p.x, p.y));
    return {global.x(), global.y()};
}

TPoint QtWindowPeer::ScreenToClient(const TPoint& p) const
{
    if (!widget) {
        return p;
    }
    const QPoint local = widget->mapFromGlobal(QPoint(p.x, p.y));
    return {local.x(), local.y()};
}

bool QtWindowPeer::SetTimer(std::uint32_t id, std::uint32_t milliseconds)
{
    QWidget* native = widget.data();
    if (native == nullptr || milliseconds == 0 || milliseconds > static_cast<std::uint32_t>(INT32_MAX)) {
        return false;
    }
    KillTimer(id);
    const int qtId = native->startTimer(static_cast<int>(milliseconds));
    if (qtId == 0) {
        return false;
    }
    timers[id] = qtId;
    return true;
}

bool QtWindowPeer::KillTimer(std::uint32_t id)
{
    const auto found = timers.find(id);
    if (found == timers.end()) {
        return false;
    }
    if (widget) {
        widget->killTimer(found->second);
    }
    timers.erase(found);
    return true;
}

void QtWindowPeer::GrabMouse()
{
    if (widget && widget->isVisible()) {
        widget->grabMouse();
    }
}

void QtWindowPeer::ReleaseMouse()
{
    if (widget && widget->isVisible()) {
        widget->releaseMouse();
    }
}

void QtWindowPeer::SetFixedSize(const TSize& size)
{
    if (widget) {
        widget->setFixedSize(std::max(1, size.cx), std::max(1, size.cy));
    }
}

void QtWindowPeer::RunModal()
{
    if (widget) {
        inExec = true;
        static_cast<QDialog*>(widget.data())->exec();
        inExec = false;
    }
}

void QtWindowPeer::EndModal(std::int32_t returnValue)
{
    if (inExec && widget) {
        static_cast<QDialog*>(widget.data())->done(returnValue);
    }
}

} // namespace platform::ui

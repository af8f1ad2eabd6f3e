#include "platform/ui/TWindow.h"

#include <QCoreApplication>

#include <algorithm>

#include "platform/ui/Application.h"
#include "platform/ui/TPainterDC.h"
#include "platform/ui/qt/PainterEngine.h"
#include "platform/ui/qt/QtBridge.h"
#include "platform/ui/qt/WindowImpl.h"

namespace platform::ui {

namespace {

QWidget* MakeWidget(TWindow* owner, TWindow* parent, bool dialog)
{
    QWidget* parentWidget = parent != nullptr ? parent->GetImpl().widget.data() : nullptr;
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

TWindow::TWindow(TWindow* parent, const VEX::String& title) : TWindow(parent, title, Kind::Plain) {}

TWindow::TWindow(TWindow* parent, const VEX::String& title, Kind kind) : impl_(std::make_unique<Impl>())
{
    EnsureApplication();
    impl_->owner = this;
    impl_->parent = parent;
    impl_->kind = kind;
    impl_->title = title;
    impl_->widget = MakeWidget(this, parent, kind == Kind::Dialog);
    impl_->widget->setWindowTitle(qt::ToQString(title));
    if (parent != nullptr) {
        parent->impl_->children.push_back(this);
    }
}

TWindow::~TWindow()
{
    for (TWindow* child : impl_->children) {
        child->impl_->parent = nullptr;
    }
    if (impl_->parent != nullptr) {
        std::erase(impl_->parent->impl_->children, this);
    }
    if (QWidget* widget = impl_->widget.data()) {
        if (impl_->kind == Kind::Dialog) {
            static_cast<DialogWidget*>(widget)->Disown();
        } else {
            static_cast<WindowWidget*>(widget)->Disown();
        }
        delete widget;
    }
}

void TWindow::Create()
{
    if (impl_->created) {
        return;
    }
    impl_->created = true;
    SetupWindow();
}

bool TWindow::IsCreated() const
{
    return impl_->created;
}

TWindow* TWindow::GetParent() const
{
    return impl_->parent;
}

void TWindow::SetCaption(const VEX::String& title)
{
    impl_->title = title;
    if (impl_->widget) {
        impl_->widget->setWindowTitle(qt::ToQString(title));
    }
}

VEX::String TWindow::GetCaption() const
{
    return impl_->title;
}

TRect TWindow::GetClientRect() const
{
    if (!impl_->widget) {
        return {};
    }
    return {0, 0, impl_->widget->width(), impl_->widget->height()};
}

TRect TWindow::GetWindowRect() const
{
    if (!impl_->widget) {
        return {};
    }
    const QRect g = impl_->widget->geometry();
    return {g.left(), g.top(), g.left() + g.width(), g.top() + g.height()};
}

void TWindow::MoveWindow(const TRect& rect, bool repaint)
{
    QWidget* widget = impl_->widget.data();
    if (widget == nullptr) {
        return;
    }
    const QSize oldSize = widget->size();
    const TRect r = rect.Normalized();
    widget->setGeometry(r.left, r.top, r.Width(), r.Height());
    // A hidden widget would hear of its new size only when shown; the
    // window's layout must follow at once.
    if (widget->testAttribute(Qt::WA_PendingResizeEvent) && widget->size() != oldSize) {
        widget->setAttribute(Qt::WA_PendingResizeEvent, false);
        QResizeEvent event(widget->size(), oldSize);
        QCoreApplication::sendEvent(widget, &event);
    }
    if (repaint) {
        widget->update();
    }
}

void TWindow::Show(bool visible)
{
    if (visible) {
        Create();
    }
    if (!impl_->widget) {
        return;
    }
    const qt::TopLevelPlacer& placer = qt::CurrentTopLevelPlacer();
    if (visible && impl_->parent == nullptr && impl_->kind == Kind::Plain && placer) {
        placer(*impl_->widget);
    }
    impl_->widget->setVisible(visible);
}

bool TWindow::IsVisible() const
{
    return impl_->widget && impl_->widget->isVisible();
}

void TWindow::SetFocus()
{
    if (impl_->widget) {
        impl_->widget->setFocus();
    }
}

void TWindow::Invalidate(bool)
{
    if (impl_->widget) {
        impl_->widget->update();
    }
}

void TWindow::InvalidateRect(const TRect& rect, bool)
{
    if (impl_->widget) {
        const TRect r = rect.Normalized();
        impl_->widget->update(r.left, r.top, r.Width(), r.Height());
    }
}

void TWindow::UpdateWindow()
{
    if (impl_->widget && impl_->widget->isVisible()) {
        impl_->widget->repaint();
    }
}

TPoint TWindow::ClientToScreen(const TPoint& p) const
{
    if (!impl_->widget) {
        return p;
    }
    const QPoint global = impl_->widget->mapToGlobal(QPoint(p.x, p.y));
    return {global.x(), global.y()};
}

TPoint TWindow::ScreenToClient(const TPoint& p) const
{
    if (!impl_->widget) {
        return p;
    }
    const QPoint local = impl_->widget->mapFromGlobal(QPoint(p.x, p.y));
    return {local.x(), local.y()};
}

bool TWindow::SetTimer(std::uint32_t id, std::uint32_t milliseconds)
{
    QWidget* widget = impl_->widget.data();
    if (widget == nullptr || milliseconds == 0 || milliseconds > static_cast<std::uint32_t>(INT32_MAX)) {
        return false;
    }
    KillTimer(id);
    const int qtId = widget->startTimer(static_cast<int>(milliseconds));
    if (qtId == 0) {
        return false;
    }
    impl_->timers[id] = qtId;
    return true;
}

bool TWindow::KillTimer(std::uint32_t id)
{
    const auto found = impl_->timers.find(id);
    if (found == impl_->timers.end()) {
        return false;
    }
    if (impl_->widget) {
        impl_->widget->killTimer(found->second);
    }
    impl_->timers.erase(found);
    return true;
}

void TWindow::SetCapture()
{
    impl_->hasCapture = true;
    if (impl_->widget && impl_->widget->isVisible()) {
        impl_->widget->grabMouse();
    }
}

void TWindow::ReleaseCapture()
{
    if (impl_->hasCapture && impl_->widget && impl_->widget->isVisible()) {
        impl_->widget->releaseMouse();
    }
    impl_->hasCapture = false;
}

bool TWindow::HasCapture() const
{
    return impl_->hasCapture;
}

void TWindow::PaintTo(TDC& dc)
{
    TRect rect = GetClientRect();
    Paint(dc, true, rect);
}

void TWindow::SetupWindow()
{
    // A copy: a child's setup may make further children.
    const std::vector<TWindow*> children = impl_->children;
    for (TWindow* child : children) {
        if (child->impl_->kind == Kind::Plain) {
            child->Create();
        }
    }
}

void TWindow::Paint(TDC&, bool, TRect&) {}
void TWindow::EvSize(std::uint32_t, const TSize&) {}
void TWindow::EvLButtonDown(std::uint32_t, const TPoint&) {}
void TWindow::EvLButtonUp(std::uint32_t, const TPoint&) {}
void TWindow::EvLButtonDblClk(std::uint32_t, const TPoint&) {}
void TWindow::EvRButtonDown(std::uint32_t, const TPoint&) {}
void TWindow::EvRButtonUp(std::uint32_t, const TPoint&) {}
void TWindow::EvMouseMove(std::uint32_t, const TPoint&) {}
void TWindow::EvMouseLeave() {}
void TWindow::EvChar(std::uint32_t, std::uint32_t, std::uint32_t) {}
void TWindow::EvKeyDown(std::uint32_t, std::uint32_t, std::uint32_t) {}
void TWindow::EvTimer(std::uint32_t) {}
void TWindow::EvCommand(std::int32_t, ControlNotify) {}

QWidget* qt::NativeWidget(const TWindow& window)
{
    return window.GetImpl().widget.data();
}

} // namespace platform::ui

#include "platform/ui/TSplitter.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QPointer>
#include <QResizeEvent>
#include <QSplitter>

#include <algorithm>

#include "platform/ui/qt/QtBridge.h"
#include "platform/ui/qt/WindowImpl.h"

namespace platform::ui {

struct TSplitter::Parts {
    QPointer<QSplitter> splitter;
};

namespace {

// A hidden widget hears of its new size only when shown; the panes' layout
// must follow at once, as TWindow::MoveWindow does for a window.
void Settle(QWidget& widget)
{
    if (widget.testAttribute(Qt::WA_PendingResizeEvent)) {
        widget.setAttribute(Qt::WA_PendingResizeEvent, false);
        QResizeEvent event(widget.size(), QSize());
        QCoreApplication::sendEvent(&widget, &event);
    }
}

void SettlePanes(QSplitter& splitter)
{
    Settle(splitter);
    for (int i = 0; i < splitter.count(); ++i) {
        Settle(*splitter.widget(i));
    }
}

} // namespace

TSplitter::TSplitter(TWindow* parent, const VEX::String& title)
    : TWindow(parent, title), parts_(std::make_unique<Parts>())
{
    QWidget* own = GetImpl().widget.data();
    parts_->splitter = new QSplitter(Qt::Horizontal, own);
    parts_->splitter->setChildrenCollapsible(false);
    parts_->splitter->setGeometry(0, 0, own->width(), own->height());
    parts_->splitter->show();
}

TSplitter::~TSplitter() = default;

void TSplitter::Split(TWindow& left, TWindow& right, double leftShare)
{
    QSplitter* splitter = parts_->splitter.data();
    if (splitter == nullptr) {
        return;
    }
    splitter->addWidget(qt::NativeWidget(left));
    splitter->addWidget(qt::NativeWidget(right));
    splitter->setStretchFactor(0, 1);
    splitter->setStretchFactor(1, 1);
    const int width = std::max(2, splitter->width() - splitter->handleWidth());
    const int leftWidth = static_cast<int>(width * std::clamp(leftShare, 0.0, 1.0));
    splitter->setSizes({leftWidth, width - leftWidth});
    SettlePanes(*splitter);
}

std::int32_t TSplitter::SplitPosition() const
{
    const QSplitter* splitter = parts_->splitter.data();
    if (splitter == nullptr || splitter->count() < 2) {
        return 0;
    }
    return splitter->sizes().front();
}

TRect TSplitter::HandleRect() const
{
    const QSplitter* splitter = parts_->splitter.data();
    if (splitter == nullptr || splitter->count() < 2) {
        return {};
    }
    const QRect g = splitter->handle(1)->geometry();
    return {g.left(), g.top(), g.left() + g.width(), g.top() + g.height()};
}

void TSplitter::EvSize(std::uint32_t, const TSize& size)
{
    if (QSplitter* splitter = parts_->splitter.data()) {
        splitter->setGeometry(0, 0, size.cx, size.cy);
        SettlePanes(*splitter);
    }
}

namespace automation {

void DragSplitter(TSplitter& splitter, std::int32_t x)
{
    QSplitter* bar = splitter.parts_->splitter.data();
    if (bar == nullptr || bar->count() < 2) {
        return;
    }
    QWidget* handle = bar->handle(1);
    const QPoint grip(handle->width() / 2, handle->height() / 2);
    const QPoint from = handle->mapToGlobal(grip);
    const QPoint to = bar->mapToGlobal(QPoint(x + grip.x(), handle->y() + grip.y()));
    const auto send = [handle](QEvent::Type type, const QPoint& global, Qt::MouseButtons held) {
        QMouseEvent event(type, QPointF(handle->mapFromGlobal(global)), QPointF(global), Qt::LeftButton, held,
                          Qt::NoModifier);
        QCoreApplication::sendEvent(handle, &event);
    };
    send(QEvent::MouseButtonPress, from, Qt::LeftButton);
    send(QEvent::MouseMove, to, Qt::LeftButton);
    send(QEvent::MouseButtonRelease, to, Qt::NoButton);
    SettlePanes(*bar);
}

} // namespace automation

} // namespace platform::ui

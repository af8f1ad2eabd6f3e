#include "platform/ui/qt/QtBackend.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QPointer>
#include <QResizeEvent>
#include <QSplitter>

#include <algorithm>

#include "platform/ui/qt/QtWindowPeer.h"

namespace platform::ui {

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

class QtSplitter final : public SplitterPeer {
public:
    explicit QtSplitter(QWidget& own) : splitter_(new QSplitter(Qt::Horizontal, &own))
    {
        splitter_->setChildrenCollapsible(false);
        splitter_->setGeometry(0, 0, own.width(), own.height());
        splitter_->show();
    }

    void Split(TWindow& left, TWindow& right, double leftShare) override
    {
        QSplitter* splitter = splitter_.data();
        if (splitter == nullptr) {
            return;
        }
        splitter->addWidget(Peer(left).Widget());
        splitter->addWidget(Peer(right).Widget());
        splitter->setStretchFactor(0, 1);
        splitter->setStretchFactor(1, 1);
        const int width = std::max(2, splitter->width() - splitter->handleWidth());
        const int leftWidth = static_cast<int>(width * std::clamp(leftShare, 0.0, 1.0));
        splitter->setSizes({leftWidth, width - leftWidth});
        SettlePanes(*splitter);
    }

    std::int32_t SplitPosition() const override
    {
        const QSplitter* splitter = splitter_.data();
        if (splitter == nullptr || splitter->count() < 2) {
            return 0;
        }
        return splitter->sizes().front();
    }

    TRect HandleRect() const override
    {
        const QSplitter* splitter = splitter_.data();
        if (splitter == nullptr || splitter->count() < 2) {
            return {};
        }
        const QRect g = splitter->handle(1)->geometry();
        return {g.left(), g.top(), g.left() + g.width(), g.top() + g.height()};
    }

    void Resize(const TSize& size) override
    {
        if (QSplitter* splitter = splitter_.data()) {
            splitter->setGeometry(0, 0, size.cx, size.cy);
            SettlePanes(*splitter);
        }
    }

    void Drag(std::int32_t x) override
    {
        QSplitter* bar = splitter_.data();
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

private:
    QPointer<QSplitter> splitter_;
};

} // namespace

std::unique_ptr<SplitterPeer> QtBackend::MakeSplitter(TWindow& own)
{
    return std::make_unique<QtSplitter>(*Peer(own).Widget());
}

} // namespace platform::ui

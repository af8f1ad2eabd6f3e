#include "desk/window/ViewArea.h"

#include <QApplication>
#include <QCloseEvent>
#include <QEvent>
#include <QPixmap>

#include <algorithm>

#include "platform/ui/qt/QtBridge.h"

namespace Desk {

namespace {

constexpr const char* kNaturalWidth = "naturalWidth";

QIcon BlankIcon()
{
    QPixmap blank(16, 16);
    blank.fill(Qt::transparent);
    return QIcon(blank);
}

class ViewSubWindow final : public QMdiSubWindow {
public:
    ViewSubWindow(QWidget& view, QWidget* parent) : QMdiSubWindow(parent)
    {
        setWidget(&view);
        setWindowTitle(view.windowTitle());
        setWindowIcon(BlankIcon());
        // Views share the row below the chart as they are wide by nature.
        setProperty(kNaturalWidth, view.width());
        view.installEventFilter(this);
        // The view's document deletes it; its frame goes with it.
        connect(&view, &QObject::destroyed, this, &QObject::deleteLater);
    }

protected:
    void closeEvent(QCloseEvent* event) override
    {
        event->ignore();
        hide();
    }

    // The module retitles its views as settings change.
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == widget() && event->type() == QEvent::WindowTitleChange) {
            setWindowTitle(widget()->windowTitle());
        }
        return QMdiSubWindow::eventFilter(watched, event);
    }
};

} // namespace

ViewArea::ViewArea(QWidget* parent) : QMdiArea(parent)
{
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setBackground(QColor(0x6b, 0x73, 0x80));
    platform::ui::qt::SetTopLevelPlacer([this](QWidget& window) {
        QMdiSubWindow& frame = Place(window);
        frame.show();
        setActiveSubWindow(&frame);
    });
}

ViewArea::~ViewArea() { platform::ui::qt::SetTopLevelPlacer({}); }

QMdiSubWindow& ViewArea::Place(QWidget& window)
{
    for (QMdiSubWindow* frame : subWindowList()) {
        if (frame->widget() == &window) {
            return *frame;
        }
    }
    auto* frame = new ViewSubWindow(window, nullptr);
    addSubWindow(frame);
    frame->show();
    Arrange();
    emit placed(&window);
    return *frame;
}

void ViewArea::PlaceUnshown()
{
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (platform::ui::qt::IsPlainTopLevel(*window)) {
            QMdiSubWindow& frame = Place(*window);
            window->show();
            frame.show();
            setActiveSubWindow(&frame);
        }
    }
}

QMdiSubWindow& ViewArea::AddChart(QWidget& chart)
{
    chart_ = addSubWindow(&chart, Qt::SubWindow | Qt::WindowTitleHint | Qt::WindowMinMaxButtonsHint);
    chart_->setWindowIcon(BlankIcon());
    chart_->setAttribute(Qt::WA_DeleteOnClose);
    connect(chart_, &QObject::destroyed, this, [this] { chart_ = nullptr; });
    chart_->show();
    Arrange();
    return *chart_;
}

void ViewArea::Arrange()
{
    const QList<QMdiSubWindow*> views = ShownWindows();
    const int chartHeight = chart_ != nullptr ? (views.isEmpty() ? height() : height() * 9 / 20) : 0;
    if (chart_ != nullptr) {
        chart_->setGeometry(0, 0, width(), chartHeight);
    }
    double total = 0.0;
    for (const QMdiSubWindow* view : views) {
        total += std::max(view->property(kNaturalWidth).toInt(), 1);
    }
    double left = 0.0;
    for (QMdiSubWindow* view : views) {
        const double share = std::max(view->property(kNaturalWidth).toInt(), 1) / total * width();
        view->setGeometry(static_cast<int>(left), chartHeight, static_cast<int>(left + share) - static_cast<int>(left),
                          height() - chartHeight);
        left += share;
    }
}

QList<QMdiSubWindow*> ViewArea::ShownWindows() const
{
    QList<QMdiSubWindow*> shown;
    for (QMdiSubWindow* frame : subWindowList()) {
        // A frame whose view is gone waits for the event loop to delete it.
        if (!frame->isHidden() && frame->widget() != nullptr && dynamic_cast<ViewSubWindow*>(frame) != nullptr) {
            shown.append(frame);
        }
    }
    return shown;
}

} // namespace Desk

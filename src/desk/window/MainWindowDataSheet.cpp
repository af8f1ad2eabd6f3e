// The main window's View > Data Sheet entry and its table window.
#include <QAction>
#include <QMdiSubWindow>
#include <QMenu>

#include <algorithm>
#include <exception>

#include "desk/window/DataSheetWindow.h"
#include "desk/window/MainWindow.h"
#include "desk/window/QtText.h"
#include "desk/window/ViewArea.h"

namespace Desk {

QAction* MainWindow::BuildDataSheetEntry(QMenu& view)
{
    view.addSeparator();
    return view.addAction(tr("&Data Sheet"), this, &MainWindow::OpenDataSheet);
}

DataSheetWindow* MainWindow::DataSheet() const { return dataSheet_; }

void MainWindow::OpenDataSheet()
{
    if (!session_) {
        return;
    }
    if (dataSheet_ == nullptr) {
        try {
            dataSheet_ = new DataSheetWindow(*session_);
        } catch (const std::exception& error) {
            reportError_(tr("The Data Sheet cannot be shown: %1").arg(QString::fromUtf8(error.what())));
            return;
        }
        VEX::String name;
        session_->Host().DocumentName(&name);
        dataSheet_->setWindowTitle(tr("%1: Data Sheet").arg(ToQt(name)));
        QMdiSubWindow* frame = views_->addSubWindow(dataSheet_);
        frame->setAttribute(Qt::WA_DeleteOnClose);
        // Beside the views, at the right, tall enough for a few dozen rows.
        const QSize size(440, std::min(640, views_->height() - 20));
        frame->setGeometry(QRect(QPoint(std::max(0, views_->width() - size.width() - 10), 10), size));
    }
    QMdiSubWindow* frame = qobject_cast<QMdiSubWindow*>(dataSheet_->parentWidget());
    frame->show();
    views_->setActiveSubWindow(frame);
}

// The table asks the module's functions: it goes before the session.
void MainWindow::CloseDataSheet()
{
    if (dataSheet_ != nullptr) {
        delete dataSheet_->parentWidget();
    }
}

} // namespace Desk

// The main window's File > Print and Print Preview entries.
#include <QAction>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

#include "desk/window/ChartPrint.h"
#include "desk/window/ChartView.h"
#include "desk/window/MainWindow.h"
#include "desk/window/QtText.h"
#include "desk/window/ViewArea.h"
#include "platform/ui/Application.h"

namespace Desk {

void MainWindow::BuildPrintEntries(QMenu& file)
{
    file.addSeparator();
    QAction* print = file.addAction(tr("&Print..."), QKeySequence::Print, this, [this] { PrintActive(false); });
    QAction* preview = file.addAction(tr("Print Pre&view..."), this, [this] { PrintActive(true); });
    connect(&file, &QMenu::aboutToShow, this, [this, print, preview] {
        const QString text = PrintEntryText();
        print->setText(text.isEmpty() ? tr("&Print...") : text);
        print->setEnabled(!text.isEmpty());
        preview->setEnabled(!text.isEmpty());
    });
}

// The active window's print entry: the module's text for its views.
QString MainWindow::PrintEntryText() const
{
    const QMdiSubWindow* frame = views_->activeSubWindow();
    if (!session_ || frame == nullptr || frame->widget() == nullptr) {
        return {};
    }
    if (frame->widget() == chart_) {
        return tr("Print Chart...");
    }
    const std::optional<Host::ViewKind> kind = kinds_.KindOf(frame->widget());
    VEX::String text;
    if (!kind || Failed(session_->Analysis().GetViewSetting(*kind, u"print-menu-text", &text))) {
        return {};
    }
    return ToQt(text);
}

bool MainWindow::PrintActive(bool preview)
{
    const QMdiSubWindow* frame = views_->activeSubWindow();
    if (!session_ || frame == nullptr || frame->widget() == nullptr) {
        return false;
    }
    if (frame->widget() == chart_) {
        return PrintChartWithDialog(preview);
    }
    const std::optional<Host::ViewKind> kind = kinds_.KindOf(frame->widget());
    if (!kind) {
        return false;
    }
    const HRESULT printed =
        session_->Analysis().SetViewSetting(*kind, u"print", preview ? VEX::String(u"preview") : VEX::String(u"dialog"));
    if (Failed(printed)) {
        reportError_(tr("The view could not be printed."));
    }
    return printed == S_OK;
}

bool MainWindow::PrintChartWithDialog(bool preview)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(chart_->windowTitle());
    printer.setCreator(QStringLiteral("Nerolith"));
    if (preview) {
        // Without a screen there is nobody to show the pages to.
        if (platform::ui::IsHeadless()) {
            return false;
        }
        QPrintPreviewDialog dialog(&printer, this);
        connect(&dialog, &QPrintPreviewDialog::paintRequested, this,
                [this](QPrinter* target) { PrintChart(*chart_, *target); });
        dialog.exec();
        return true;
    }
    const bool chosen = choosePrinter_ ? choosePrinter_(printer)
                                       : QPrintDialog(&printer, this).exec() == QDialog::Accepted;
    if (!chosen) {
        return false;
    }
    if (!PrintChart(*chart_, printer)) {
        reportError_(tr("Cannot print the chart to %1.").arg(printer.outputFileName()));
        return false;
    }
    return true;
}

} // namespace Desk

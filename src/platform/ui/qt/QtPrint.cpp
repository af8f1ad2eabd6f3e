#include "platform/ui/qt/QtBackend.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

#include "platform/error/XVEX.h"
#include "platform/ui/AutomationState.h"
#include "platform/ui/Print.h"
#include "platform/ui/TMemoryDC.h"
#include "platform/ui/qt/PainterEngine.h"

namespace platform::ui {

namespace {

constexpr int kPrinterDpi = 300;
constexpr int kScreenDpi = 96;
constexpr qreal kMarginMm = 10.0;

QPageLayout PageLayout(const TPrintout& printout)
{
    return QPageLayout(QPageSize(QPageSize::A4),
                       printout.Landscape() ? QPageLayout::Landscape : QPageLayout::Portrait,
                       QMarginsF(kMarginMm, kMarginMm, kMarginMm, kMarginMm), QPageLayout::Millimeter);
}

// Draws every page with one painter; the device must be set up for pages.
template <class Device>
void PrintPages(TPrintout& printout, QPainter& painter, Device& device)
{
    const QRect area = device.pageLayout().paintRectPixels(device.resolution());
    const TRect pageRect(0, 0, area.width(), area.height());
    const std::int32_t pages = std::max(0, printout.PageCount());
    for (std::int32_t page = 0; page < pages; ++page) {
        if (page > 0) {
            device.newPage();
        }
        TPainterDC dc(std::make_unique<QtPainterEngine>(painter));
        printout.PrintPage(dc, page, pageRect);
    }
}

void RenderPreviewPages(TPrintout& printout)
{
    const QRect area = PageLayout(printout).paintRectPixels(kScreenDpi);
    const std::int32_t pages = std::max(0, printout.PageCount());
    for (std::int32_t page = 0; page < pages; ++page) {
        TBitmap bitmap(area.width(), area.height());
        TMemoryDC dc(bitmap);
        printout.PrintPage(dc, page, TRect(0, 0, area.width(), area.height()));
    }
    automation::State().shownPrintPreviews.push_back(pages);
}

} // namespace

void QtBackend::PrintToPdf(TPrintout& printout, const VEX::String& path)
{
    QPdfWriter writer(qt::ToQString(path));
    writer.setResolution(kPrinterDpi);
    writer.setPageLayout(PageLayout(printout));
    writer.setTitle(qt::ToQString(printout.Title()));
    writer.setCreator(QStringLiteral("Nerolith"));
    QPainter painter;
    if (!painter.begin(&writer)) {
        throw VEX::XVEX("Cannot write the file \"" + path.ToUtf8() + "\".");
    }
    PrintPages(printout, painter, writer);
    painter.end();
}

bool QtBackend::PrintWithDialog(TPrintout& printout, TWindow* owner)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(PageLayout(printout));
    printer.setDocName(qt::ToQString(printout.Title()));
    printer.setCreator(QStringLiteral("Nerolith"));
    QPrintDialog dialog(&printer, owner != nullptr ? qt::NativeWidget(*owner) : nullptr);
    if (dialog.exec() != QDialog::Accepted) {
        return false;
    }
    QPainter painter;
    if (!painter.begin(&printer)) {
        throw VEX::XVEX("Cannot print \"" + printout.Title().ToUtf8() + "\".");
    }
    PrintPages(printout, painter, printer);
    return true;
}

void QtBackend::PrintPreview(TPrintout& printout, TWindow* owner)
{
    if (IsHeadless()) {
        RenderPreviewPages(printout);
        return;
    }
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(PageLayout(printout));
    printer.setDocName(qt::ToQString(printout.Title()));
    QPrintPreviewDialog dialog(&printer, owner != nullptr ? qt::NativeWidget(*owner) : nullptr);
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog, [&printout](QPrinter* target) {
        QPainter painter(target);
        PrintPages(printout, painter, *target);
    });
    dialog.exec();
}

} // namespace platform::ui

#include "desk/window/ChartPrint.h"

#include <QPainter>
#include <QPrinter>

#include <algorithm>

#include "desk/window/ChartView.h"

namespace Desk {

bool PrintChart(ChartView& chart, QPrinter& printer)
{
    printer.setPageOrientation(QPageLayout::Landscape);
    QPainter painter;
    if (!painter.begin(&printer)) {
        return false;
    }
    const QRect page = printer.pageLayout().paintRectPixels(printer.resolution());
    const QRect page0(QPoint(0, 0), page.size());
    QFont font = painter.font();
    font.setPointSizeF(11.0);
    painter.setFont(font);
    const int titleHeight = painter.fontMetrics().height() * 2;
    painter.drawText(QRect(0, 0, page0.width(), titleHeight), Qt::AlignLeft | Qt::AlignTop, chart.windowTitle());

    const QRect shown = chart.PrintedArea();
    const double scale = std::min(page0.width() / double(std::max(shown.width(), 1)),
                                  (page0.height() - titleHeight) / double(std::max(shown.height(), 1)));
    painter.translate(0, titleHeight);
    painter.scale(scale, scale);
    chart.render(&painter, QPoint(), QRegion(shown), QWidget::DrawChildren);
    return painter.end();
}

} // namespace Desk

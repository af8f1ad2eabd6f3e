#include "platform/ui/qt/QtBackend.h"

#include <QBuffer>
#include <QPageSize>
#include <QPdfWriter>
#include <QSvgGenerator>

#include "platform/ui/qt/PainterEngine.h"

namespace platform::ui {

namespace {

constexpr int kScreenDpi = 96;

std::unique_ptr<QSvgGenerator> SvgGenerator(QBuffer& buffer, const TSize& size, const VEX::String& title)
{
    auto generator = std::make_unique<QSvgGenerator>();
    generator->setOutputDevice(&buffer);
    generator->setSize(QSize(size.cx, size.cy));
    generator->setViewBox(QRect(0, 0, size.cx, size.cy));
    generator->setResolution(kScreenDpi);
    generator->setTitle(qt::ToQString(title));
    return generator;
}

std::unique_ptr<QPdfWriter> PdfWriter(QBuffer& buffer, const TSize& size, const VEX::String& title)
{
    auto writer = std::make_unique<QPdfWriter>(&buffer);
    writer->setResolution(kScreenDpi);
    writer->setPageSize(QPageSize(QSizeF(size.cx * 72.0 / kScreenDpi, size.cy * 72.0 / kScreenDpi),
                                  QPageSize::Point, QString(), QPageSize::ExactMatch));
    writer->setPageMargins(QMarginsF(0, 0, 0, 0));
    writer->setTitle(qt::ToQString(title));
    writer->setCreator(QStringLiteral("Nerolith"));
    return writer;
}

// Paints into the device `open` makes on a buffer; what the device wrote.
template <typename OpenDevice>
std::string PaintToBytes(const TSize& size, const PaintFunction& paint, OpenDevice open)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        TPainterDC dc(std::make_unique<QtPainterEngine>(open(buffer)));
        paint(dc, TRect(TPoint(0, 0), size));
    }
    return bytes.toStdString();
}

} // namespace

std::string QtBackend::RenderSvg(const TSize& size, const PaintFunction& paint, const VEX::String& title)
{
    return PaintToBytes(size, paint, [&](QBuffer& buffer) { return SvgGenerator(buffer, size, title); });
}

std::string QtBackend::RenderPdf(const TSize& size, const PaintFunction& paint, const VEX::String& title)
{
    return PaintToBytes(size, paint, [&](QBuffer& buffer) { return PdfWriter(buffer, size, title); });
}

} // namespace platform::ui

#include "platform/ui/Render.h"

#include <QBuffer>
#include <QFile>
#include <QPageSize>
#include <QPdfWriter>
#include <QSvgGenerator>

#include "platform/error/XVEX.h"
#include "platform/ui/Application.h"
#include "platform/ui/TMemoryDC.h"
#include "platform/ui/TWindow.h"
#include "platform/ui/qt/PainterEngine.h"
#include "platform/ui/qt/WindowImpl.h"

namespace platform::ui {

namespace {

constexpr int kScreenDpi = 96;

void Paint(TPainterDC& dc, const TSize& size, const PaintFunction& paint)
{
    paint(dc, TRect(TPoint(0, 0), size));
}

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

void WriteFile(const VEX::String& path, const std::string& bytes)
{
    QFile file(qt::ToQString(path));
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(bytes.data(), static_cast<qint64>(bytes.size())) != static_cast<qint64>(bytes.size())) {
        throw VEX::XVEX("Cannot write the file \"" + path.ToUtf8() + "\".");
    }
}

void RequirePicture(const TSize& size)
{
    if (size.cx <= 0 || size.cy <= 0) {
        throw VEX::XVEX("A picture needs a width and a height of at least one pixel.");
    }
}

// Paints a window, then its shown child windows over it where they sit.
void PaintTree(TWindow& window, TDC& dc, const TRect& rect)
{
    const std::int32_t saved = dc.SaveDC();
    const TPoint origin = dc.State().viewportOrg;
    dc.IntersectClipRect(rect);
    dc.SetViewportOrg(origin.OffsetBy(rect.left, rect.top));
    window.PaintTo(dc);
    for (TWindow* child : window.GetImpl().children) {
        const QWidget* widget = child->GetImpl().widget.data();
        if (widget != nullptr && !widget->isHidden() && !widget->isWindow()) {
            PaintTree(*child, dc, child->GetWindowRect());
        }
    }
    dc.RestoreDC(saved);
}

} // namespace

PaintFunction PaintOf(TWindow& window)
{
    return [&window](TDC& dc, const TRect& rect) { PaintTree(window, dc, rect); };
}

TBitmap RenderBitmap(const TSize& size, const PaintFunction& paint)
{
    EnsureApplication();
    RequirePicture(size);
    TBitmap bitmap(size.cx, size.cy);
    {
        TMemoryDC dc(bitmap);
        Paint(dc, size, paint);
    }
    return bitmap;
}

std::string RenderPng(const TSize& size, const PaintFunction& paint)
{
    return RenderBitmap(size, paint).ToPng();
}

std::string RenderSvg(const TSize& size, const PaintFunction& paint, const VEX::String& title)
{
    EnsureApplication();
    RequirePicture(size);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        TPainterDC dc(std::make_unique<TPainterDC::Engine>(SvgGenerator(buffer, size, title)));
        Paint(dc, size, paint);
    }
    return bytes.toStdString();
}

std::string RenderPdf(const TSize& size, const PaintFunction& paint, const VEX::String& title)
{
    EnsureApplication();
    RequirePicture(size);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        TPainterDC dc(std::make_unique<TPainterDC::Engine>(PdfWriter(buffer, size, title)));
        Paint(dc, size, paint);
    }
    return bytes.toStdString();
}

void SavePng(const VEX::String& path, const TSize& size, const PaintFunction& paint, std::int32_t dpi)
{
    TBitmap bitmap = RenderBitmap(size, paint);
    if (dpi > 0) {
        bitmap.SetDotsPerInch(dpi);
    }
    WriteFile(path, bitmap.ToPng());
}

void SaveSvg(const VEX::String& path, const TSize& size, const PaintFunction& paint)
{
    WriteFile(path, RenderSvg(size, paint));
}

void SavePdf(const VEX::String& path, const TSize& size, const PaintFunction& paint)
{
    WriteFile(path, RenderPdf(size, paint));
}

} // namespace platform::ui

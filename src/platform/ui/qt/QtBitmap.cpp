#include "platform/ui/qt/QtBitmap.h"

#include <QBuffer>

#include <cmath>

#include "platform/ui/qt/PainterEngine.h"

namespace platform::ui {

QImage& ImageOf(const TBitmap& bitmap)
{
    return static_cast<QtBitmap&>(bitmap.GetImpl()).image;
}

void QtBitmap::Fill(COLORREF color)
{
    image.fill(qt::ToQColor(color));
}

COLORREF QtBitmap::GetPixel(std::int32_t x, std::int32_t y) const
{
    if (!image.valid(x, y)) {
        return kBlack;
    }
    return qt::FromQRgb(image.pixel(x, y));
}

std::int64_t QtBitmap::CountPixels(COLORREF color, const TRect& area) const
{
    const QRgb wanted = qt::ToQColor(color).rgb();
    std::int64_t count = 0;
    for (std::int32_t y = area.top; y < area.bottom; ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (std::int32_t x = area.left; x < area.right; ++x) {
            count += (line[x] | 0xFF000000u) == wanted ? 1 : 0;
        }
    }
    return count;
}

void QtBitmap::SetDotsPerInch(std::int32_t dpi)
{
    const int perMetre = static_cast<int>(std::lround(dpi / 0.0254));
    image.setDotsPerMeterX(perMetre);
    image.setDotsPerMeterY(perMetre);
}

std::string QtBitmap::ToPng() const
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes.toStdString();
}

} // namespace platform::ui

#include "platform/ui/TBitmap.h"

#include <cmath>

#include <QBuffer>
#include <QFile>

#include "platform/error/XVEX.h"
#include "platform/ui/qt/BitmapImpl.h"
#include "platform/ui/qt/PainterEngine.h"

namespace platform::ui {

TBitmap::TBitmap() : impl_(std::make_unique<Impl>()) {}

TBitmap::TBitmap(std::int32_t width, std::int32_t height) : impl_(std::make_unique<Impl>())
{
    if (width > 0 && height > 0) {
        impl_->image = QImage(width, height, QImage::Format_RGB32);
        impl_->image.fill(Qt::white);
    }
}

TBitmap::TBitmap(const TBitmap& other) : impl_(std::make_unique<Impl>(*other.impl_)) {}

TBitmap& TBitmap::operator=(const TBitmap& other)
{
    *impl_ = *other.impl_;
    return *this;
}

TBitmap::TBitmap(TBitmap&& other) noexcept : impl_(std::make_unique<Impl>())
{
    std::swap(impl_, other.impl_);
}

TBitmap& TBitmap::operator=(TBitmap&& other) noexcept
{
    std::swap(impl_, other.impl_);
    return *this;
}

TBitmap::~TBitmap() = default;

std::int32_t TBitmap::Width() const
{
    return impl_->image.width();
}

std::int32_t TBitmap::Height() const
{
    return impl_->image.height();
}

void TBitmap::Fill(COLORREF color)
{
    impl_->image.fill(qt::ToQColor(color));
}

COLORREF TBitmap::GetPixel(std::int32_t x, std::int32_t y) const
{
    if (!impl_->image.valid(x, y)) {
        return kBlack;
    }
    return qt::FromQRgb(impl_->image.pixel(x, y));
}

std::int64_t TBitmap::CountPixels(COLORREF color) const
{
    return CountPixels(color, TRect(0, 0, Width(), Height()));
}

std::int64_t TBitmap::CountPixels(COLORREF color, const TRect& within) const
{
    const TRect area = within & TRect(0, 0, Width(), Height());
    const QRgb wanted = qt::ToQColor(color).rgb();
    std::int64_t count = 0;
    for (std::int32_t y = area.top; y < area.bottom; ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(impl_->image.constScanLine(y));
        for (std::int32_t x = area.left; x < area.right; ++x) {
            count += (line[x] | 0xFF000000u) == wanted ? 1 : 0;
        }
    }
    return count;
}

void TBitmap::SetDotsPerInch(std::int32_t dpi)
{
    const int perMetre = static_cast<int>(std::lround(dpi / 0.0254));
    impl_->image.setDotsPerMeterX(perMetre);
    impl_->image.setDotsPerMeterY(perMetre);
}

std::string TBitmap::ToPng() const
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    impl_->image.save(&buffer, "PNG");
    return bytes.toStdString();
}

void TBitmap::SavePng(const VEX::String& path) const
{
    QFile file(qt::ToQString(path));
    const std::string png = ToPng();
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(png.data(), static_cast<qint64>(png.size())) != static_cast<qint64>(png.size())) {
        throw VEX::XVEX("Cannot write the picture file \"" + path.ToUtf8() + "\".");
    }
}

TBitmap TBitmap::FromPng(std::string_view bytes)
{
    QImage image;
    if (!image.loadFromData(reinterpret_cast<const uchar*>(bytes.data()), static_cast<int>(bytes.size()),
                            "PNG")) {
        throw VEX::XVEX("The data is not a PNG picture.");
    }
    TBitmap bitmap;
    bitmap.impl_->image = image.convertToFormat(QImage::Format_RGB32);
    return bitmap;
}

} // namespace platform::ui

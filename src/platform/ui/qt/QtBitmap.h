#pragma once

#include <QImage>

#include "platform/ui/BitmapImpl.h"

namespace platform::ui {

class QtBitmap final : public TBitmap::Impl {
public:
    explicit QtBitmap(QImage picture) : image(std::move(picture)) {}

    std::unique_ptr<Impl> Clone() const override { return std::make_unique<QtBitmap>(image); }
    std::int32_t Width() const override { return image.width(); }
    std::int32_t Height() const override { return image.height(); }
    void Fill(COLORREF color) override;
    COLORREF GetPixel(std::int32_t x, std::int32_t y) const override;
    std::int64_t CountPixels(COLORREF color, const TRect& area) const override;
    void SetDotsPerInch(std::int32_t dpi) override;
    std::string ToPng() const override;

    QImage image;
};

// The picture of a bitmap; the backend makes every bitmap's pixels.
QImage& ImageOf(const TBitmap& bitmap);

} // namespace platform::ui

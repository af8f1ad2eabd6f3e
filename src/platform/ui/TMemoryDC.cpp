#include "platform/ui/TMemoryDC.h"

#include "platform/ui/qt/BitmapImpl.h"
#include "platform/ui/qt/PainterEngine.h"

namespace platform::ui {

namespace {

QImage& Prepared(TBitmap& bitmap)
{
    QImage& image = bitmap.GetImpl().image;
    // Pixels per inch of a screen, so fonts and symbol sizes match a window.
    constexpr int kDotsPerMetre = 3780;
    image.setDotsPerMeterX(kDotsPerMetre);
    image.setDotsPerMeterY(kDotsPerMetre);
    return image;
}

} // namespace

TMemoryDC::TMemoryDC(TBitmap& bitmap) : TPainterDC(std::make_unique<Engine>(Prepared(bitmap))) {}

} // namespace platform::ui

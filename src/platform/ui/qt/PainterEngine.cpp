#include "platform/ui/qt/PainterEngine.h"

#include <QPen>

#include "platform/ui/Application.h"

namespace platform::ui {

namespace {

QPen ToQPen(const TPen& pen)
{
    if (pen.style == PenStyle::Null) {
        return QPen(Qt::NoPen);
    }
    QPen qpen(qt::ToQColor(pen.color));
    if (pen.width <= 1) {
        // Flat caps make a thin line leave out its last pixel, as on screen.
        qpen.setWidth(1);
        qpen.setCosmetic(true);
        qpen.setCapStyle(Qt::FlatCap);
    } else {
        qpen.setWidth(pen.width);
        qpen.setCapStyle(Qt::RoundCap);
        qpen.setJoinStyle(Qt::RoundJoin);
    }
    if (pen.style == PenStyle::Dot) {
        qpen.setDashPattern({3.0, 3.0});
    } else if (pen.style == PenStyle::Dash) {
        qpen.setDashPattern({18.0, 6.0});
    }
    return qpen;
}

} // namespace

TPainterDC::Engine::Engine(QPaintDevice& device)
    : ownedPainter_(std::make_unique<QPainter>()), painter_(ownedPainter_.get())
{
    ReadCaps(device);
    painter_->begin(&device);
    Begin();
}

TPainterDC::Engine::Engine(std::unique_ptr<QPaintDevice> device)
    : ownedDevice_(std::move(device)), ownedPainter_(std::make_unique<QPainter>()),
      painter_(ownedPainter_.get())
{
    ReadCaps(*ownedDevice_);
    painter_->begin(ownedDevice_.get());
    Begin();
}

TPainterDC::Engine::Engine(QPainter& painter) : painter_(&painter), borrowed_(true)
{
    ReadCaps(*painter.device());
    painter_->save();
    Begin();
}

TPainterDC::Engine::~Engine()
{
    if (borrowed_) {
        painter_->restore();
        return;
    }
    // The painter ends before an owned device goes, so SVG and PDF output
    // is complete when the device is destroyed.
    ownedPainter_.reset();
}

void TPainterDC::Engine::Begin()
{
    painter_->setRenderHint(QPainter::Antialiasing, false);
    painter_->setRenderHint(QPainter::TextAntialiasing, false);
    painter_->setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter_->setClipping(false);
}

void TPainterDC::Engine::ReadCaps(const QPaintDevice& device)
{
    dpiX = device.logicalDpiX();
    dpiY = device.logicalDpiY();
    widthPixels = device.width();
    heightPixels = device.height();
    widthMm = device.widthMM();
    heightMm = device.heightMM();
}

void TPainterDC::Engine::ApplyPen(const TPen& pen)
{
    if (pen_ != pen) {
        painter_->setPen(ToQPen(pen));
        pen_ = pen;
    }
}

void TPainterDC::Engine::ApplyBrush(const TBrush& brush)
{
    if (brush_ != brush) {
        painter_->setBrush(brush.style == BrushStyle::Null ? QBrush(Qt::NoBrush)
                                                           : QBrush(qt::ToQColor(brush.color)));
        brush_ = brush;
    }
}

void TPainterDC::Engine::ApplyFont(const TFont& font)
{
    if (font_ != font) {
        painter_->setFont(qt::ToQFont(font));
        font_ = font;
    }
}

} // namespace platform::ui

#include "platform/ui/qt/PainterEngine.h"

#include <QFontMetrics>
#include <QPen>
#include <QPolygon>

#include "platform/ui/Application.h"
#include "platform/ui/qt/QtBitmap.h"

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


QPoint ToQPoint(const TPoint& p)
{
    return {p.x, p.y};
}

// The rectangle whose outline, drawn by Qt, covers left..right-1 and
// top..bottom-1.
QRect OutlineRect(const TRect& r)
{
    return {r.left, r.top, r.Width() - 1, r.Height() - 1};
}

QRect AreaRect(const TRect& r)
{
    return {r.left, r.top, r.Width(), r.Height()};
}

// Repeated points dropped: a segment of no length draws nothing on screen.
QPolygon DistinctPoints(std::span<const TPoint> points)
{
    QPolygon polygon;
    polygon.reserve(static_cast<int>(points.size()));
    for (const TPoint& p : points) {
        if (polygon.isEmpty() || polygon.last() != ToQPoint(p)) {
            polygon.append(ToQPoint(p));
        }
    }
    return polygon;
}

int AlignmentOf(std::uint32_t format)
{
    int flags = 0;
    if (format & DT_CENTER) {
        flags |= Qt::AlignHCenter;
    } else if (format & DT_RIGHT) {
        flags |= Qt::AlignRight;
    } else {
        flags |= Qt::AlignLeft;
    }
    if (format & DT_VCENTER) {
        flags |= Qt::AlignVCenter;
    } else if (format & DT_BOTTOM) {
        flags |= Qt::AlignBottom;
    } else {
        flags |= Qt::AlignTop;
    }
    if (!(format & DT_SINGLELINE)) {
        flags |= Qt::TextWordWrap;
    }
    return flags;
}

} // namespace

QtPainterEngine::QtPainterEngine(QPaintDevice& device)
    : ownedPainter_(std::make_unique<QPainter>()), painter_(ownedPainter_.get())
{
    ReadCaps(device);
    painter_->begin(&device);
    Begin();
}

QtPainterEngine::QtPainterEngine(std::unique_ptr<QPaintDevice> device)
    : ownedDevice_(std::move(device)), ownedPainter_(std::make_unique<QPainter>()),
      painter_(ownedPainter_.get())
{
    ReadCaps(*ownedDevice_);
    painter_->begin(ownedDevice_.get());
    Begin();
}

QtPainterEngine::QtPainterEngine(QPainter& painter) : painter_(&painter), borrowed_(true)
{
    ReadCaps(*painter.device());
    painter_->save();
    Begin();
}

QtPainterEngine::~QtPainterEngine()
{
    if (borrowed_) {
        painter_->restore();
        return;
    }
    // The painter ends before an owned device goes, so SVG and PDF output
    // is complete when the device is destroyed.
    ownedPainter_.reset();
}

void QtPainterEngine::Begin()
{
    painter_->setRenderHint(QPainter::Antialiasing, false);
    painter_->setRenderHint(QPainter::TextAntialiasing, false);
    painter_->setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter_->setClipping(false);
}

void QtPainterEngine::ReadCaps(const QPaintDevice& device)
{
    dpiX = device.logicalDpiX();
    dpiY = device.logicalDpiY();
    widthPixels = device.width();
    heightPixels = device.height();
    widthMm = device.widthMM();
    heightMm = device.heightMM();
}

void QtPainterEngine::ApplyPen(const TPen& pen)
{
    if (pen_ != pen) {
        painter_->setPen(ToQPen(pen));
        pen_ = pen;
    }
}

void QtPainterEngine::ApplyBrush(const TBrush& brush)
{
    if (brush_ != brush) {
        painter_->setBrush(brush.style == BrushStyle::Null ? QBrush(Qt::NoBrush)
                                                           : QBrush(qt::ToQColor(brush.color)));
        brush_ = brush;
    }
}

void QtPainterEngine::ApplyFont(const TFont& font)
{
    if (font_ != font) {
        painter_->setFont(qt::ToQFont(font));
        font_ = font;
    }
}

void QtPainterEngine::DrawLine(const TDCState& state, const TPoint& from, const TPoint& to)
{
    if (!IsActive()) {
        return;
    }
    if (from == to) {
        return;
    }
    ApplyPen(state.pen);
    painter_->drawLine(ToQPoint(from), ToQPoint(to));
}

void QtPainterEngine::DrawPolyline(const TDCState& state, std::span<const TPoint> points)
{
    if (!IsActive()) {
        return;
    }
    const QPolygon polygon = DistinctPoints(points);
    if (polygon.size() < 2) {
        return;
    }
    ApplyPen(state.pen);
    painter_->drawPolyline(polygon);
}

void QtPainterEngine::DrawPolyPolyline(const TDCState& state, std::span<const TPoint> points, std::span<const std::int32_t> counts)
{
    if (!IsActive()) {
        return;
    }
    std::size_t first = 0;
    for (const std::int32_t count : counts) {
        DrawPolyline(state, points.subspan(first, static_cast<std::size_t>(count)));
        first += static_cast<std::size_t>(count);
    }
}

void QtPainterEngine::DrawPolygon(const TDCState& state, std::span<const TPoint> points)
{
    if (!IsActive()) {
        return;
    }
    ApplyPen(state.pen);
    ApplyBrush(state.brush);
    painter_->drawPolygon(DistinctPoints(points), Qt::OddEvenFill);
}

// A shape outlined with the pen and filled with the brush inside `rect`;
// none when the rectangle is too small to hold one.
bool QtPainterEngine::ReadyForShape(const TDCState& state, const TRect& rect)
{
    if (!IsActive() || rect.Width() < 2 || rect.Height() < 2) {
        return false;
    }
    ApplyPen(state.pen);
    ApplyBrush(state.brush);
    return true;
}

void QtPainterEngine::DrawRectangle(const TDCState& state, const TRect& rect)
{
    // Qt fills this rectangle one pixel smaller than its outline, so without
    // a pen the area shrinks by a pixel at the right and bottom, as on screen.
    if (ReadyForShape(state, rect)) {
        painter_->drawRect(OutlineRect(rect));
    }
}

void QtPainterEngine::DrawEllipse(const TDCState& state, const TRect& rect)
{
    if (ReadyForShape(state, rect)) {
        painter_->drawEllipse(OutlineRect(rect));
    }
}

void QtPainterEngine::DrawFillRect(const TRect& rect, const TBrush& brush)
{
    if (!IsActive()) {
        return;
    }
    painter_->fillRect(AreaRect(rect), qt::ToQColor(brush.color));
}

void QtPainterEngine::DrawPixel(const TPoint& p, COLORREF color)
{
    if (!IsActive()) {
        return;
    }
    painter_->fillRect(QRect(p.x, p.y, 1, 1), qt::ToQColor(color));
}

void QtPainterEngine::DrawTextAt(const TDCState& state, const TPoint& p, const VEX::String& text)
{
    if (!IsActive()) {
        return;
    }
    ApplyFont(state.font);
    QPainter& painter = *painter_;
    const QString qtext = qt::ToQString(text);
    const QFontMetrics metrics(painter.font(), painter.device());
    // Text is laid out from its own origin, turned by the escapement.
    painter.save();
    painter.translate(p.x, p.y);
    painter.rotate(-state.font.escapement / 10.0);
    if (state.bkMode == BkMode::Opaque) {
        painter.fillRect(QRect(0, 0, metrics.horizontalAdvance(qtext), metrics.height()),
                         qt::ToQColor(state.bkColor));
    }
    painter.setPen(qt::ToQColor(state.textColor));
    painter.drawText(QPoint(0, metrics.ascent()), qtext);
    painter.restore();
}

void QtPainterEngine::DrawTextIn(const TDCState& state, const VEX::String& text, const TRect& rect, std::uint32_t format)
{
    if (!IsActive()) {
        return;
    }
    ApplyFont(state.font);
    QPainter& painter = *painter_;
    const QString qtext = qt::ToQString(text);
    const int flags = AlignmentOf(format);
    const QRect area = AreaRect(rect);
    painter.save();
    if (!(format & DT_NOCLIP)) {
        painter.setClipRect(area, painter.hasClipping() ? Qt::IntersectClip : Qt::ReplaceClip);
    }
    if (state.bkMode == BkMode::Opaque) {
        const QFontMetrics metrics(painter.font(), painter.device());
        painter.fillRect(metrics.boundingRect(area, flags, qtext), qt::ToQColor(state.bkColor));
    }
    painter.setPen(qt::ToQColor(state.textColor));
    painter.drawText(area, flags, qtext);
    painter.restore();
}

void QtPainterEngine::DrawBitmap(const TRect& dest, const TBitmap& bitmap, const TPoint& srcOrigin)
{
    if (!IsActive()) {
        return;
    }
    if (bitmap.IsNull()) {
        return;
    }
    painter_->drawImage(QPoint(dest.left, dest.top), ImageOf(bitmap),
                                 QRect(srcOrigin.x, srcOrigin.y, dest.Width(), dest.Height()));
}

TSize QtPainterEngine::MeasureText(const TDCState& state, const VEX::String& text) const
{
    const QFontMetrics metrics(qt::ToQFont(state.font), painter_->device());
    return {metrics.horizontalAdvance(qt::ToQString(text)), metrics.height()};
}

std::int32_t QtPainterEngine::DeviceCaps(DeviceCap cap) const
{
    switch (cap) {
    case DeviceCap::HorzRes:
        return widthPixels;
    case DeviceCap::VertRes:
        return heightPixels;
    case DeviceCap::HorzSize:
        return widthMm;
    case DeviceCap::VertSize:
        return heightMm;
    case DeviceCap::LogPixelsX:
        return dpiX;
    case DeviceCap::LogPixelsY:
        return dpiY;
    }
    return 0;
}

void QtPainterEngine::ClipChanged(const TDCState& state)
{
    if (!IsActive()) {
        return;
    }
    QPainter& painter = *painter_;
    if (const auto& clip = state.clip) {
        painter.setClipRect(AreaRect(*clip));
    } else {
        painter.setClipping(false);
    }
}

} // namespace platform::ui

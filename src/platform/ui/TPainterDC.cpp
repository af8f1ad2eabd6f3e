#include "platform/ui/TPainterDC.h"

#include "platform/ui/Application.h"

#include <QFontMetrics>
#include <QPolygon>

#include <vector>

#include "platform/ui/qt/BitmapImpl.h"
#include "platform/ui/qt/PainterEngine.h"

namespace platform::ui {

namespace {

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

// Fonts and text need the application object even when drawing only into
// a bitmap, SVG or PDF.
TPainterDC::TPainterDC(std::unique_ptr<Engine> engine) : engine_((EnsureApplication(), std::move(engine))) {}

TPainterDC::~TPainterDC() = default;

void TPainterDC::DrawLine(const TPoint& from, const TPoint& to)
{
    if (!engine_->IsActive()) {
        return;
    }
    if (from == to) {
        return;
    }
    engine_->ApplyPen(State().pen);
    engine_->Painter().drawLine(ToQPoint(from), ToQPoint(to));
}

void TPainterDC::DrawPolyline(std::span<const TPoint> points)
{
    if (!engine_->IsActive()) {
        return;
    }
    const QPolygon polygon = DistinctPoints(points);
    if (polygon.size() < 2) {
        return;
    }
    engine_->ApplyPen(State().pen);
    engine_->Painter().drawPolyline(polygon);
}

void TPainterDC::DrawPolyPolyline(std::span<const TPoint> points, std::span<const std::int32_t> counts)
{
    if (!engine_->IsActive()) {
        return;
    }
    std::size_t first = 0;
    for (const std::int32_t count : counts) {
        DrawPolyline(points.subspan(first, static_cast<std::size_t>(count)));
        first += static_cast<std::size_t>(count);
    }
}

void TPainterDC::DrawPolygon(std::span<const TPoint> points)
{
    if (!engine_->IsActive()) {
        return;
    }
    engine_->ApplyPen(State().pen);
    engine_->ApplyBrush(State().brush);
    engine_->Painter().drawPolygon(DistinctPoints(points), Qt::OddEvenFill);
}

void TPainterDC::DrawRectangle(const TRect& rect)
{
    if (!engine_->IsActive()) {
        return;
    }
    if (rect.Width() < 2 || rect.Height() < 2) {
        return;
    }
    engine_->ApplyPen(State().pen);
    engine_->ApplyBrush(State().brush);
    // Qt fills this rectangle one pixel smaller than its outline, so without
    // a pen the area shrinks by a pixel at the right and bottom, as on screen.
    engine_->Painter().drawRect(OutlineRect(rect));
}

void TPainterDC::DrawEllipse(const TRect& rect)
{
    if (!engine_->IsActive()) {
        return;
    }
    if (rect.Width() < 2 || rect.Height() < 2) {
        return;
    }
    engine_->ApplyPen(State().pen);
    engine_->ApplyBrush(State().brush);
    engine_->Painter().drawEllipse(OutlineRect(rect));
}

void TPainterDC::DrawFillRect(const TRect& rect, const TBrush& brush)
{
    if (!engine_->IsActive()) {
        return;
    }
    engine_->Painter().fillRect(AreaRect(rect), qt::ToQColor(brush.color));
}

void TPainterDC::DrawPixel(const TPoint& p, COLORREF color)
{
    if (!engine_->IsActive()) {
        return;
    }
    engine_->Painter().fillRect(QRect(p.x, p.y, 1, 1), qt::ToQColor(color));
}

void TPainterDC::DrawTextAt(const TPoint& p, const VEX::String& text)
{
    if (!engine_->IsActive()) {
        return;
    }
    engine_->ApplyFont(State().font);
    QPainter& painter = engine_->Painter();
    const QString qtext = qt::ToQString(text);
    const QFontMetrics metrics(painter.font(), painter.device());
    // Text is laid out from its own origin, turned by the escapement.
    painter.save();
    painter.translate(p.x, p.y);
    painter.rotate(-State().font.escapement / 10.0);
    if (State().bkMode == BkMode::Opaque) {
        painter.fillRect(QRect(0, 0, metrics.horizontalAdvance(qtext), metrics.height()),
                         qt::ToQColor(State().bkColor));
    }
    painter.setPen(qt::ToQColor(State().textColor));
    painter.drawText(QPoint(0, metrics.ascent()), qtext);
    painter.restore();
}

void TPainterDC::DrawTextIn(const VEX::String& text, const TRect& rect, std::uint32_t format)
{
    if (!engine_->IsActive()) {
        return;
    }
    engine_->ApplyFont(State().font);
    QPainter& painter = engine_->Painter();
    const QString qtext = qt::ToQString(text);
    const int flags = AlignmentOf(format);
    const QRect area = AreaRect(rect);
    painter.save();
    if (!(format & DT_NOCLIP)) {
        painter.setClipRect(area, painter.hasClipping() ? Qt::IntersectClip : Qt::ReplaceClip);
    }
    if (State().bkMode == BkMode::Opaque) {
        const QFontMetrics metrics(painter.font(), painter.device());
        painter.fillRect(metrics.boundingRect(area, flags, qtext), qt::ToQColor(State().bkColor));
    }
    painter.setPen(qt::ToQColor(State().textColor));
    painter.drawText(area, flags, qtext);
    painter.restore();
}

void TPainterDC::DrawBitmap(const TRect& dest, const TBitmap& bitmap, const TPoint& srcOrigin)
{
    if (!engine_->IsActive()) {
        return;
    }
    if (bitmap.IsNull()) {
        return;
    }
    engine_->Painter().drawImage(QPoint(dest.left, dest.top), bitmap.GetImpl().image,
                                 QRect(srcOrigin.x, srcOrigin.y, dest.Width(), dest.Height()));
}

TSize TPainterDC::MeasureText(const VEX::String& text) const
{
    const QFontMetrics metrics(qt::ToQFont(State().font), engine_->Painter().device());
    return {metrics.horizontalAdvance(qt::ToQString(text)), metrics.height()};
}

std::int32_t TPainterDC::DeviceCaps(DeviceCap cap) const
{
    switch (cap) {
    case DeviceCap::HorzRes:
        return engine_->widthPixels;
    case DeviceCap::VertRes:
        return engine_->heightPixels;
    case DeviceCap::HorzSize:
        return engine_->widthMm;
    case DeviceCap::VertSize:
        return engine_->heightMm;
    case DeviceCap::LogPixelsX:
        return engine_->dpiX;
    case DeviceCap::LogPixelsY:
        return engine_->dpiY;
    }
    return 0;
}

void TPainterDC::ClipChanged()
{
    if (!engine_->IsActive()) {
        return;
    }
    QPainter& painter = engine_->Painter();
    if (const auto& clip = State().clip) {
        painter.setClipRect(AreaRect(*clip));
    } else {
        painter.setClipping(false);
    }
}

} // namespace platform::ui

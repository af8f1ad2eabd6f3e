#include "platform/ui/TPainterDC.h"

#include "platform/ui/Application.h"
#include "platform/ui/PainterEngine.h"

namespace platform::ui {

// Fonts and text need the application object even when drawing only into
// a bitmap, SVG or PDF.
TPainterDC::TPainterDC(std::unique_ptr<Engine> engine) : engine_((EnsureApplication(), std::move(engine))) {}

TPainterDC::~TPainterDC() = default;

void TPainterDC::DrawLine(const TPoint& from, const TPoint& to)
{
    engine_->DrawLine(State(), from, to);
}

void TPainterDC::DrawPolyline(std::span<const TPoint> points)
{
    engine_->DrawPolyline(State(), points);
}

void TPainterDC::DrawPolyPolyline(std::span<const TPoint> points, std::span<const std::int32_t> counts)
{
    engine_->DrawPolyPolyline(State(), points, counts);
}

void TPainterDC::DrawPolygon(std::span<const TPoint> points)
{
    engine_->DrawPolygon(State(), points);
}

void TPainterDC::DrawRectangle(const TRect& rect)
{
    engine_->DrawRectangle(State(), rect);
}

void TPainterDC::DrawEllipse(const TRect& rect)
{
    engine_->DrawEllipse(State(), rect);
}

void TPainterDC::DrawFillRect(const TRect& rect, const TBrush& brush)
{
    engine_->DrawFillRect(rect, brush);
}

void TPainterDC::DrawPixel(const TPoint& p, COLORREF color)
{
    engine_->DrawPixel(p, color);
}

void TPainterDC::DrawTextAt(const TPoint& p, const VEX::String& text)
{
    engine_->DrawTextAt(State(), p, text);
}

void TPainterDC::DrawTextIn(const VEX::String& text, const TRect& rect, std::uint32_t format)
{
    engine_->DrawTextIn(State(), text, rect, format);
}

void TPainterDC::DrawBitmap(const TRect& dest, const TBitmap& bitmap, const TPoint& srcOrigin)
{
    engine_->DrawBitmap(dest, bitmap, srcOrigin);
}

TSize TPainterDC::MeasureText(const VEX::String& text) const
{
    return engine_->MeasureText(State(), text);
}

std::int32_t TPainterDC::DeviceCaps(DeviceCap cap) const
{
    return engine_->DeviceCaps(cap);
}

void TPainterDC::ClipChanged()
{
    engine_->ClipChanged(State());
}

} // namespace platform::ui

#include "platform/ui/TDC.h"

#include <cstdint>
#include <utility>

namespace platform::ui {

TDC::~TDC() = default;

TPen TDC::SelectObject(const TPen& pen)
{
    return std::exchange(state_.pen, pen);
}

TBrush TDC::SelectObject(const TBrush& brush)
{
    return std::exchange(state_.brush, brush);
}

TFont TDC::SelectObject(const TFont& font)
{
    return std::exchange(state_.font, font);
}

void TDC::RestorePen()
{
    state_.pen = TPen();
}

void TDC::RestoreBrush()
{
    state_.brush = TBrush();
}

void TDC::RestoreFont()
{
    state_.font = TFont();
}

void TDC::RestoreObjects()
{
    RestorePen();
    RestoreBrush();
    RestoreFont();
}

COLORREF TDC::SetTextColor(COLORREF color)
{
    return std::exchange(state_.textColor, color);
}

COLORREF TDC::SetBkColor(COLORREF color)
{
    return std::exchange(state_.bkColor, color);
}

BkMode TDC::SetBkMode(BkMode mode)
{
    return std::exchange(state_.bkMode, mode);
}

TPoint TDC::SetViewportOrg(const TPoint& origin)
{
    return std::exchange(state_.viewportOrg, origin);
}

void TDC::MoveTo(std::int32_t x, std::int32_t y)
{
    state_.position = {x, y};
}

void TDC::LineTo(std::int32_t x, std::int32_t y)
{
    const TPoint to{x, y};
    DrawLine(ToDevice(state_.position), ToDevice(to));
    state_.position = to;
}

TPoint TDC::GetCurrentPosition() const
{
    return state_.position;
}

void TDC::Polyline(std::span<const TPoint> points)
{
    if (points.size() >= 2) {
        const auto device = ToDevice(points);
        DrawPolyline(device);
    }
}

bool TDC::PolyPolyline(std::span<const TPoint> points, std::span<const std::int32_t> counts)
{
    std::int64_t total = 0;
    for (const std::int32_t count : counts) {
        if (count < 0) {
            return false;
        }
        total += count;
    }
    if (total > static_cast<std::int64_t>(points.size())) {
        return false;
    }
    const auto device = ToDevice(points.first(static_cast<std::size_t>(total)));
    DrawPolyPolyline(device, counts);
    return true;
}

void TDC::Polygon(std::span<const TPoint> points)
{
    if (points.size() >= 2) {
        const auto device = ToDevice(points);
        DrawPolygon(device);
    }
}

void TDC::Rectangle(const TRect& rect)
{
    DrawRectangle(ToDevice(rect.Normalized()));
}

void TDC::Ellipse(const TRect& rect)
{
    DrawEllipse(ToDevice(rect.Normalized()));
}

void TDC::FillRect(const TRect& rect, const TBrush& brush)
{
    if (!rect.IsEmpty() && brush.style != BrushStyle::Null) {
        DrawFillRect(ToDevice(rect), brush);
    }
}

void TDC::SetPixel(std::int32_t x, std::int32_t y, COLORREF color)
{
    DrawPixel(ToDevice(TPoint{x, y}), color);
}

void TDC::TextOut(std::int32_t x, std::int32_t y, const VEX::String& text)
{
    if (!text.Empty()) {
        DrawTextAt(ToDevice(TPoint{x, y}), text);
    }
}

void TDC::DrawText(const VEX::String& text, const TRect& rect, std::uint32_t format)
{
    if (!text.Empty()) {
        DrawTextIn(text, ToDevice(rect.Normalized()), format);
    }
}

TSize TDC::GetTextExtent(const VEX::String& text) const
{
    return MeasureText(text);
}

void TDC::IntersectClipRect(const TRect& rect)
{
    const TRect device = ToDevice(rect.Normalized());
    state_.clip = state_.clip ? (*state_.clip & device) : device;
    ClipChanged();
}

void TDC::SelectClipRect(const std::optional<TRect>& rect)
{
    state_.clip = rect ? std::optional<TRect>(ToDevice(rect->Normalized())) : std::nullopt;
    ClipChanged();
}

TRect TDC::GetClipBox() const
{
    const TRect device = state_.clip ? *state_.clip : DeviceRect();
    return device.OffsetBy(-state_.viewportOrg.x, -state_.viewportOrg.y);
}

std::int32_t TDC::SaveDC()
{
    saved_.push_back(state_);
    return static_cast<std::int32_t>(saved_.size());
}

bool TDC::RestoreDC(std::int32_t savedDepth)
{
    const auto depth = static_cast<std::int32_t>(saved_.size());
    // Negative depths count back from the last save, as -1 does.
    const std::int32_t target = savedDepth < 0 ? depth + savedDepth + 1 : savedDepth;
    if (target < 1 || target > depth) {
        return false;
    }
    state_ = saved_[static_cast<std::size_t>(target - 1)];
    saved_.resize(static_cast<std::size_t>(target - 1));
    ClipChanged();
    return true;
}

void TDC::BitBlt(const TRect& dest, const TBitmap& bitmap, const TPoint& srcOrigin)
{
    if (!dest.IsEmpty()) {
        DrawBitmap(ToDevice(dest), bitmap, srcOrigin);
    }
}

TPoint TDC::ToDevice(const TPoint& p) const
{
    return p.OffsetBy(state_.viewportOrg.x, state_.viewportOrg.y);
}

TRect TDC::ToDevice(const TRect& r) const
{
    return r.OffsetBy(state_.viewportOrg.x, state_.viewportOrg.y);
}

std::vector<TPoint> TDC::ToDevice(std::span<const TPoint> points) const
{
    std::vector<TPoint> device;
    device.reserve(points.size());
    for (const TPoint& p : points) {
        device.push_back(ToDevice(p));
    }
    return device;
}

TRect TDC::DeviceRect() const
{
    return {0, 0, DeviceCaps(DeviceCap::HorzRes), DeviceCaps(DeviceCap::VertRes)};
}

} // namespace platform::ui

#pragma once

// The drawing engine behind a TPainterDC: the backend draws each primitive
// on its target, in device coordinates, with the context's state.

#include <cstdint>
#include <span>

#include "platform/ui/TPainterDC.h"

namespace platform::ui {

struct TPainterDC::Engine {
    virtual ~Engine() = default;

    virtual void DrawLine(const TDCState& state, const TPoint& from, const TPoint& to) = 0;
    virtual void DrawPolyline(const TDCState& state, std::span<const TPoint> points) = 0;
    virtual void DrawPolyPolyline(const TDCState& state, std::span<const TPoint> points,
                                  std::span<const std::int32_t> counts) = 0;
    virtual void DrawPolygon(const TDCState& state, std::span<const TPoint> points) = 0;
    virtual void DrawRectangle(const TDCState& state, const TRect& rect) = 0;
    virtual void DrawEllipse(const TDCState& state, const TRect& rect) = 0;
    virtual void DrawFillRect(const TRect& rect, const TBrush& brush) = 0;
    virtual void DrawPixel(const TPoint& p, COLORREF color) = 0;
    virtual void DrawTextAt(const TDCState& state, const TPoint& p, const VEX::String& text) = 0;
    virtual void DrawTextIn(const TDCState& state, const VEX::String& text, const TRect& rect,
                            std::uint32_t format) = 0;
    virtual void DrawBitmap(const TRect& dest, const TBitmap& bitmap, const TPoint& srcOrigin) = 0;
    virtual TSize MeasureText(const TDCState& state, const VEX::String& text) const = 0;
    virtual std::int32_t DeviceCaps(DeviceCap cap) const = 0;
    virtual void ClipChanged(const TDCState& state) = 0;
};

} // namespace platform::ui

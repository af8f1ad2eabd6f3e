#pragma once

#include <memory>

#include "platform/Export.h"
#include "platform/ui/TDC.h"

namespace platform::ui {

// The device context that really draws: on a window, a bitmap, an SVG
// picture or a PDF page. Antialiasing is off, also for text, so pixels land
// where they would on screen. Made by the platform (TMemoryDC, the render
// helpers, painting a TWindow, printing).
class PLATFORM_API TPainterDC : public TDC {
public:
    // The drawing engine of one target; only the platform builds one.
    struct Engine;

    explicit TPainterDC(std::unique_ptr<Engine> engine);
    ~TPainterDC() override;

protected:
    void DrawLine(const TPoint& from, const TPoint& to) override;
    void DrawPolyline(std::span<const TPoint> points) override;
    void DrawPolyPolyline(std::span<const TPoint> points, std::span<const std::int32_t> counts) override;
    void DrawPolygon(std::span<const TPoint> points) override;
    void DrawRectangle(const TRect& rect) override;
    void DrawEllipse(const TRect& rect) override;
    void DrawFillRect(const TRect& rect, const TBrush& brush) override;
    void DrawPixel(const TPoint& p, COLORREF color) override;
    void DrawTextAt(const TPoint& p, const VEX::String& text) override;
    void DrawTextIn(const VEX::String& text, const TRect& rect, std::uint32_t format) override;
    void DrawBitmap(const TRect& dest, const TBitmap& bitmap, const TPoint& srcOrigin) override;
    TSize MeasureText(const VEX::String& text) const override;
    std::int32_t DeviceCaps(DeviceCap cap) const override;
    void ClipChanged() override;

private:
    std::unique_ptr<Engine> engine_;
};

} // namespace platform::ui

#pragma once

#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

#include "platform/Export.h"
#include "platform/ui/TDC.h"

namespace platform::ui {

enum class DrawOp : std::uint8_t {
    Line,
    Polyline,
    PolyPolyline,
    Polygon,
    Rectangle,
    Ellipse,
    FillRect,
    Pixel,
    TextOut,
    DrawText,
    BitBlt,
};

// One primitive as a RecordingDC saw it, with the state it was drawn in.
// Coordinates are device coordinates.
struct DrawRecord {
    DrawOp op = DrawOp::Line;
    std::vector<TPoint> points;        // lines and polygons
    std::vector<std::int32_t> counts;  // PolyPolyline
    TRect rect;                        // rectangles, ellipses, text boxes, bitmaps
    VEX::String text;
    std::uint32_t format = 0;          // DrawText
    COLORREF color = 0;                // SetPixel
    TBrush fillBrush;                  // FillRect
    TDCState state;
};

// A device context that draws nothing and logs every primitive, for tests to
// check what was drawn. Text is measured as the real screen font would be.
class PLATFORM_API RecordingDC : public TDC {
public:
    struct Device {
        TSize size{1920, 1080};
        std::int32_t dpiX = 96;
        std::int32_t dpiY = 96;
    };

    RecordingDC();
    explicit RecordingDC(const Device& device);

    const std::vector<DrawRecord>& Records() const { return records_; }
    void Clear() { records_.clear(); }

    // Every straight segment drawn with a visible pen of this colour (lines,
    // polylines, polypolylines, polygon edges), as (from, to) pairs.
    std::vector<std::pair<TPoint, TPoint>> Segments(COLORREF penColor) const;
    // Records of this kind.
    std::vector<const DrawRecord*> Find(DrawOp op) const;
    // The first text record (TextOut or DrawText) that holds this text whole.
    const DrawRecord* FindText(const VEX::String& text) const;

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

private:
    DrawRecord& Add(DrawOp op);

    Device device_;
    std::vector<DrawRecord> records_;
};

} // namespace platform::ui

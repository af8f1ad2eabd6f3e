#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "platform/Export.h"
#include "platform/text/VexString.h"
#include "platform/ui/Color.h"
#include "platform/ui/GdiObjects.h"
#include "platform/ui/Geometry.h"

namespace platform::ui {

class TBitmap;

enum class BkMode : std::uint8_t { Transparent = 1, Opaque = 2 };

enum class DeviceCap : std::uint8_t {
    HorzRes,    // width in pixels
    VertRes,    // height in pixels
    HorzSize,   // width in millimetres
    VertSize,   // height in millimetres
    LogPixelsX, // pixels per inch
    LogPixelsY,
};

// DrawText format bits.
inline constexpr std::uint32_t DT_LEFT = 0x0;
inline constexpr std::uint32_t DT_CENTER = 0x1;
inline constexpr std::uint32_t DT_RIGHT = 0x2;
inline constexpr std::uint32_t DT_TOP = 0x0;
inline constexpr std::uint32_t DT_VCENTER = 0x4;
inline constexpr std::uint32_t DT_BOTTOM = 0x8;
inline constexpr std::uint32_t DT_SINGLELINE = 0x20;
inline constexpr std::uint32_t DT_NOCLIP = 0x100;

// What a device context draws with; SaveDC/RestoreDC save and restore all of it.
struct TDCState {
    TPen pen;
    TBrush brush;
    TFont font;
    COLORREF textColor = kBlack;
    COLORREF bkColor = kWhite;
    BkMode bkMode = BkMode::Opaque;
    // In device pixels; none means the whole device.
    std::optional<TRect> clip;
    TPoint position;
    TPoint viewportOrg;
};

// A device context: the one drawing surface of the program, whether it ends
// up on a window, a bitmap, a picture (SVG) or a printed page (PDF). Drawing
// follows the screen rules: lines leave out their last pixel, a rectangle's
// outline lies inside its right and bottom edges, nothing is antialiased.
//
// The context keeps the selected objects, colours, clip and position itself;
// a device only draws the primitives it is handed, in device coordinates.
class PLATFORM_API TDC {
public:
    TDC() = default;
    TDC(const TDC&) = delete;
    TDC& operator=(const TDC&) = delete;
    virtual ~TDC();

    // Each selection returns the object it replaces.
    TPen SelectObject(const TPen& pen);
    TBrush SelectObject(const TBrush& brush);
    TFont SelectObject(const TFont& font);
    // Back to the objects the context started with.
    void RestorePen();
    void RestoreBrush();
    void RestoreFont();
    void RestoreObjects();
    const TDCState& State() const { return state_; }

    COLORREF SetTextColor(COLORREF color);
    COLORREF SetBkColor(COLORREF color);
    BkMode SetBkMode(BkMode mode);
    // Moves the logical origin; returns the previous one.
    TPoint SetViewportOrg(const TPoint& origin);

    void MoveTo(std::int32_t x, std::int32_t y);
    void MoveTo(const TPoint& p) { MoveTo(p.x, p.y); }
    // A line from the current position, leaving out the end pixel; the end
    // becomes the current position.
    void LineTo(std::int32_t x, std::int32_t y);
    void LineTo(const TPoint& p) { LineTo(p.x, p.y); }
    TPoint GetCurrentPosition() const;
    // Joined segments; fewer than two points draw nothing.
    void Polyline(std::span<const TPoint> points);
    // Several polylines in one call: counts[i] points each, taken in order.
    // Refused (false, nothing drawn) when the counts ask for more points
    // than given or one is negative.
    bool PolyPolyline(std::span<const TPoint> points, std::span<const std::int32_t> counts);
    // A closed outline filled with the brush.
    void Polygon(std::span<const TPoint> points);
    // Outlined with the pen (inside the right and bottom edge), filled with
    // the brush.
    void Rectangle(const TRect& rect);
    void Rectangle(std::int32_t l, std::int32_t t, std::int32_t r, std::int32_t b)
    {
        Rectangle(TRect(l, t, r, b));
    }
    void Ellipse(const TRect& rect);
    // Fills left <= x < right, top <= y < bottom; the pen is not used.
    void FillRect(const TRect& rect, const TBrush& brush);
    void SetPixel(std::int32_t x, std::int32_t y, COLORREF color);
    void SetPixel(const TPoint& p, COLORREF color) { SetPixel(p.x, p.y, color); }

    // Text with its cell's top-left corner at (x, y), in the selected font
    // and text colour, on the background colour when the mode is opaque.
    void TextOut(std::int32_t x, std::int32_t y, const VEX::String& text);
    // Text placed in a rectangle by DT_ format bits; clipped to it unless
    // DT_NOCLIP.
    void DrawText(const VEX::String& text, const TRect& rect, std::uint32_t format);
    TSize GetTextExtent(const VEX::String& text) const;

    // Narrows the clip to the rectangle (logical coordinates).
    void IntersectClipRect(const TRect& rect);
    // Replaces the clip; none clips to the whole device.
    void SelectClipRect(const std::optional<TRect>& rect);
    // The clip in logical coordinates, or the whole device.
    TRect GetClipBox() const;

    // Pushes the whole state; returns the depth to hand back to RestoreDC.
    std::int32_t SaveDC();
    // Back to the state saved at that depth (-1: the last one). False when
    // there is no such saved state.
    bool RestoreDC(std::int32_t savedDepth = -1);

    std::int32_t GetDeviceCaps(DeviceCap cap) const { return DeviceCaps(cap); }

    // Copies the bitmap's pixels from srcOrigin into dest (no stretching).
    void BitBlt(const TRect& dest, const TBitmap& bitmap, const TPoint& srcOrigin = {});

protected:
    // The device's primitives, in device coordinates, drawn with State().
    virtual void DrawLine(const TPoint& from, const TPoint& to) = 0;
    virtual void DrawPolyline(std::span<const TPoint> points) = 0;
    virtual void DrawPolyPolyline(std::span<const TPoint> points, std::span<const std::int32_t> counts) = 0;
    virtual void DrawPolygon(std::span<const TPoint> points) = 0;
    virtual void DrawRectangle(const TRect& rect) = 0;
    virtual void DrawEllipse(const TRect& rect) = 0;
    virtual void DrawFillRect(const TRect& rect, const TBrush& brush) = 0;
    virtual void DrawPixel(const TPoint& p, COLORREF color) = 0;
    virtual void DrawTextAt(const TPoint& p, const VEX::String& text) = 0;
    virtual void DrawTextIn(const VEX::String& text, const TRect& rect, std::uint32_t format) = 0;
    virtual void DrawBitmap(const TRect& dest, const TBitmap& bitmap, const TPoint& srcOrigin) = 0;
    virtual TSize MeasureText(const VEX::String& text) const = 0;
    virtual std::int32_t DeviceCaps(DeviceCap cap) const = 0;
    // Called after the clip changed (State().clip, device coordinates).
    virtual void ClipChanged() {}

private:
    TPoint ToDevice(const TPoint& p) const;
    TRect ToDevice(const TRect& r) const;
    std::vector<TPoint> ToDevice(std::span<const TPoint> points) const;
    TRect DeviceRect() const;

    TDCState state_;
    std::vector<TDCState> saved_;
};

} // namespace platform::ui

#pragma once

// Qt side of the platform layer: included by platform/ui sources only.

#include <QFont>
#include <QPaintDevice>
#include <QPainter>

#include <memory>
#include <optional>

#include "platform/ui/GdiObjects.h"
#include "platform/ui/PainterEngine.h"

namespace platform::ui::qt {

// The Qt font for a TFont: the family if installed, else DejaVu Sans (a
// missing font draws empty boxes); never antialiased.
QFont ToQFont(const TFont& font);
QColor ToQColor(COLORREF color);
COLORREF FromQRgb(QRgb rgb);
QString ToQString(const VEX::String& text);
VEX::String FromQString(const QString& text);

} // namespace platform::ui::qt

namespace platform::ui {

// One painting session on a Qt paint device, set up to follow screen pixel
// rules: no antialiasing, flat caps on thin pens.
class QtPainterEngine final : public TPainterDC::Engine {
public:
    // Paints on a device the caller keeps alive.
    explicit QtPainterEngine(QPaintDevice& device);
    // Paints on a device it owns (an SVG generator, a PDF writer).
    explicit QtPainterEngine(std::unique_ptr<QPaintDevice> device);
    // Paints with a painter already begun (pages of a printer); its state is
    // restored at the end.
    explicit QtPainterEngine(QPainter& painter);
    ~QtPainterEngine() override;
    QtPainterEngine(const QtPainterEngine&) = delete;
    QtPainterEngine& operator=(const QtPainterEngine&) = delete;

    void DrawLine(const TDCState& state, const TPoint& from, const TPoint& to) override;
    void DrawPolyline(const TDCState& state, std::span<const TPoint> points) override;
    void DrawPolyPolyline(const TDCState& state, std::span<const TPoint> points,
                          std::span<const std::int32_t> counts) override;
    void DrawPolygon(const TDCState& state, std::span<const TPoint> points) override;
    void DrawRectangle(const TDCState& state, const TRect& rect) override;
    void DrawEllipse(const TDCState& state, const TRect& rect) override;
    void DrawFillRect(const TRect& rect, const TBrush& brush) override;
    void DrawPixel(const TPoint& p, COLORREF color) override;
    void DrawTextAt(const TDCState& state, const TPoint& p, const VEX::String& text) override;
    void DrawTextIn(const TDCState& state, const VEX::String& text, const TRect& rect,
                    std::uint32_t format) override;
    void DrawBitmap(const TRect& dest, const TBitmap& bitmap, const TPoint& srcOrigin) override;
    TSize MeasureText(const TDCState& state, const VEX::String& text) const override;
    std::int32_t DeviceCaps(DeviceCap cap) const override;
    void ClipChanged(const TDCState& state) override;

    QPainter& Painter() { return *painter_; }
    bool IsActive() const { return painter_->isActive(); }

    void ApplyPen(const TPen& pen);
    void ApplyBrush(const TBrush& brush);
    void ApplyFont(const TFont& font);
    bool ReadyForShape(const TDCState& state, const TRect& rect);

    int dpiX = 96;
    int dpiY = 96;
    int widthPixels = 0;
    int heightPixels = 0;
    int widthMm = 0;
    int heightMm = 0;

private:
    void Begin();
    void ReadCaps(const QPaintDevice& device);

    std::unique_ptr<QPaintDevice> ownedDevice_;
    std::unique_ptr<QPainter> ownedPainter_;
    QPainter* painter_ = nullptr;
    bool borrowed_ = false;
    std::optional<TPen> pen_;
    std::optional<TBrush> brush_;
    std::optional<TFont> font_;
};

} // namespace platform::ui

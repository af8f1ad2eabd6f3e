#pragma once

// Qt side of the platform layer: included by platform/ui sources only.

#include <QFont>
#include <QPaintDevice>
#include <QPainter>

#include <memory>
#include <optional>

#include "platform/ui/GdiObjects.h"
#include "platform/ui/TPainterDC.h"

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
struct TPainterDC::Engine {
    // Paints on a device the caller keeps alive.
    explicit Engine(QPaintDevice& device);
    // Paints on a device it owns (an SVG generator, a PDF writer).
    explicit Engine(std::unique_ptr<QPaintDevice> device);
    // Paints with a painter already begun (pages of a printer); its state is
    // restored at the end.
    explicit Engine(QPainter& painter);
    ~Engine();
    Engine(const Engine&) = delete;
    Engine& operator=(const Engine&) = delete;

    QPainter& Painter() { return *painter_; }
    bool IsActive() const { return painter_->isActive(); }

    void ApplyPen(const TPen& pen);
    void ApplyBrush(const TBrush& brush);
    void ApplyFont(const TFont& font);

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

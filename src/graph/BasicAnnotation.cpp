#include "graph/BasicAnnotation.h"

#include <utility>

#include "platform/ui/TDC.h"

namespace DUdido1 {

BasicAnnotation::BasicAnnotation(double x, double y, VEX::String text, ui::COLORREF colour)
    : x_(x), y_(y), text_(std::move(text)), colour_(colour)
{
}

void BasicAnnotation::SetPosition(double x, double y)
{
    x_ = x;
    y_ = y;
}

void BasicAnnotation::Draw(ui::TDC& dc, const PlotFrame& frame)
{
    const ui::TPoint at{frame.PixelX(x_), frame.PixelY(y_)};
    if (!frame.rect.Contains(at)) {
        return;
    }
    const std::int32_t saved = dc.SaveDC();
    dc.IntersectClipRect(frame.rect);
    dc.SetBkMode(ui::BkMode::Transparent);
    dc.SetTextColor(colour_);
    dc.TextOut(at.x, at.y, text_);
    dc.RestoreDC(saved);
}

} // namespace DUdido1

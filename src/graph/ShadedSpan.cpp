#include "graph/ShadedSpan.h"

#include <algorithm>

#include "platform/ui/TDC.h"

namespace DUdido1 {

ShadedSpan::ShadedSpan()
{
    SetFillColour(ui::RGB(0xDD, 0xDD, 0xDD));
}

void ShadedSpan::SetSpan(std::optional<std::pair<double, double>> span)
{
    if (span != span_) {
        span_ = span;
        RequestRedraw();
    }
}

void ShadedSpan::Draw(ui::TDC& dc, const PlotFrame& frame)
{
    if (!span_ || !IsVisible() || !(span_->second > span_->first)) {
        return;
    }
    const ui::TRect& plot = frame.rect;
    const std::int32_t left = std::max(frame.PixelX(span_->first), plot.left);
    const std::int32_t right = std::min(frame.PixelX(span_->second), plot.right);
    // At least a pixel wide, so that a short interval still shows.
    if (left < plot.right && right >= plot.left) {
        dc.FillRect(ui::TRect(left, plot.top, std::max(right, left + 1), plot.bottom), ui::TBrush(FillColour()));
    }
}

} // namespace DUdido1

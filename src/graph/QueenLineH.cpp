#include "graph/QueenLineH.h"

#include <algorithm>

#include "platform/ui/TDC.h"

namespace DUdido1 {

double QueenLineH::HitDistance(std::int32_t, std::int32_t y) const
{
    const PlotFrame& frame = Frame();
    const double dy = y - (frame.PixelY(ShownPosition().y) - frame.rect.top);
    return dy * dy;
}

void QueenLineH::DrawFeedback(ui::TDC& dc, const PlotFrame& frame)
{
    const std::int32_t row = frame.PixelY(ShownPosition().y);
    if (row >= frame.rect.top && row < frame.rect.bottom) {
        dc.FillRect(ui::TRect(frame.rect.left, row, frame.rect.right, row + 1), ui::TBrush(FillColour()));
    }
}

void QueenLineH::Draw(ui::TDC&, const PlotFrame&)
{
}

QueenPosition QueenLineH::Constrain(QueenPosition position) const
{
    const auto [low, high] = Frame().Range();
    if (low < high) {
        position.y = std::clamp(position.y, low, high);
    }
    return {Position().x, position.y};
}

} // namespace DUdido1

#include "graph/QueenBlob.h"

#include "platform/ui/TDC.h"

namespace DUdido1 {

namespace {

// Where a new handle sits until its owner places it.
constexpr double kStartPosition = 500.0;

} // namespace

QueenBlob::QueenBlob() : Queen(kQueenKindBlob)
{
    SetPosition(kStartPosition, kStartPosition);
}

double QueenBlob::HitDistance(std::int32_t x, std::int32_t y) const
{
    const PlotFrame& frame = Frame();
    const QueenPosition at = ShownPosition();
    const double dx = x - (frame.PixelX(at.x) - frame.rect.left);
    const double dy = y - (frame.PixelY(at.y) - frame.rect.top);
    return dx * dx + dy * dy;
}

void QueenBlob::Draw(ui::TDC& dc, const PlotFrame& frame)
{
    const QueenPosition at = ShownPosition();
    const ui::TPoint centre{frame.PixelX(at.x), frame.PixelY(at.y)};
    if (!frame.rect.Contains(centre)) {
        return;
    }
    const std::int32_t side = HandleSize();
    const ui::TPoint corner = centre.OffsetBy(-side / 2, -side / 2);
    const std::int32_t saved = dc.SaveDC();
    dc.SelectObject(ui::TPen(PenColour(), 1));
    dc.SelectObject(ui::TBrush(FillColour()));
    dc.Rectangle(ui::TRect(corner, ui::TSize(side, side)));
    dc.RestoreDC(saved);
}

} // namespace DUdido1

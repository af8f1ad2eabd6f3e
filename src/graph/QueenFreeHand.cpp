#include "graph/QueenFreeHand.h"

#include "platform/ui/TDC.h"

namespace DUdido1 {

namespace {

constexpr double kFallbackDistance = 4.0;

} // namespace

QueenFreeHand::QueenFreeHand() : Queen(kQueenKindFreeHand)
{
}

double QueenFreeHand::HitDistance(std::int32_t, std::int32_t) const
{
    return kFallbackDistance;
}

void QueenFreeHand::BeginTrack(const PlotPointer& pointer)
{
    xs_.clear();
    ys_.clear();
    AddPoint(pointer);
}

void QueenFreeHand::Track(const PlotPointer& pointer)
{
    if (pointer.pixel != lastPointer_) {
        AddPoint(pointer);
    }
    Queen::Track(pointer);
}

void QueenFreeHand::ClearPoints()
{
    xs_.clear();
    ys_.clear();
    RequestRedraw();
}

void QueenFreeHand::AddPoint(const PlotPointer& pointer)
{
    lastPointer_ = pointer.pixel;
    xs_.push_back(pointer.x);
    ys_.push_back(pointer.y);
}

void QueenFreeHand::Draw(ui::TDC& dc, const PlotFrame& frame)
{
    if (xs_.size() < 2) {
        return;
    }
    std::vector<ui::TPoint> points;
    points.reserve(xs_.size() + 1);
    for (std::size_t i = 0; i < xs_.size(); ++i) {
        points.push_back({frame.PixelX(xs_[i]), frame.PixelY(ys_[i])});
    }
    if (!IsTracking()) {
        points.push_back(points.front());
    }
    const ui::TRect& r = frame.rect;
    const std::int32_t saved = dc.SaveDC();
    dc.SelectObject(ui::TPen(PenColour(), 1));
    dc.IntersectClipRect(ui::TRect(r.left + 1, r.top, r.right, r.bottom - 1));
    dc.Polyline(points);
    dc.RestoreDC(saved);
}

} // namespace DUdido1

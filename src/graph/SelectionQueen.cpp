#include "graph/SelectionQueen.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "platform/ui/TDC.h"

namespace DUdido1 {

namespace {

constexpr std::int32_t kBandHeight = 4;

} // namespace

SelectionQueen::SelectionQueen() : Queen(kQueenKindSelection)
{
    SetPenColour(ui::RGB(0, 128, 0));
    SetFillColour(ui::RGB(150, 220, 150));
}

void SelectionQueen::SetSnap(double origin, double width)
{
    snapOrigin_ = origin;
    snapWidth_ = std::isfinite(width) ? width : 0.0;
}

void SelectionQueen::SetSelection(double start, double end)
{
    SetPosition(std::min(start, end), std::max(start, end));
    RequestRedraw();
}

QueenPosition SelectionQueen::Snapped(double from, double to) const
{
    const double low = std::min(from, to);
    const double high = std::max(from, to);
    if (!(snapWidth_ > 0.0)) {
        return {low, high};
    }
    const double firstBin = std::floor((low - snapOrigin_) / snapWidth_);
    const double lastBin = std::floor((high - snapOrigin_) / snapWidth_);
    return {snapOrigin_ + firstBin * snapWidth_, snapOrigin_ + (lastBin + 1.0) * snapWidth_};
}

double SelectionQueen::HitDistance(std::int32_t x, std::int32_t) const
{
    if (!IsActive()) {
        return std::numeric_limits<double>::max();
    }
    const PlotFrame& frame = Frame();
    const QueenPosition range = ShownPosition();
    const double toStart = x - (frame.PixelX(range.x) - frame.rect.left);
    const double toEnd = x - (frame.PixelX(range.y) - frame.rect.left);
    return std::min(toStart * toStart, toEnd * toEnd);
}

void SelectionQueen::BeginTrack(const PlotPointer& pointer)
{
    anchor_ = pointer.x;
    pressPixel_ = pointer.pixel;
    dragged_ = false;
    SetDragPosition(Snapped(anchor_, anchor_));
    RequestRedraw();
}

void SelectionQueen::Track(const PlotPointer& pointer)
{
    dragged_ = dragged_ || pointer.pixel != pressPixel_;
    if (!dragged_) {
        return;
    }
    const QueenPosition next = Snapped(anchor_, pointer.x);
    if (next != DragPosition()) {
        const QueenPosition previous = DragPosition();
        SetDragPosition(next);
        SendChanged(previous, next);
    }
    RequestRedraw();
}

void SelectionQueen::EndTrack(const PlotPointer& pointer)
{
    dragged_ = dragged_ || pointer.pixel != pressPixel_;
    SetDragPosition(dragged_ ? Snapped(anchor_, pointer.x) : QueenPosition{});
    Settle(DragPosition());
    SendTrackEnd();
    RequestRedraw();
}

void SelectionQueen::Draw(ui::TDC& dc, const PlotFrame& frame)
{
    const QueenPosition range = ShownPosition();
    if (range.x == range.y) {
        return;
    }
    const ui::TRect& r = frame.rect;
    const std::int32_t left = std::max(frame.PixelX(range.x), r.left);
    const std::int32_t right = std::min(frame.PixelX(range.y), r.right);
    if (left >= right) {
        return;
    }
    const std::int32_t saved = dc.SaveDC();
    dc.FillRect(ui::TRect(left, r.top, right, std::min(r.top + kBandHeight, r.bottom)),
                ui::TBrush(FillColour()));
    dc.SelectObject(ui::TPen(PenColour(), 0, ui::PenStyle::Dot));
    for (const std::int32_t x : {left, right - 1}) {
        dc.MoveTo(x, r.top);
        dc.LineTo(x, r.bottom);
    }
    dc.RestoreDC(saved);
}

} // namespace DUdido1

#include "graph/GraphGraticule.h"

#include <cmath>
#include <cstdint>

#include "platform/ui/AxisScale.h"
#include "platform/ui/TDC.h"

namespace DUdido1 {

namespace {

// A regular lattice is given up when it would take more lines than this.
constexpr double kMaxRegularLines = 10000.0;

bool LatticeUsable(std::int32_t first, double step)
{
    return step < 0.0 && std::abs(first / step) <= kMaxRegularLines;
}

// Pixels at origin + offset, walking from the first offset by the
// (negative) step while the offset stays at or above 0, up to the limit.
std::vector<std::int32_t> LatticePixels(std::int32_t origin, std::int32_t first, double step,
                                        std::int32_t limit)
{
    std::vector<std::int32_t> pixels;
    for (double offset = first; offset >= 0.0; offset += step) {
        const auto pixel = static_cast<std::int32_t>(origin + offset);
        if (pixel <= limit) {
            pixels.push_back(pixel);
        }
    }
    return pixels;
}

} // namespace

void GraphGraticule::SetScales(ui::IAxisScale* horizontal, ui::IAxisScale* vertical)
{
    horizontal_ = horizontal;
    vertical_ = vertical;
}

void GraphGraticule::Draw(const std::optional<ui::TRect>& clip, ui::TDC& dc) const
{
    if (!info_.shown || !horizontal_ || !vertical_) {
        return;
    }
    if (clip && !clip->Touches(plotRect_)) {
        return;
    }
    if (horizontal_->PixelExtent() < 2 || vertical_->PixelExtent() < 2) {
        return;
    }
    const std::vector<std::int32_t> xTicks = horizontal_->TickPositions();
    const std::vector<std::int32_t> yTicks = vertical_->TickPositions();
    if (!xTicks.empty() && !yTicks.empty()) {
        DrawAtTicks(dc, xTicks, yTicks);
    } else {
        DrawRegular(dc);
    }
}

void GraphGraticule::DrawAtTicks(ui::TDC& dc, const std::vector<std::int32_t>& xTicks,
                                 const std::vector<std::int32_t>& yTicks) const
{
    std::vector<std::int32_t> xs;
    for (std::int32_t offset : xTicks) {
        const std::int32_t x = plotRect_.left + offset;
        if (x >= plotRect_.left && x < plotRect_.right) {
            xs.push_back(x);
        }
    }
    std::vector<std::int32_t> ys;
    for (std::int32_t offset : yTicks) {
        const std::int32_t y = plotRect_.top + offset;
        if (y >= plotRect_.top && y < plotRect_.bottom) {
            ys.push_back(y);
        }
    }
    DrawLines(dc, xs, ys);
}

void GraphGraticule::DrawRegular(ui::TDC& dc) const
{
    const std::int32_t xFirst = horizontal_->FirstTickOffset();
    const double xStep = horizontal_->TickStepPixels();
    const std::int32_t yFirst = vertical_->FirstTickOffset();
    const double yStep = vertical_->TickStepPixels();
    if (!LatticeUsable(xFirst, xStep) || !LatticeUsable(yFirst, yStep)) {
        return;
    }
    DrawLines(dc, LatticePixels(plotRect_.left, xFirst, xStep, plotRect_.right),
              LatticePixels(plotRect_.top, yFirst, yStep, plotRect_.bottom));
}

void GraphGraticule::DrawLines(ui::TDC& dc, const std::vector<std::int32_t>& xs,
                               const std::vector<std::int32_t>& ys) const
{
    if (info_.dotsOnly) {
        for (std::int32_t x : xs) {
            for (std::int32_t y : ys) {
                dc.SetPixel(x, y, info_.gridColour);
            }
        }
        return;
    }
    const ui::TPen previous = dc.SelectObject(ui::TPen(info_.gridColour, 0, ui::PenStyle::Dot));
    for (std::int32_t x : xs) {
        dc.MoveTo(x, plotRect_.top);
        dc.LineTo(x, plotRect_.bottom);
    }
    for (std::int32_t y : ys) {
        dc.MoveTo(plotRect_.left, y);
        dc.LineTo(plotRect_.right, y);
    }
    dc.SelectObject(previous);
}

} // namespace DUdido1

#include "graph/BinAnnotation.h"

#include <algorithm>
#include <utility>

#include "graph/BinPlotData.h"
#include "platform/ui/TDC.h"

namespace DUdido1 {

namespace {

// Room between the count and the text.
constexpr std::int32_t kGap = 2;

} // namespace

BinAnnotation::BinAnnotation(const BinPlotData& data, std::int32_t bin, VEX::String text,
                             ui::COLORREF colour)
    : data_(data), bin_(bin), text_(std::move(text)), colour_(colour)
{
}

void BinAnnotation::Draw(ui::TDC& dc, const PlotFrame& frame)
{
    const BinSeries bins = data_.Bins();
    if (bin_ < 0 || static_cast<std::size_t>(bin_) >= bins.counts.size() || !(bins.width > 0.0)) {
        return;
    }
    const double edge = bins.first + bin_ * bins.width;
    const std::int32_t centre = (frame.PixelX(edge) + frame.PixelX(edge + bins.width)) / 2;
    const std::int32_t top = std::max(frame.PixelY(bins.counts[static_cast<std::size_t>(bin_)]),
                                      frame.rect.top);
    if (!frame.rect.Contains({centre, top})) {
        return;
    }
    const ui::TSize size = dc.GetTextExtent(text_);
    const std::int32_t saved = dc.SaveDC();
    dc.IntersectClipRect(frame.rect);
    dc.SetBkMode(ui::BkMode::Transparent);
    dc.SetTextColor(colour_);
    dc.TextOut(centre - size.cx / 2, std::max(top - kGap - size.cy, frame.rect.top), text_);
    dc.RestoreDC(saved);
}

} // namespace DUdido1

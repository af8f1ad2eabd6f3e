#include "graph/BinLines.h"

#include <cmath>
#include <utility>

#include "platform/ui/TDC.h"

namespace DUdido1 {

void BinLines::SetLines(double firstBin, double binWidth, std::vector<Line> lines)
{
    firstBin_ = firstBin;
    binWidth_ = binWidth;
    lines_ = std::move(lines);
}

void BinLines::Draw(ui::TDC& dc, const PlotFrame& frame)
{
    if (lines_.empty()) {
        return;
    }
    const auto [left, right] = frame.Domain();
    const std::int32_t saved = dc.SaveDC();
    dc.IntersectClipRect(frame.rect);
    for (const Line& line : lines_) {
        dc.SelectObject(ui::TPen(ui::kBlack, 1, line.dashed ? ui::PenStyle::Dash : ui::PenStyle::Solid));
        std::vector<ui::TPoint> run;
        const auto flush = [&] {
            if (run.size() > 1) {
                dc.Polyline(run);
            }
            run.clear();
        };
        for (std::size_t i = 0; i < line.values.size(); ++i) {
            const double centre = firstBin_ + (static_cast<double>(i) + 0.5) * binWidth_;
            if (centre < left - binWidth_ || centre > right + binWidth_ || !std::isfinite(line.values[i])) {
                flush();
                continue;
            }
            run.emplace_back(frame.PixelX(centre), frame.PixelY(line.values[i]));
        }
        flush();
    }
    dc.RestoreDC(saved);
}

} // namespace DUdido1

#include "graph/BinLines.h"

#include <cmath>
#include <utility>

#include "platform/ui/TDC.h"

namespace DUdido1 {

void DrawBinPolylines(ui::TDC& dc, const std::vector<double>& values, double firstBin, double binWidth,
                      std::pair<double, double> visible, const std::function<ui::TPoint(double, double)>& toPixel)
{
    std::vector<ui::TPoint> run;
    const auto flush = [&] {
        if (run.size() > 1) {
            dc.Polyline(run);
        }
        run.clear();
    };
    for (std::size_t i = 0; i < values.size(); ++i) {
        const double centre = firstBin + (static_cast<double>(i) + 0.5) * binWidth;
        if (centre < visible.first || centre > visible.second || !std::isfinite(values[i])) {
            flush();
            continue;
        }
        run.push_back(toPixel(centre, values[i]));
    }
    flush();
}

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
    const auto toPixel = [&frame](double x, double y) { return ui::TPoint(frame.PixelX(x), frame.PixelY(y)); };
    for (const Line& line : lines_) {
        dc.SelectObject(ui::TPen(ui::kBlack, 1, line.dashed ? ui::PenStyle::Dash : ui::PenStyle::Solid));
        DrawBinPolylines(dc, line.values, firstBin_, binWidth_, {left - binWidth_, right + binWidth_}, toPixel);
    }
    dc.RestoreDC(saved);
}

} // namespace DUdido1

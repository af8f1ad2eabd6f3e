#include "graph/PointPlotter.h"

#include <algorithm>
#include <stdexcept>
#include <vector>

#include "graph/PlotData.h"
#include "platform/ui/TDC.h"

namespace DUdido1 {

void PointPlotter::SetPlotData(PlotDataBase* data, bool owned)
{
    if (data && !dynamic_cast<PlotData*>(data)) {
        throw std::invalid_argument("Wrong data format");
    }
    Plotter::SetPlotData(data, owned);
}

void PointPlotter::Draw(ui::TDC& dc, const PlotFrame& frame)
{
    const auto* data = static_cast<const PlotData*>(Data());
    if (!data) {
        return;
    }
    // As symbol sizes are given everywhere in the graphs: at least 2 pixels.
    const std::int32_t dpi = dc.GetDeviceCaps(ui::DeviceCap::LogPixelsX);
    const std::int32_t side =
        symbolPoints_ == 0 ? 0 : std::max(static_cast<std::int32_t>(symbolPoints_ * dpi / 72.0), 2);
    const ui::TBrush brush(Colour());
    // Dense data puts many points on one pixel; each is drawn once.
    const ui::TRect& r = frame.rect;
    std::vector<bool> drawn(static_cast<std::size_t>(r.Width()) * static_cast<std::size_t>(r.Height()));
    const std::int64_t count = data->PointCount();
    for (std::int64_t i = 0; i < count; ++i) {
        const ui::TPoint p{frame.PixelX(data->X(i)), frame.PixelY(data->Y(i))};
        if (!r.Contains(p)) {
            continue;
        }
        const std::size_t pixel = static_cast<std::size_t>(p.y - r.top) * static_cast<std::size_t>(r.Width()) +
                                  static_cast<std::size_t>(p.x - r.left);
        if (drawn[pixel]) {
            continue;
        }
        drawn[pixel] = true;
        if (side == 0) {
            dc.SetPixel(p, Colour());
        } else {
            const ui::TPoint corner = p.OffsetBy(-side / 2, -side / 2);
            dc.FillRect(ui::TRect(corner, ui::TSize(side, side)), brush);
        }
    }
}

} // namespace DUdido1

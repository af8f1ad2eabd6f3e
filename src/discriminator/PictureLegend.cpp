#include "discriminator/PictureLegend.h"

#include <algorithm>

#include "platform/ui/GdiObjects.h"
#include "platform/ui/TDC.h"

namespace Nerolith {

namespace ui = platform::ui;

ui::TRect DrawLegend(ui::TDC& dc, const ui::TRect& rect, const VEX::String& title,
                     const std::vector<LegendEntry>& entries)
{
    const std::int32_t saved = dc.SaveDC();
    dc.SelectObject(ui::TFont(VEX::String(u"DejaVu Sans"), 13));
    dc.SetBkMode(ui::BkMode::Transparent);
    const std::int32_t line = std::max<std::int32_t>(dc.GetTextExtent(VEX::String(u"Ag")).cy, 12);
    const std::int32_t strip = line + 10;
    dc.FillRect(ui::TRect(rect.left, rect.top, rect.right, rect.top + strip), ui::TBrush::White());
    dc.SetTextColor(ui::kBlack);
    std::int32_t x = rect.left + 8;
    const std::int32_t y = rect.top + 5;
    dc.TextOut(x, y, title);
    x += dc.GetTextExtent(title).cx + 24;
    for (const LegendEntry& entry : entries) {
        const std::int32_t side = line * 2 / 3;
        dc.FillRect(ui::TRect(x, y + (line - side) / 2, x + side, y + (line - side) / 2 + side),
                    ui::TBrush(entry.colour));
        x += side + 4;
        dc.TextOut(x, y, entry.name);
        x += dc.GetTextExtent(entry.name).cx + 14;
    }
    dc.RestoreDC(saved);
    return ui::TRect(rect.left, std::min(rect.top + strip, rect.bottom), rect.right, rect.bottom);
}

} // namespace Nerolith

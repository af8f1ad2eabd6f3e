#include "graph/GraphWindowBase.h"

#include <algorithm>

#include "platform/ui/TDC.h"
#include "platform/ui/TMemoryDC.h"

namespace DUdido1 {

GraphWindowBase::GraphWindowBase(ui::TWindow* parent, const VEX::String& title) : ui::TWindow(parent, title)
{
}

void GraphWindowBase::SetMargins(const GraphMargins& margins)
{
    margins_ = margins;
    MarginsChanged();
}

void GraphWindowBase::MarginsChanged()
{
    Invalidate(false);
}

ui::TRect GraphWindowBase::DrawingArea() const
{
    return DrawingArea(GetClientRect());
}

ui::TRect GraphWindowBase::DrawingArea(const ui::TRect& rect) const
{
    const ui::TRect area(rect.left + margins_.left, rect.top + margins_.top, rect.right - margins_.right,
                         rect.bottom - margins_.bottom);
    return {area.left, area.top, std::max(area.right, area.left), std::max(area.bottom, area.top)};
}

void GraphWindowBase::DrawContent(ui::TDC& dc, bool, const ui::TRect& rect)
{
    dc.FillRect(rect, ui::TBrush::LightGray());
}

void GraphWindowBase::Paint(ui::TDC& dc, bool, ui::TRect&)
{
    const ui::TRect client = GetClientRect();
    if (client.IsEmpty()) {
        return;
    }
    if (client.Width() != offscreenWidth_ || client.Height() != offscreenHeight_) {
        offscreen_ = ui::TBitmap(client.Width(), client.Height());
        offscreenWidth_ = client.Width();
        offscreenHeight_ = client.Height();
        ++bitmapsMade_;
    }
    {
        ui::TMemoryDC memory(offscreen_);
        memory.FillRect(client, ui::TBrush::White());
        DrawContent(memory, true, client);
    }
    dc.BitBlt(client, offscreen_);
}

void GraphWindowBase::EvRButtonDown(std::uint32_t, const ui::TPoint& point)
{
    GraphMenu& menu = ContextMenu();
    if (menuEnabled_ && !menu.IsEmpty()) {
        const ui::TPoint screen = ClientToScreen(point);
        menu.Show(this, screen.x, screen.y);
    }
}

} // namespace DUdido1

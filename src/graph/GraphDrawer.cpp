#include "graph/GraphDrawer.h"

#include "platform/ui/TDC.h"

namespace DUdido1 {

void GraphDrawer::Draw(ui::TDC& dc, const PlotFrame& frame)
{
    dc.DrawText(u"You forgot the OnDraw handler", frame.rect,
                ui::DT_CENTER | ui::DT_VCENTER | ui::DT_SINGLELINE);
}

void GraphDrawer::Receive(MessSys::Message&)
{
}

} // namespace DUdido1

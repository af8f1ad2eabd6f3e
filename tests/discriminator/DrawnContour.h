#pragma once

#include <vector>

#include "discriminator/ScatterPlot.h"
#include "platform/ui/Automation.h"

namespace TestSupport {

// Draws a free-hand contour with the mouse just inside the scatter plot's
// frame, around every point the plot shows.
inline void DrawContourAroundEverything(Nerolith::ScatterPlot& scatter)
{
    namespace automation = platform::ui::automation;
    using platform::ui::TPoint;
    const platform::ui::TRect r = scatter.Graph().CurrentFrame().rect;
    const std::vector<TPoint> path{{r.left + 3, r.top + 3},
                                   {r.right - 3, r.top + 3},
                                   {r.right - 3, r.bottom - 3},
                                   {r.left + 3, r.bottom - 3},
                                   {r.left + 3, r.top + 4}};
    auto& graph = scatter.Graph();
    automation::SendMouse(graph, automation::MouseAction::Press, automation::MouseButton::Left, path.front());
    for (std::size_t i = 1; i < path.size(); ++i) {
        automation::SendMouse(graph, automation::MouseAction::Move, automation::MouseButton::None, path[i]);
    }
    automation::SendMouse(graph, automation::MouseAction::Release, automation::MouseButton::Left, path.back());
}

} // namespace TestSupport

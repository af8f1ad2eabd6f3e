#pragma once

#include "graph/Graph2DDrawer.h"
#include "graph/GraphMenu.h"

namespace DUdido1 {

class BinPlotter;

// The drawer of a histogram: a 2-D drawer whose context menu picks the plot
// style of its histogram plotter (the first bin plotter added).
class HistogramDrawer : public Graph2DDrawer {
public:
    HistogramDrawer();

    GraphMenu& StyleMenu() { return styleMenu_; }
    // None until a bin plotter is added.
    BinPlotter* HistogramPlotter() const;

    // The style menu's messages: the current style checked, a choice
    // applied.
    void Receive(MessSys::Message& message) override;

private:
    GraphMenu styleMenu_;
};

} // namespace DUdido1

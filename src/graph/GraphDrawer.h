#pragma once

#include "graph/MessageReceiver.h"
#include "graph/PlotFrame.h"

namespace platform::ui {
class TDC;
}

namespace DUdido1 {

// Base of everything drawn inside a graph: plotters, annotations, queens.
class GraphDrawer : public MessSys::MessageReceiver {
public:
    // Draws into the frame's plot rectangle. The base writes a reminder, so
    // that a drawable that forgot to draw shows it.
    virtual void Draw(ui::TDC& dc, const PlotFrame& frame);
    void Receive(MessSys::Message& message) override;
};

} // namespace DUdido1

#pragma once

#include "graph/MessageSender.h"

namespace DUdido1 {

class Plotter;

// Common base of drawers: what its parts need to ask for a repaint, and the
// list of receivers told of its messages.
class GraphBase : public MessSys::MessageSender {
public:
    // Asks for the graph to be painted again (soon, not now).
    virtual void Redraw() = 0;
    // A plotter the graph does not own is being destroyed: the graph must
    // drop it, whichever of the two goes first.
    virtual void ForgetPlotter(const Plotter* plotter) = 0;
};

} // namespace DUdido1

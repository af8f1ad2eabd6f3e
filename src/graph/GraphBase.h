#pragma once

#include "graph/MessageSender.h"

namespace DUdido1 {

// Common base of drawers: what its parts need to ask for a repaint, and the
// list of receivers told of its messages.
class GraphBase : public MessSys::MessageSender {
public:
    // Asks for the graph to be painted again (soon, not now).
    virtual void Redraw() = 0;
};

} // namespace DUdido1

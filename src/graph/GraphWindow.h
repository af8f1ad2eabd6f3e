#pragma once

#include "graph/GraphWindowBase.h"

namespace DUdido1 {

// A graph window that is also its drawer.
template <class Drawer>
class GraphWindow : public GraphWindowBase, public Drawer {
public:
    explicit GraphWindow(ui::TWindow* parent, const VEX::String& title = {}) : GraphWindowBase(parent, title)
    {
        Drawer::SetWindow(this);
    }
};

} // namespace DUdido1

#pragma once

#include "graph/Graph2DWindowBase.h"

namespace DUdido1 {

// The plain XY graph window.
class Graph2DWindow : public Graph2DWindowBase<Graph2DDrawer> {
public:
    explicit Graph2DWindow(ui::TWindow* parent) : Graph2DWindowBase(parent, u"XYC Spike Scatter Plot") {}
};

} // namespace DUdido1

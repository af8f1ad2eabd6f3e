#pragma once

#include "graph/Graph2DWindowBase.h"
#include "graph/HistogramDrawer.h"

namespace DUdido1 {

// The histogram graph window; its context menu is the style menu.
class HistogramWindow : public Graph2DWindowBase<HistogramDrawer> {
public:
    explicit HistogramWindow(ui::TWindow* parent) : Graph2DWindowBase(parent, u"Histogram") {}

protected:
    GraphMenu& ContextMenu() override { return StyleMenu(); }
};

} // namespace DUdido1

#pragma once

#include "graph/GraphDrawer.h"

namespace DUdido1 {

// A left click in the plot, as annotations are told of it.
struct ClickEvent {
    ui::TPoint point; // in the window's client area
    PlotPointer pointer;
    PlotFrame frame;
};

// A drawable placed on a graph that the drawer offers each click.
class Annotation : public GraphDrawer {
public:
    // True when the annotation handled the click; later ones are then not
    // asked.
    virtual bool Click(const ClickEvent& click);
};

// An annotation that only listens: it draws nothing and handles clicks.
class ClickAnnotation : public Annotation {
public:
    void Draw(ui::TDC& dc, const PlotFrame& frame) override;
    bool Click(const ClickEvent& click) override = 0;
};

} // namespace DUdido1

#pragma once

#include <memory>

#include "graph/GraphDragScale.h"
#include "platform/ui/AxisScale.h"

namespace DUdido1 {

namespace ui = platform::ui;

// The axis beside a graph window: creates the host's scale component as a
// child of the window, watches it, and turns what the user does to it into
// messages for its receivers. When the component cannot be created the axis
// simply has none.
class GraphDragScaleWindow : public GraphDragScale, public ui::IDragScaleObserver {
public:
    GraphDragScaleWindow(ui::TWindow& parent, ui::AxisOrientation orientation);
    GraphDragScaleWindow(const GraphDragScaleWindow&) = delete;
    GraphDragScaleWindow& operator=(const GraphDragScaleWindow&) = delete;
    ~GraphDragScaleWindow() override;

    // None when the component could not be created.
    ui::IAxisScale* Scale() const { return scale_.get(); }

    void OnBeginDrag(ui::IAxisScale& scale) override;
    void OnEndDrag(ui::IAxisScale& scale) override;
    void OnScalingChanged(ui::IAxisScale& scale) override;
    void OnAutoScale(ui::IAxisScale& scale) override;

private:
    std::unique_ptr<ui::IAxisScale> scale_;
};

} // namespace DUdido1

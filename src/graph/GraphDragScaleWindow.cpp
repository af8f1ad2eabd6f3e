#include "graph/GraphDragScaleWindow.h"

#include "graph/GraphMessages.h"

namespace DUdido1 {

GraphDragScaleWindow::GraphDragScaleWindow(ui::TWindow& parent, ui::AxisOrientation orientation)
    : GraphDragScale(orientation == ui::AxisOrientation::Horizontal ? kHorizontalScaleId : kVerticalScaleId),
      scale_(ui::CreateAxisScale(parent, orientation))
{
    if (scale_) {
        scale_->Attach(this);
    }
}

GraphDragScaleWindow::~GraphDragScaleWindow()
{
    if (scale_) {
        scale_->Detach(this);
    }
}

void GraphDragScaleWindow::OnBeginDrag(ui::IAxisScale&)
{
    SendBeginDrag();
}

void GraphDragScaleWindow::OnEndDrag(ui::IAxisScale&)
{
    SendEndDrag();
}

void GraphDragScaleWindow::OnScalingChanged(ui::IAxisScale& scale)
{
    const auto [minimum, maximum] = scale.GetExtent();
    SendScalingChanged(minimum, maximum);
}

void GraphDragScaleWindow::OnAutoScale(ui::IAxisScale&)
{
    SendAutoScale();
}

} // namespace DUdido1

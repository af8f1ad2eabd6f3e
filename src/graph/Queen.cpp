#include "graph/Queen.h"

#include "graph/QueenController.h"

namespace DUdido1 {

Queen::~Queen()
{
    if (controller_) {
        controller_->Forget(this);
    }
}

void Queen::DrawFeedback(ui::TDC&, const PlotFrame&)
{
}

void Queen::BeginTrack(const PlotPointer&)
{
}

void Queen::Track(const PlotPointer& pointer)
{
    const QueenPosition next = Constrain({pointer.x + dragOffset_.x, pointer.y + dragOffset_.y});
    if (next != dragPosition_) {
        const QueenPosition previous = dragPosition_;
        dragPosition_ = next;
        SendChanged(previous, next);
    }
    RequestRedraw();
}

void Queen::EndTrack(const PlotPointer& pointer)
{
    dragPosition_ = Constrain({pointer.x + dragOffset_.x, pointer.y + dragOffset_.y});
    Settle(dragPosition_);
    SendTrackEnd();
    RequestRedraw();
}

void Queen::SetPosition(double x, double y)
{
    if (!tracking_) {
        position_ = {x, y};
        dragPosition_ = position_;
    }
}

void Queen::SetVisible(bool visible)
{
    if (visible != visible_) {
        visible_ = visible;
        RequestRedraw();
    }
}

QueenPosition Queen::Constrain(QueenPosition position) const
{
    return position;
}

void Queen::SendChanged(QueenPosition from, QueenPosition to)
{
    MessageQueenChanged message(*this, kind_, from, to);
    Send(message);
}

void Queen::SendTrackEnd()
{
    MessageQueenTrackEnd message(*this, kind_, position_, dragPosition_);
    Send(message);
}

void Queen::Settle(QueenPosition end)
{
    moved_ = end != position_;
    if (moved_) {
        const QueenPosition previous = position_;
        position_ = end;
        dragOffset_ = {};
        SendChanged(previous, end);
    }
}

void Queen::RequestRedraw()
{
    if (controller_) {
        controller_->RequestRedraw();
    }
}

void Queen::Adopted(QueenController* controller, std::int32_t handleSize, const PlotFrame& frame)
{
    controller_ = controller;
    handleSize_ = handleSize;
    frame_ = frame;
    visible_ = true;
}

void Queen::StartDrag(const PlotPointer& pointer)
{
    tracking_ = true;
    moved_ = false;
    dragOffset_ = {position_.x - pointer.x, position_.y - pointer.y};
    dragPosition_ = position_;
}

} // namespace DUdido1

#include "graph/QueenController.h"

#include <algorithm>

#include "graph/Queen.h"

namespace DUdido1 {

QueenController::~QueenController()
{
    for (const Entry& entry : queens_) {
        entry.queen->Released();
        if (entry.owned) {
            delete entry.queen;
        }
    }
}

void QueenController::Adopt(Queen* queen, bool owned)
{
    if (!queen) {
        return;
    }
    if (std::any_of(queens_.begin(), queens_.end(), [&](const Entry& e) { return e.queen == queen; })) {
        return;
    }
    queen->Adopted(this, handleSize_, frame_);
    queens_.push_back({queen, owned});
    RequestRedraw();
}

bool QueenController::Remove(Queen* queen)
{
    const auto it = std::find_if(queens_.begin(), queens_.end(), [&](const Entry& e) { return e.queen == queen; });
    if (it == queens_.end()) {
        return false;
    }
    const Entry entry = *it;
    queens_.erase(it);
    if (tracked_ == queen) {
        tracked_ = nullptr;
        queen->StopDrag();
    }
    entry.queen->Released();
    if (entry.owned) {
        delete entry.queen;
    }
    RequestRedraw();
    return true;
}

void QueenController::Forget(Queen* queen)
{
    std::erase_if(queens_, [&](const Entry& e) { return e.queen == queen; });
    if (tracked_ == queen) {
        tracked_ = nullptr;
    }
    if (forget_) {
        forget_(queen);
    }
}

Queen* QueenController::At(std::int32_t index) const
{
    return index >= 0 && index < Count() ? queens_[static_cast<std::size_t>(index)].queen : nullptr;
}

void QueenController::SetFrame(const PlotFrame& frame)
{
    frame_ = frame;
    for (const Entry& entry : queens_) {
        entry.queen->SetFrame(frame);
    }
}

void QueenController::RequestRedraw()
{
    if (redraw_) {
        redraw_();
    }
}

Queen* QueenController::HitTest(const PlotPointer& pointer) const
{
    Queen* nearest = nullptr;
    double nearestDistance = 0.0;
    for (const Entry& entry : queens_) {
        Queen* queen = entry.queen;
        if (!queen->IsVisible() || !queen->IsHitTestable()) {
            continue;
        }
        const double distance = queen->HitDistance(pointer.pixel.x, pointer.pixel.y);
        if (distance <= hitTolerance_ && (!nearest || distance < nearestDistance)) {
            nearest = queen;
            nearestDistance = distance;
        }
    }
    return nearest;
}

void QueenController::MoveToFront(Queen* queen)
{
    const auto it = std::find_if(queens_.begin(), queens_.end(), [&](const Entry& e) { return e.queen == queen; });
    std::rotate(queens_.begin(), it, it + 1);
}

bool QueenController::MouseDown(const ui::TPoint& point)
{
    if (!frame_.rect.Contains(point)) {
        return false;
    }
    pressed_ = true;
    MessageQueenControllerTrackBegin begin;
    Send(begin);
    const PlotPointer pointer = frame_.PointerAt(point);
    Queen* queen = HitTest(pointer);
    if (!queen) {
        return false;
    }
    MoveToFront(queen);
    tracked_ = queen;
    queen->StartDrag(pointer);
    queen->BeginTrack(pointer);
    return true;
}

void QueenController::MouseMove(const ui::TPoint& point)
{
    if (tracked_) {
        tracked_->Track(frame_.PointerAt(point));
    }
}

bool QueenController::KeyDown(std::uint32_t key)
{
    return !queens_.empty() && queens_.front().queen->IsVisible() && queens_.front().queen->KeyDown(key);
}

void QueenController::MouseUp(const ui::TPoint& point)
{
    if (Queen* queen = tracked_) {
        queen->EndTrack(frame_.PointerAt(point));
        // EndTrack's receivers may have removed the queen.
        if (tracked_ == queen) {
            tracked_ = nullptr;
            queen->StopDrag();
        }
    }
    if (pressed_) {
        pressed_ = false;
        MessageQueenControllerTrackEnd end;
        Send(end);
    }
}

void QueenController::Draw(ui::TDC& dc, const PlotFrame& frame)
{
    const auto shown = [this](const Queen& queen) {
        return queen.IsVisible() && (!drawingPicture_ || queen.IsInPictures());
    };
    for (auto it = queens_.rbegin(); it != queens_.rend(); ++it) {
        if (shown(*it->queen)) {
            it->queen->DrawFeedback(dc, frame);
        }
    }
    for (auto it = queens_.rbegin(); it != queens_.rend(); ++it) {
        if (shown(*it->queen)) {
            it->queen->Draw(dc, frame);
        }
    }
}

} // namespace DUdido1

#pragma once

#include <cstdint>

#include "graph/GraphDrawer.h"
#include "graph/MessageSender.h"
#include "graph/QueenMessages.h"
#include "platform/ui/Color.h"

namespace DUdido1 {

class QueenController;

// The kinds a queen carries in its messages, fixed by its class.
inline constexpr std::int32_t kQueenKindBlob = 1;
inline constexpr std::int32_t kQueenKindFreeHand = 2;
inline constexpr std::int32_t kQueenKindSelection = 3;
inline constexpr std::int32_t kQueenKindPolygon = 4;

// An interactive handle on a 2-D graph: drawn by its graph's controller and
// dragged with the mouse. While dragged it follows the pointer at the
// offset between where it was grabbed and its position ("drag position");
// the drag's end makes that its position. Receivers attached to the queen
// are told of changes (MessageQueenChanged) and of the drag's end
// (MessageQueenTrackEnd).
class Queen : public GraphDrawer, public MessSys::MessageSender {
public:
    explicit Queen(std::int32_t kind) : kind_(kind) {}
    ~Queen() override;

    std::int32_t Kind() const { return kind_; }

    // How near the pointer (pixels from the plot's top-left corner) is;
    // smaller is nearer.
    virtual double HitDistance(std::int32_t x, std::int32_t y) const = 0;
    // The part drawn under all queens.
    virtual void DrawFeedback(ui::TDC& dc, const PlotFrame& frame);
    virtual void BeginTrack(const PlotPointer& pointer);
    virtual void Track(const PlotPointer& pointer);
    virtual void EndTrack(const PlotPointer& pointer);
    // A key pressed while the queen was the last one grabbed; true when it
    // acted on it.
    virtual bool KeyDown(std::uint32_t) { return false; }

    QueenPosition Position() const { return position_; }
    QueenPosition DragPosition() const { return dragPosition_; }
    QueenPosition DragOffset() const { return dragOffset_; }
    // Moves the queen and its drag origin there (not while it is dragged).
    void SetPosition(double x, double y);

    ui::COLORREF PenColour() const { return penColour_; }
    void SetPenColour(ui::COLORREF colour) { penColour_ = colour; }
    ui::COLORREF FillColour() const { return fillColour_; }
    void SetFillColour(ui::COLORREF colour) { fillColour_ = colour; }

    bool IsVisible() const { return visible_; }
    void SetVisible(bool visible);
    bool IsTracking() const { return tracking_; }
    // True when the last drag changed the position.
    bool HasMoved() const { return moved_; }
    // Whether copies and printouts show the queen; editing handles stay off
    // them.
    bool IsInPictures() const { return inPictures_; }
    void SetInPictures(bool inPictures) { inPictures_ = inPictures; }
    bool IsHitTestable() const { return hitTestable_; }
    void SetHitTestable(bool hitTestable) { hitTestable_ = hitTestable; }

    // Where the queen is drawn and hit-tested; set by its controller.
    const PlotFrame& Frame() const { return frame_; }
    void SetFrame(const PlotFrame& frame) { frame_ = frame; }
    // The size in pixels of grab handles, handed over by the controller.
    std::int32_t HandleSize() const { return handleSize_; }

protected:
    // Where the queen shows: the drag position while it is dragged.
    QueenPosition ShownPosition() const { return tracking_ ? dragPosition_ : position_; }
    // Keeps a drag position where the queen may go; the base keeps any.
    virtual QueenPosition Constrain(QueenPosition position) const;
    void SetDragPosition(QueenPosition position) { dragPosition_ = position; }
    void SendChanged(QueenPosition from, QueenPosition to);
    void SendTrackEnd();
    // Moves the position at the end of a drag: sets the moved flag and tells
    // the receivers when it changed.
    void Settle(QueenPosition end);
    void RequestRedraw();

private:
    // The two that track drags: the controller for its queens, the drawer
    // for its selection.
    friend class QueenController;
    friend class Graph2DDrawer;
    void Adopted(QueenController* controller, std::int32_t handleSize, const PlotFrame& frame);
    void Released() { controller_ = nullptr; }
    void StartDrag(const PlotPointer& pointer);
    void StopDrag() { tracking_ = false; }

    std::int32_t kind_;
    PlotFrame frame_;
    QueenPosition position_;
    QueenPosition dragPosition_;
    QueenPosition dragOffset_;
    ui::COLORREF penColour_ = ui::kBlack;
    ui::COLORREF fillColour_ = ui::kGray;
    bool visible_ = false;
    bool tracking_ = false;
    bool moved_ = false;
    bool hitTestable_ = true;
    bool inPictures_ = true;
    std::int32_t handleSize_ = 8;
    QueenController* controller_ = nullptr;
};

} // namespace DUdido1

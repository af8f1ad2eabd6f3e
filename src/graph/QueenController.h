#pragma once

#include <cstdint>
#include <functional>
#include <limits>
#include <utility>
#include <vector>

#include "graph/GraphDrawer.h"
#include "graph/MessageSender.h"

namespace DUdido1 {

class Queen;

// Owns the queens of one graph: draws them, finds the one the user grabs on
// a button press (the nearest within the hit tolerance; the earlier in the
// list on equal distances), moves it to the front and tracks the drag.
// Receivers are told when a press in the plot begins tracking and when the
// button is released.
class QueenController : public GraphDrawer, public MessSys::MessageSender {
public:
    QueenController() = default;
    QueenController(const QueenController&) = delete;
    QueenController& operator=(const QueenController&) = delete;
    ~QueenController() override;

    // The queen becomes visible, takes the graph's frame and goes to the end
    // of the list. Owned queens are deleted with the controller.
    void Adopt(Queen* queen, bool owned = false);
    // Takes the queen out of the list (deleting it if owned); false when it
    // is not there.
    bool Remove(Queen* queen);
    std::int32_t Count() const { return static_cast<std::int32_t>(queens_.size()); }
    // The first is the topmost. None for an index out of range.
    Queen* At(std::int32_t index) const;
    Queen* TrackedQueen() const { return tracked_; }

    // The graph's frame, handed on to every queen.
    void SetFrame(const PlotFrame& frame);
    const PlotFrame& Frame() const { return frame_; }
    void SetHitTolerance(double tolerance) { hitTolerance_ = tolerance; }
    double HitTolerance() const { return hitTolerance_; }
    // Called when a queen needs repainting.
    void SetRedrawHandler(std::function<void()> handler) { redraw_ = std::move(handler); }
    void RequestRedraw();

    // Points in the window's client area. MouseDown is true when a queen
    // was grabbed.
    bool MouseDown(const ui::TPoint& point);
    void MouseMove(const ui::TPoint& point);
    void MouseUp(const ui::TPoint& point);
    // Offered to the queen grabbed last; true when it acted on the key.
    bool KeyDown(std::uint32_t key);

    // Feedback of every visible queen, then the queens themselves, both from
    // the last to the first, so the first is drawn on top.
    void Draw(ui::TDC& dc, const PlotFrame& frame) override;
    // While set, Draw leaves out the queens kept off pictures.
    void SetDrawingPicture(bool picture) { drawingPicture_ = picture; }

    // A queen that is being destroyed leaves the list; the forget handler
    // hears of it too, for the queens adopted outside the list.
    void Forget(Queen* queen);
    void SetForgetHandler(std::function<void(Queen*)> handler) { forget_ = std::move(handler); }

private:
    struct Entry {
        Queen* queen;
        bool owned;
    };
    Queen* HitTest(const PlotPointer& pointer) const;
    void MoveToFront(Queen* queen);

    std::vector<Entry> queens_;
    Queen* tracked_ = nullptr;
    bool pressed_ = false;
    double hitTolerance_ = std::numeric_limits<double>::max();
    // Handed to each adopted queen as its grab handle size in pixels.
    std::int32_t handleSize_ = 8;
    bool drawingPicture_ = false;
    PlotFrame frame_;
    std::function<void()> redraw_;
    std::function<void(Queen*)> forget_;
};

} // namespace DUdido1

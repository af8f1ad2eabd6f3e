#pragma once

#include "graph/Queen.h"

namespace DUdido1 {

// A range of x values marked on a graph, chosen by dragging across the plot
// and snapped to whole bins: its start is the lower edge of the lowest bin
// touched, its end the upper edge of the highest. A click without a drag
// clears it. Its position holds the range: x the start, y the end; the
// range is active unless start equals end.
class SelectionQueen : public Queen {
public:
    SelectionQueen();

    // Bins start at origin and are width wide; a width not above zero
    // leaves the range where the pointer put it.
    void SetSnap(double origin, double width);
    void SetSelection(double start, double end);
    void Clear() { SetSelection(0.0, 0.0); }
    double Start() const { return Position().x; }
    double End() const { return Position().y; }
    bool IsActive() const { return Start() != End(); }

    // The squared horizontal pixel distance from the nearer edge.
    double HitDistance(std::int32_t x, std::int32_t y) const override;
    void BeginTrack(const PlotPointer& pointer) override;
    void Track(const PlotPointer& pointer) override;
    void EndTrack(const PlotPointer& pointer) override;
    // Edge lines and a band along the top of the plot.
    void Draw(ui::TDC& dc, const PlotFrame& frame) override;

private:
    QueenPosition Snapped(double from, double to) const;

    double snapOrigin_ = 0.0;
    double snapWidth_ = 0.0;
    double anchor_ = 0.0;
    ui::TPoint pressPixel_;
    bool dragged_ = false;
};

} // namespace DUdido1

#pragma once

#include <vector>

#include "graph/Queen.h"

namespace DUdido1 {

// A shape drawn with the mouse: every press that grabs it starts a new
// shape, and each pointer move to another pixel adds a point. Shown as a
// polyline, closed back to its first point once the drawing has ended.
class QueenFreeHand : public Queen {
public:
    QueenFreeHand();

    // Always 4: with the nearest-wins rule the shape is the fallback, so a
    // press less than 2 pixels from another handle grabs that handle.
    double HitDistance(std::int32_t x, std::int32_t y) const override;
    void BeginTrack(const PlotPointer& pointer) override;
    void Track(const PlotPointer& pointer) override;
    void Draw(ui::TDC& dc, const PlotFrame& frame) override;

    // The points in data units, both lists of the same length.
    const std::vector<double>& Xs() const { return xs_; }
    const std::vector<double>& Ys() const { return ys_; }
    std::size_t PointCount() const { return xs_.size(); }
    void ClearPoints();

private:
    void AddPoint(const PlotPointer& pointer);

    std::vector<double> xs_;
    std::vector<double> ys_;
    ui::TPoint lastPointer_;
};

} // namespace DUdido1

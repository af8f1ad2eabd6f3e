#pragma once

#include <cstddef>
#include <optional>
#include <vector>

#include "graph/Queen.h"

namespace DUdido1 {

// A closed polygon edited in place: an outline with a grab handle on each
// vertex. A press on a handle drags that vertex; a press on an edge puts a
// new vertex there and drags it; Delete removes the vertex grabbed last,
// never leaving fewer than three. Each finished edit is told as the end of
// a drag (MessageQueenTrackEnd).
class QueenPolygon : public Queen {
public:
    QueenPolygon();

    // Not while a vertex is dragged.
    void SetVertices(std::vector<double> xs, std::vector<double> ys);
    const std::vector<double>& Xs() const { return xs_; }
    const std::vector<double>& Ys() const { return ys_; }

    // 0 on a handle, 1 on an edge (so either wins over a free-hand shape),
    // far elsewhere.
    double HitDistance(std::int32_t x, std::int32_t y) const override;
    void BeginTrack(const PlotPointer& pointer) override;
    void Track(const PlotPointer& pointer) override;
    void EndTrack(const PlotPointer& pointer) override;
    void Draw(ui::TDC& dc, const PlotFrame& frame) override;
    bool KeyDown(std::uint32_t key) override;

    std::optional<std::size_t> GrabbedVertex() const { return grabbed_; }

private:
    ui::TPoint VertexPixel(std::size_t i) const;
    std::optional<std::size_t> VertexNear(const ui::TPoint& pixel) const;
    // The edge (from vertex i to the next) the pixel lies on, if any.
    std::optional<std::size_t> EdgeNear(const ui::TPoint& pixel) const;

    std::vector<double> xs_;
    std::vector<double> ys_;
    std::optional<std::size_t> grabbed_;
};

} // namespace DUdido1

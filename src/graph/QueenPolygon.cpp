#include "graph/QueenPolygon.h"

#include <algorithm>
#include <cmath>

#include "platform/ui/TDC.h"
#include "platform/ui/TWindow.h"

namespace DUdido1 {
namespace {

constexpr double kOnHandle = 0.0;
constexpr double kOnEdge = 1.0;
constexpr double kElsewhere = 1e30;
// How far from an edge a press still lands on it, in pixels.
constexpr double kEdgeReach = 3.0;
constexpr std::size_t kFewestVertices = 3;

double DistanceToSegment(const ui::TPoint& p, const ui::TPoint& a, const ui::TPoint& b)
{
    const double dx = b.x - a.x;
    const double dy = b.y - a.y;
    const double length = dx * dx + dy * dy;
    double t = length == 0.0 ? 0.0 : ((p.x - a.x) * dx + (p.y - a.y) * dy) / length;
    t = std::clamp(t, 0.0, 1.0);
    return std::hypot(p.x - (a.x + t * dx), p.y - (a.y + t * dy));
}

} // namespace

QueenPolygon::QueenPolygon() : Queen(kQueenKindPolygon)
{
}

void QueenPolygon::SetVertices(std::vector<double> xs, std::vector<double> ys)
{
    if (IsTracking() || xs.size() != ys.size()) {
        return;
    }
    xs_ = std::move(xs);
    ys_ = std::move(ys);
    grabbed_.reset();
    RequestRedraw();
}

ui::TPoint QueenPolygon::VertexPixel(std::size_t i) const
{
    const PlotFrame& frame = Frame();
    return {frame.PixelX(xs_[i]) - frame.rect.left, frame.PixelY(ys_[i]) - frame.rect.top};
}

std::optional<std::size_t> QueenPolygon::VertexNear(const ui::TPoint& pixel) const
{
    const std::int32_t reach = HandleSize() / 2 + 1;
    for (std::size_t i = 0; i < xs_.size(); ++i) {
        const ui::TPoint vertex = VertexPixel(i);
        if (std::abs(vertex.x - pixel.x) <= reach && std::abs(vertex.y - pixel.y) <= reach) {
            return i;
        }
    }
    return std::nullopt;
}

std::optional<std::size_t> QueenPolygon::EdgeNear(const ui::TPoint& pixel) const
{
    for (std::size_t i = 0; i < xs_.size(); ++i) {
        const std::size_t next = (i + 1) % xs_.size();
        if (DistanceToSegment(pixel, VertexPixel(i), VertexPixel(next)) <= kEdgeReach) {
            return i;
        }
    }
    return std::nullopt;
}

double QueenPolygon::HitDistance(std::int32_t x, std::int32_t y) const
{
    if (xs_.size() < kFewestVertices) {
        return kElsewhere;
    }
    if (VertexNear({x, y})) {
        return kOnHandle;
    }
    return EdgeNear({x, y}) ? kOnEdge : kElsewhere;
}

void QueenPolygon::BeginTrack(const PlotPointer& pointer)
{
    grabbed_ = VertexNear(pointer.pixel);
    if (grabbed_) {
        return;
    }
    if (const std::optional<std::size_t> edge = EdgeNear(pointer.pixel)) {
        const auto at = static_cast<std::ptrdiff_t>(*edge + 1);
        xs_.insert(xs_.begin() + at, pointer.x);
        ys_.insert(ys_.begin() + at, pointer.y);
        grabbed_ = *edge + 1;
        RequestRedraw();
    }
}

void QueenPolygon::Track(const PlotPointer& pointer)
{
    if (grabbed_ && *grabbed_ < xs_.size()) {
        xs_[*grabbed_] = pointer.x;
        ys_[*grabbed_] = pointer.y;
        RequestRedraw();
    }
}

void QueenPolygon::EndTrack(const PlotPointer& pointer)
{
    Track(pointer);
    SendTrackEnd();
}

bool QueenPolygon::KeyDown(std::uint32_t key)
{
    if (key != ui::VK_DELETE || !grabbed_ || *grabbed_ >= xs_.size() || xs_.size() <= kFewestVertices) {
        return false;
    }
    const auto at = static_cast<std::ptrdiff_t>(*grabbed_);
    xs_.erase(xs_.begin() + at);
    ys_.erase(ys_.begin() + at);
    grabbed_.reset();
    RequestRedraw();
    SendTrackEnd();
    return true;
}

void QueenPolygon::Draw(ui::TDC& dc, const PlotFrame& frame)
{
    if (xs_.size() < kFewestVertices) {
        return;
    }
    std::vector<ui::TPoint> points;
    for (std::size_t i = 0; i < xs_.size(); ++i) {
        points.push_back({frame.PixelX(xs_[i]), frame.PixelY(ys_[i])});
    }
    points.push_back(points.front());
    const std::int32_t saved = dc.SaveDC();
    dc.SelectObject(ui::TPen(PenColour(), 1));
    dc.Polyline(points);
    dc.SelectObject(ui::TBrush(FillColour()));
    const std::int32_t side = HandleSize();
    for (std::size_t i = 0; i + 1 < points.size(); ++i) {
        dc.Rectangle(ui::TRect(points[i].OffsetBy(-side / 2, -side / 2), ui::TSize(side, side)));
    }
    dc.RestoreDC(saved);
}

} // namespace DUdido1

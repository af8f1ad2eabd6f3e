#include "graph/ClipSegment.h"

#include <cstdint>

namespace DUdido1 {

namespace {

enum OutCode : std::uint8_t {
    kInside = 0,
    kLeft = 1,
    kRight = 2,
    kAbove = 4,
    kBelow = 8,
};

std::uint8_t OutCodeOf(double x, double y, const ClipBox& box)
{
    std::uint8_t code = kInside;
    if (x < box.left) {
        code |= kLeft;
    } else if (x > box.right) {
        code |= kRight;
    }
    if (y < box.top) {
        code |= kAbove;
    } else if (y > box.bottom) {
        code |= kBelow;
    }
    return code;
}

// The point where the segment crosses the edge that the code violates.
void MoveToEdge(const Segment& s, std::uint8_t code, const ClipBox& box, double& x, double& y)
{
    if (code & kAbove) {
        x = s.x0 + (s.x1 - s.x0) * (box.top - s.y0) / (s.y1 - s.y0);
        y = box.top;
    } else if (code & kBelow) {
        x = s.x0 + (s.x1 - s.x0) * (box.bottom - s.y0) / (s.y1 - s.y0);
        y = box.bottom;
    } else if (code & kRight) {
        y = s.y0 + (s.y1 - s.y0) * (box.right - s.x0) / (s.x1 - s.x0);
        x = box.right;
    } else {
        y = s.y0 + (s.y1 - s.y0) * (box.left - s.x0) / (s.x1 - s.x0);
        x = box.left;
    }
}

} // namespace

bool ClipSegment(Segment& segment, const ClipBox& box)
{
    std::uint8_t code0 = OutCodeOf(segment.x0, segment.y0, box);
    std::uint8_t code1 = OutCodeOf(segment.x1, segment.y1, box);
    // Each pass moves one end onto an edge, so four passes per end suffice.
    for (int pass = 0; pass < 8; ++pass) {
        if ((code0 | code1) == kInside) {
            return true;
        }
        if (code0 & code1) {
            return false;
        }
        const std::uint8_t outside = code0 != kInside ? code0 : code1;
        double x = 0.0;
        double y = 0.0;
        MoveToEdge(segment, outside, box, x, y);
        if (outside == code0) {
            segment.x0 = x;
            segment.y0 = y;
            code0 = OutCodeOf(x, y, box);
        } else {
            segment.x1 = x;
            segment.y1 = y;
            code1 = OutCodeOf(x, y, box);
        }
    }
    return (code0 | code1) == kInside;
}

} // namespace DUdido1

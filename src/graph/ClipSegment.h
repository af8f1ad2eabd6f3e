#pragma once

namespace DUdido1 {

// A segment between two points, in pixels (as doubles, so far-off ends do
// not overflow).
struct Segment {
    double x0;
    double y0;
    double x1;
    double y1;
};

// The box [left, right] x [top, bottom], edges included.
struct ClipBox {
    double left;
    double top;
    double right;
    double bottom;
};

// Cohen-Sutherland: cuts the segment to the box. False when no part of it
// lies inside.
bool ClipSegment(Segment& segment, const ClipBox& box);

} // namespace DUdido1

#pragma once

#include "graph/Graph2DDrawer.h"

namespace Nerolith {

struct PlotExtents {
    DUdido1::Extent domain;
    DUdido1::Extent range;
};

// Two extents are the same when their ends differ by at most 1e-8 of the
// larger magnitude (or both are below 1e-30).
bool SameExtent(const DUdido1::Extent& a, const DUdido1::Extent& b);

// Makes `defaults` the drawer's default extents. The visible extents follow
// when `force` is set or they still equal the previous defaults, so a range
// the user chose stays.
void FollowDefaults(DUdido1::Graph2DDrawer& drawer, const PlotExtents& defaults, bool force);

} // namespace Nerolith

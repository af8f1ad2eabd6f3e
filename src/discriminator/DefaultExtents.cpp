#include "discriminator/DefaultExtents.h"

#include <algorithm>
#include <cmath>

namespace Nerolith {
namespace {

bool SameEnd(double a, double b)
{
    const double larger = std::max(std::abs(a), std::abs(b));
    return larger < 1e-30 || std::abs(a - b) <= 1e-8 * larger;
}

} // namespace

bool SameExtent(const DUdido1::Extent& a, const DUdido1::Extent& b)
{
    return SameEnd(a.first, b.first) && SameEnd(a.second, b.second);
}

void FollowDefaults(DUdido1::Graph2DDrawer& drawer, const PlotExtents& defaults, bool force)
{
    const bool domainFollows = force || SameExtent(drawer.GetDomain(), drawer.GetDefaultDomain());
    const bool rangeFollows = force || SameExtent(drawer.GetRange(), drawer.GetDefaultRange());
    drawer.SetDefaultDomain(defaults.domain.first, defaults.domain.second);
    drawer.SetDefaultRange(defaults.range.first, defaults.range.second);
    if (domainFollows) {
        drawer.SetDomain(defaults.domain.first, defaults.domain.second);
    }
    if (rangeFollows) {
        drawer.SetRange(defaults.range.first, defaults.range.second);
    }
}

} // namespace Nerolith

#include "histograms/RateMeter.h"

namespace Nerolith {

void RateMeter::AddSpike(std::int32_t unit, double t)
{
    if (unit == Unit() && PageCount() > 0) {
        CountAt(PageTime(t));
    }
}

void RateMeter::ShowTime(double t)
{
    if (PageCount() > 0) {
        ExtendX(PageTime(t));
    }
}

} // namespace Nerolith

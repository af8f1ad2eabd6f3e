#include "quality/RefractoryViolations.h"

#include <cmath>
#include <limits>

namespace Nerolith {

double HillContamination(std::int64_t violations, std::int64_t spikes, double durationS, double refractoryS,
                         double censoredS)
{
    const double window = 2.0 * (refractoryS - censoredS);
    if (spikes == 0 || durationS <= 0.0 || window <= 0.0) {
        return std::numeric_limits<double>::quiet_NaN();
    }
    const double n = static_cast<double>(spikes);
    // f (1 - f) = c has a root in [0, 1/2] only while c <= 1/4.
    const double c = static_cast<double>(violations) * durationS / (window * n * n);
    if (c >= 0.25) {
        return 1.0;
    }
    return (1.0 - std::sqrt(1.0 - 4.0 * c)) / 2.0;
}

} // namespace Nerolith

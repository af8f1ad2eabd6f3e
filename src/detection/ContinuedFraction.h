#pragma once

#include <cstdint>

namespace Nerolith {

struct Fraction {
    std::int64_t numerator = 0;
    std::int64_t denominator = 1;
};

// The continued-fraction approximation p / q of x, at most 20 terms deep,
// stopping when the rest is below 2^-31 or a term would take p or q past
// 0x7FFFFFFE. p carries the sign of x.
Fraction ContinuedFraction(double x);

} // namespace Nerolith

#include "histograms/BinSizeSteps.h"

#include <algorithm>
#include <cmath>

namespace Nerolith {

namespace {

// b = mantissa x 10^exponent with the mantissa in [1, 10).
struct Decade {
    int exponent;
    int mantissa; // the whole part of b / 10^exponent + 0.5
};

// multiple x 10^exponent, rounded once: 5 x 10^-2 is the double nearest 0.05.
double Scaled(double multiple, int exponent)
{
    return exponent >= 0 ? multiple * std::pow(10.0, exponent) : multiple / std::pow(10.0, -exponent);
}

Decade DecadeOf(double binSize)
{
    int exponent = static_cast<int>(std::floor(std::log10(binSize)));
    // log10 may land a hair off for exact powers of ten.
    if (Scaled(1.0, exponent + 1) <= binSize) {
        ++exponent;
    } else if (Scaled(1.0, exponent) > binSize) {
        --exponent;
    }
    const double ratio = binSize / Scaled(1.0, exponent);
    return {exponent, static_cast<int>(ratio + 0.5)};
}

bool IsUsable(double binSize)
{
    return std::isfinite(binSize) && binSize > 0.0;
}

} // namespace

double NextLargerBinSize(double binSize)
{
    if (!IsUsable(binSize)) {
        return binSize;
    }
    const Decade d = DecadeOf(binSize);
    const double multiple = d.mantissa < 2 ? 2.0 : d.mantissa < 5 ? 5.0 : d.mantissa < 10 ? 10.0 : 20.0;
    return Scaled(multiple, d.exponent);
}

double NextSmallerBinSize(double binSize)
{
    if (!IsUsable(binSize)) {
        return binSize;
    }
    const Decade d = DecadeOf(binSize);
    double next = 0.0;
    if (d.mantissa > 5) {
        next = Scaled(5.0, d.exponent);
    } else if (d.mantissa > 2) {
        next = Scaled(2.0, d.exponent);
    } else if (d.mantissa > 1) {
        next = Scaled(1.0, d.exponent);
    } else {
        next = Scaled(5.0, d.exponent - 1);
    }
    return std::max(next, kSmallestBinSize);
}

bool CanDecreaseBinSize(double binSize)
{
    return binSize > kSmallestBinSize;
}

} // namespace Nerolith

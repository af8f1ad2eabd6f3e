#include "histograms/StatsAccumulator.h"

#include <algorithm>
#include <cmath>

namespace Nerolith {

void StatsAccumulator::Add(double value, std::int32_t index)
{
    AddToSums(value);
    if (empty) {
        min = max = value;
        minIndex = maxIndex = index;
        empty = false;
        return;
    }
    if (value < min) {
        min = value;
        minIndex = index;
    }
    if (value > max) {
        max = value;
        maxIndex = index;
    }
}

void StatsAccumulator::AddZeros(std::int32_t count, std::int32_t firstIndex)
{
    if (count <= 0) {
        return;
    }
    n += count;
    if (empty) {
        min = max = 0.0;
        minIndex = maxIndex = firstIndex;
        empty = false;
        return;
    }
    if (0.0 < min) {
        min = 0.0;
        minIndex = firstIndex;
    }
    if (0.0 > max) {
        max = 0.0;
        maxIndex = firstIndex;
    }
}

double StatsAccumulator::Mean() const
{
    return n == 0 ? 0.0 : sum / n;
}

double StatsAccumulator::SD() const
{
    if (n == 0) {
        return 0.0;
    }
    // Rounding can leave the difference a hair below zero for equal values;
    // the spread is then zero, not NaN.
    const double variance = (sumOfSquares - sum * sum / n) / n;
    return std::sqrt(std::max(variance, 0.0));
}

double StatsAccumulator::SEM() const
{
    return n == 0 ? 0.0 : SD() / std::sqrt(static_cast<double>(n));
}

} // namespace Nerolith

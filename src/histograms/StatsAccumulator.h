#pragma once

#include <cstdint>

namespace Nerolith {

// Running sums of a series of values: the X values of a page, or the bin
// counts of the displayed page. Mean, SD and SEM come from the sums, so no
// second pass over the values is needed.
struct StatsAccumulator {
    double sum = 0.0;
    double sumOfSquares = 0.0;
    std::int32_t n = 0;
    double max = 0.0;
    double min = 0.0;
    std::int32_t minIndex = 0;
    std::int32_t maxIndex = 0;
    bool empty = true;

    // Adds a value and keeps the extremes; on ties the earlier index stays.
    void Add(double value, std::int32_t index);
    // Adds `count` zeros at the indices from firstIndex on, as that many
    // Add(0, i) calls would.
    void AddZeros(std::int32_t count, std::int32_t firstIndex);
    // Adds to the sums and the count only (X values: their extremes are
    // not reported).
    void AddToSums(double value)
    {
        sum += value;
        sumOfSquares += value * value;
        ++n;
    }

    // Each is 0 when no value was added.
    double Mean() const;
    // Population form: divides by n.
    double SD() const;
    double SEM() const;
};

} // namespace Nerolith

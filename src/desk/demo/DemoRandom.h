#pragma once

#include <cstdint>
#include <random>

namespace Desk {

// Random numbers for the demo, identical on every machine: the
// mt19937_64 engine's output is fixed by the C++ standard, and every draw
// here is made from it with integer and basic floating-point arithmetic
// only (no standard distributions, whose output is implementation-defined,
// and no math library calls, whose last bit may differ between libraries).
class DemoRandom {
public:
    // A stream of its own for each block and purpose, so that changing how
    // one part is drawn leaves the others as they were.
    DemoRandom(std::int32_t block, std::uint32_t purpose);

    // Uniform in [0, 1).
    double Uniform();
    double Uniform(double low, double high) { return low + (high - low) * Uniform(); }
    // True with the given probability.
    bool Chance(double probability);
    // Standard normal, approximated by the sum of twelve uniform draws
    // (variance exactly 1, tails cut at 6 SD).
    double Normal();

private:
    std::mt19937_64 engine_;
};

} // namespace Desk

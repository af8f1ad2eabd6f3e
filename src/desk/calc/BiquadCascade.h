#pragma once

#include <complex>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "desk/calc/FilterDesign.h"

namespace Desk {

// A cascade of second-order sections (transposed direct form II, in double)
// designed from a FilterDesign at one sample rate, with the state to run it.
class BiquadCascade {
public:
    struct Section {
        double b0, b1, b2, a1, a2;
    };

    // The design must have no Problem() at this rate.
    BiquadCascade(const FilterDesign& design, double sampleRate);

    // Sets the state as if `value` had been the input for ever, so a run
    // starting there begins without a step.
    void Settle(double value);
    // Filters `count` values in place.
    void Run(double* values, std::size_t count);
    // Filters `count` values in place from the last to the first.
    void RunBackward(double* values, std::size_t count);

    // The response at `frequency` Hz, of one pass.
    std::complex<double> Response(double frequency) const;
    // Seconds by which one pass delays a component at `frequency` Hz.
    double GroupDelay(double frequency) const;
    // Ticks after which the response to any start has decayed below 1e-9 of
    // it (so a run begun that early matches one begun at the block's start).
    std::int64_t SettlingTicks() const;

private:
    void AddButterworth(int order, double frequency, bool highPass);
    double Step(double x);

    double sampleRate_;
    std::vector<Section> sections_;
    std::vector<double> z1_;
    std::vector<double> z2_;
};

} // namespace Desk

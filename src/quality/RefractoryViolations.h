#pragma once

#include <cstdint>

namespace Nerolith {

// A unit's interspike intervals, and how many are shorter than its refractory
// period.
struct RefractoryCount {
    std::int64_t intervals = 0;
    std::int64_t violations = 0;
};

// The fraction of a unit's spikes that come from other cells, after Hill,
// Mehta and Kleinfeld (2011): violations r = 2 (tauR - tauC) N^2 f (1 - f) / T
// solved for f, with N spikes in T seconds, refractory period tauR and
// censored period tauC (the detector's dead time after a spike). Returns 1
// when the violations exceed what any f explains, NaN when undefined.
double HillContamination(std::int64_t violations, std::int64_t spikes, double durationS, double refractoryS,
                         double censoredS);

} // namespace Nerolith

#pragma once

#include <cstdint>
#include <limits>

#include "platform/text/VexString.h"

namespace Host {

// How the unit quality figures are measured and when a unit earns a warning.
struct QualitySettings {
    double refractoryMs = 1.5;       // intervals shorter than this violate the refractory period
    double presenceBinS = 60.0;      // presence counts bins of this length that hold a spike
    double maxRefractoryFraction = 0.01; // warn above this fraction of intervals
    double minIsolationDistance = 20.0;  // warn below
    double maxLRatio = 0.1;              // warn above
    double minSnr = 3.0;                 // warn below
    double minPresence = 0.9;            // warn below

    friend bool operator==(const QualitySettings&, const QualitySettings&) = default;
};

// The quality figures of one unit of the source channel. A figure that cannot
// be computed (too few spikes, no noise measurement) is NaN, shown as "n/a".
struct UnitQuality {
    static constexpr double kAbsent = std::numeric_limits<double>::quiet_NaN();

    std::int32_t number = 0;
    VEX::String name;
    std::int64_t spikes = 0;
    std::int64_t refractoryViolations = 0;
    double refractoryFraction = kAbsent; // of the unit's interspike intervals
    double contamination = kAbsent;      // Hill et al. 2011, as a fraction of the unit's spikes
    double isolationDistance = kAbsent;
    double lRatio = kAbsent;
    double snr = kAbsent;
    double presence = kAbsent;
    std::uint32_t warnings = 0; // QualityWarning bits: the figures past the settings' thresholds
};

// Which figures of a unit are past the warning thresholds.
enum QualityWarning : std::uint32_t {
    kWarnRefractory = 1u << 0,
    kWarnIsolation = 1u << 1,
    kWarnLRatio = 1u << 2,
    kWarnSnr = 1u << 3,
    kWarnPresence = 1u << 4,
};

} // namespace Host

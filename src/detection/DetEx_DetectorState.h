#pragma once

#include <cstdint>
#include <vector>

#include "detection/EEH2StateBase.h"

namespace Nerolith {

// The threshold detector's running state within one record.
class DetEx_DetectorState : public EEH2::StateBase {
public:
    enum Level : std::int32_t { kUnknown = 0, kAtOrAbove = 1, kBelow = 2 };

    explicit DetEx_DetectorState(std::int32_t firstTick) : StateBase(firstTick) {}

    // Threshold side of the last sample; a new state knows none, so the
    // first sample of a scan never triggers.
    std::int32_t level = kUnknown;
    // The newest samples (up to the pretrigger length) and, while a spike is
    // being collected, its window so far, oldest first.
    std::vector<float> history;
    std::int32_t triggerTick = 0;
    bool triggered = false;
};

} // namespace Nerolith

#pragma once

#include <cstddef>
#include <span>

#include "detection/DetEx_DetectorState.h"
#include "detection/DetEx_EventDetectorParams.h"
#include "detection/EEH2SampleReader.h"
#include "detection/SpikeEvent.h"

namespace Nerolith {

// The threshold detector. A spike is triggered by a sample at or above the
// threshold that follows one below it; its window holds up to the
// pretrigger length of samples before the trigger, the trigger sample and
// the samples after it, the window length in all. No trigger is recognised
// while a window is being collected.
class DetEx_EventAlgorithm {
public:
    // Scans samples until one spike is complete (true, `spike` filled) or
    // until it cannot go on (false): no samples available now, the segment
    // end reached, or the state done (its position then becomes INT_MAX).
    static bool Step(DetEx_DetectorState& state, const DetEx_EventDetectorParams& params,
                     EEH2::SampleReader& reader, SpikeEvent& spike);

private:
    static std::size_t FillHistory(DetEx_DetectorState& state, const DetEx_EventDetectorParams& params,
                                   float sample);
    static std::size_t ScanForTrigger(DetEx_DetectorState& state, const DetEx_EventDetectorParams& params,
                                      std::span<const float> samples);
    static std::size_t CollectWindow(DetEx_DetectorState& state, const DetEx_EventDetectorParams& params,
                                     std::span<const float> samples);
    static void CompleteSpike(DetEx_DetectorState& state, const DetEx_EventDetectorParams& params,
                              SpikeEvent& spike);
};

} // namespace Nerolith

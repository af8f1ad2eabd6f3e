#pragma once

#include "detection/DetEx_DetectorState.h"
#include "detection/DetEx_EventAlgorithm.h"
#include "detection/DetEx_EventDetectorParams.h"
#include "detection/EEH2Enumerator.h"
#include "detection/SpikeEvent.h"

namespace Nerolith {

// Binds the threshold detector into the enumerator framework.
struct DetEx_Enumerator {
    using Params = DetEx_EventDetectorParams;
    using State = DetEx_DetectorState;
    using Event = SpikeEvent;

    static bool Step(State& state, const Params& params, EEH2::SampleReader& reader, Event& spike)
    {
        return DetEx_EventAlgorithm::Step(state, params, reader, spike);
    }
};

// The enumerator behind SpikeDet: SpikeEvent records of one record.
using SpikeDetEnumerator = EEH2::Enumerator<DetEx_Enumerator>;

} // namespace Nerolith

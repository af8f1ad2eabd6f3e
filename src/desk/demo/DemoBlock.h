#pragma once

#include <cstdint>
#include <vector>

#include "desk/demo/DemoRecording.h"

namespace Desk {

// A demo block is made in two steps: where the stimulus pulses and spikes
// fall (the plan, which is also the ground truth), then the samples.
// Every random draw comes from DemoRandom streams of that block alone, so
// a block is the same whichever blocks are made before it.
struct PlannedSpike {
    TruthSpike truth;
    double scale = 1;    // amplitude factor on the unit's shape
    double fraction = 0; // where the peak lies between two samples
};

struct DemoBlockPlan {
    std::int32_t block = 0;
    std::vector<std::int32_t> stimulusOnsets; // ticks, ascending
    std::vector<PlannedSpike> spikes;         // ascending tick
};

struct DemoBlockSamples {
    std::vector<float> electrode; // mV
    std::vector<float> stimulus;  // V
};

DemoBlockPlan PlanDemoBlock(std::int32_t block);
DemoBlockSamples RenderDemoBlock(const DemoBlockPlan& plan);

} // namespace Desk

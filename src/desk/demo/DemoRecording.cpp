#include "desk/demo/DemoRecording.h"

#include "desk/demo/DemoBlock.h"
#include "desk/recording/MemoryRecording.h"

namespace Desk {

std::unique_ptr<Recording> MakeDemoRecording()
{
    std::vector<MemoryRecording::Block> blocks;
    RecordedEvents stimulus{u"Stimulus", {}};
    for (std::int32_t block = 0; block < kDemoBlocks; ++block) {
        const DemoBlockPlan plan = PlanDemoBlock(block);
        DemoBlockSamples samples = RenderDemoBlock(plan);
        blocks.push_back({block * kDemoBlockSpacing, 1.0 / kDemoSampleRate,
                          {std::move(samples.electrode), std::move(samples.stimulus)}});
        for (std::int32_t onset : plan.stimulusOnsets) {
            stimulus.marks.push_back({block, onset});
        }
    }
    std::vector<MemoryRecording::Channel> channels{{u"Electrode", u"mV"}, {u"Stimulus", u"V"}};
    return std::make_unique<MemoryRecording>("demo", std::move(channels), std::move(blocks),
                                             std::vector<RecordedEvents>{std::move(stimulus)});
}

std::vector<TruthSpike> DemoGroundTruth()
{
    std::vector<TruthSpike> truth;
    for (std::int32_t block = 0; block < kDemoBlocks; ++block) {
        for (const PlannedSpike& spike : PlanDemoBlock(block).spikes) {
            truth.push_back(spike.truth);
        }
    }
    return truth;
}

} // namespace Desk

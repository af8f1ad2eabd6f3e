#include "detection/DetEx_EventAlgorithm.h"

#include <algorithm>
#include <climits>

#include "detection/Classification.h"
#include "detection/DetEx_Measure.h"

namespace Nerolith {
namespace {

// Appends `samples` to `history` and keeps only its newest `keep` entries.
void AppendKeepingNewest(std::vector<float>& history, std::span<const float> samples, std::size_t keep)
{
    if (samples.size() >= keep) {
        history.assign(samples.end() - static_cast<std::ptrdiff_t>(keep), samples.end());
        return;
    }
    history.insert(history.end(), samples.begin(), samples.end());
    if (history.size() > keep) {
        history.erase(history.begin(), history.end() - static_cast<std::ptrdiff_t>(keep));
    }
}

std::int32_t LevelOf(float sample, float threshold)
{
    return sample < threshold ? DetEx_DetectorState::kBelow : DetEx_DetectorState::kAtOrAbove;
}

// Whether no sample of the block is at or above the threshold; written
// without branches so that the compiler vectorises it.
bool AllBelow(const float* x, std::size_t count, float threshold)
{
    unsigned atOrAbove = 0;
    for (std::size_t k = 0; k < count; ++k) {
        atOrAbove |= static_cast<unsigned>(!(x[k] < threshold));
    }
    return atOrAbove == 0;
}

// The index of the first of the first `limit` samples that is at or above
// the threshold while the sample before it (for index 0: `previousBelow`)
// is below; `limit` when there is none. Most of a recording lies below the
// threshold, so whole blocks are ruled out at once.
std::size_t FindRisingEdge(std::span<const float> x, std::size_t limit, bool previousBelow, float threshold)
{
    constexpr std::size_t kBlock = 64;
    if (limit == 0 || (previousBelow && !(x[0] < threshold))) {
        return 0;
    }
    std::size_t i = 1;
    while (i < limit) {
        const std::size_t blockEnd = std::min(i + kBlock, limit);
        if (blockEnd - i == kBlock && AllBelow(x.data() + i, kBlock, threshold)) {
            i = blockEnd;
            continue;
        }
        for (; i < blockEnd; ++i) {
            if (x[i - 1] < threshold && !(x[i] < threshold)) {
                return i;
            }
        }
    }
    return limit;
}

} // namespace

bool DetEx_EventAlgorithm::Step(DetEx_DetectorState& state, const DetEx_EventDetectorParams& params,
                                EEH2::SampleReader& reader, SpikeEvent& spike)
{
    for (;;) {
        if (state.done) {
            state.position = INT_MAX;
            return false;
        }
        if (!reader.Fill()) {
            return false;
        }
        if (state.position >= state.segmentEnd) {
            return false;
        }
        const std::span<const float> samples = reader.Available();
        std::size_t used = 0;
        if (state.triggered) {
            used = CollectWindow(state, params, samples);
        } else if (state.history.size() < params.KeptTicks()) {
            used = FillHistory(state, params, samples.front());
        } else {
            used = ScanForTrigger(state, params, samples);
        }
        reader.Consume(used);
        state.nextTick += static_cast<std::int32_t>(used);
        if (state.triggered && state.history.size() >= params.WindowTicks()) {
            CompleteSpike(state, params, spike);
            return true;
        }
    }
}

// One sample while a new state's history is still shorter than the
// pretrigger length; the position stays where the state started.
std::size_t DetEx_EventAlgorithm::FillHistory(DetEx_DetectorState& state, const DetEx_EventDetectorParams& params,
                                              float sample)
{
    state.history.push_back(sample);
    const std::int32_t level = LevelOf(sample, params.FloatThreshold());
    if (level == DetEx_DetectorState::kAtOrAbove && state.level == DetEx_DetectorState::kBelow) {
        state.triggered = true;
        state.triggerTick = state.nextTick;
        state.position = state.nextTick;
    }
    state.level = level;
    return 1;
}

// The common path: the history is full and no window is open, so only the
// threshold side of each sample matters until a trigger. The history is
// brought up to date once per call, not once per sample.
std::size_t DetEx_EventAlgorithm::ScanForTrigger(DetEx_DetectorState& state,
                                                 const DetEx_EventDetectorParams& params,
                                                 std::span<const float> samples)
{
    // Each sample consumed here moves the position past itself; the scan
    // stops once it reaches the segment end (the first sample is always
    // taken: the caller checked the position before).
    const std::int64_t toSegmentEnd = std::int64_t{state.segmentEnd} - state.nextTick;
    const std::size_t limit = static_cast<std::size_t>(
        std::min<std::int64_t>(static_cast<std::int64_t>(samples.size()), std::max<std::int64_t>(toSegmentEnd, 1)));
    const std::size_t i = FindRisingEdge(samples, limit, state.level == DetEx_DetectorState::kBelow,
                                         params.FloatThreshold());
    AppendKeepingNewest(state.history, samples.first(i), params.KeptTicks());
    if (i == limit) {
        state.level = LevelOf(samples[limit - 1], params.FloatThreshold());
        state.position = state.nextTick + static_cast<std::int32_t>(limit);
        return limit;
    }
    state.history.push_back(samples[i]);
    state.level = DetEx_DetectorState::kAtOrAbove;
    state.triggered = true;
    state.triggerTick = state.nextTick + static_cast<std::int32_t>(i);
    state.position = state.triggerTick;
    return i + 1;
}

// Dead time: samples join the window without being tested for a trigger;
// only the last one's side of the threshold is carried on.
std::size_t DetEx_EventAlgorithm::CollectWindow(DetEx_DetectorState& state, const DetEx_EventDetectorParams& params,
                                                std::span<const float> samples)
{
    const std::size_t missing = params.WindowTicks() - state.history.size();
    const std::span<const float> taken = samples.first(std::min(missing, samples.size()));
    state.history.insert(state.history.end(), taken.begin(), taken.end());
    state.level = LevelOf(taken.back(), params.FloatThreshold());
    return taken.size();
}

void DetEx_EventAlgorithm::CompleteSpike(DetEx_DetectorState& state, const DetEx_EventDetectorParams& params,
                                         SpikeEvent& spike)
{
    const std::span<const float> window(state.history);
    spike = SpikeEvent{};
    spike.tick = state.triggerTick;
    spike.fraction = 0.0f;
    spike.value = window.back();
    state.position = state.triggerTick + 1;
    const SpikeShape shape = params.DiscriminationMode() == 0 ? MeasureMonophasic(window, params.SampleInterval())
                                                              : MeasureBiphasic(window, params.SampleInterval());
    spike.height = shape.height;
    spike.width = shape.width;
    spike.channel = params.SourceChannelIndex();
    spike.unit = -1;
    spike.colour = kNoUnitColour;
    // Without a store (a channel never analysed) there are no units or hand
    // assignments: the spike stays unassigned.
    if (params.SpikeStore() != nullptr) {
        ClassifySpike(params.SpikeStore(), window, spike.channel, params.CurrentRecord(), params.SignalMode(), spike);
    }
    AppendKeepingNewest(state.history, {}, params.KeptTicks());
    state.triggered = false;
}

} // namespace Nerolith

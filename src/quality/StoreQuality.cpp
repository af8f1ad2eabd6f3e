#include "quality/StoreQuality.h"

#include <algorithm>
#include <optional>

namespace Nerolith {
namespace {

double IntervalOf(IHostRecording& recording, std::int32_t channel, std::int32_t block)
{
    double seconds = 0.0;
    return Succeeded(recording.SampleInterval(channel, block, &seconds)) ? seconds : 0.0;
}

double BlockStart(IHostRecording& recording, std::int32_t block)
{
    double seconds = 0.0;
    return Succeeded(recording.BlockStartTime(block, &seconds)) ? seconds : 0.0;
}

} // namespace

std::vector<double> StoreTrain(const SpikeData& store, IHostRecording& recording, std::int32_t channel,
                               std::int32_t unit)
{
    std::vector<double> times;
    const auto add = [&](Host::Position position) {
        times.push_back(BlockStart(recording, position.block) +
                        position.tick * IntervalOf(recording, channel, position.block));
    };
    if (unit == kReferenceTrain) {
        std::for_each(store.ReferenceEvents().begin(), store.ReferenceEvents().end(), add);
    } else {
        const SpikeTable& spikes = store.Spikes();
        for (std::size_t i = 0; i < spikes.Size(); ++i) {
            if (spikes.SpikeUnits()[i] == unit) {
                add(spikes.Positions()[i]);
            }
        }
    }
    std::sort(times.begin(), times.end());
    return times;
}

std::vector<double> StoreIntervals(const SpikeData& store, IHostRecording& recording, std::int32_t channel,
                                   std::int32_t unit)
{
    std::vector<double> intervals;
    const SpikeTable& spikes = store.Spikes();
    std::optional<Host::Position> last;
    for (std::size_t i = 0; i < spikes.Size(); ++i) {
        if (spikes.SpikeUnits()[i] != unit) {
            continue;
        }
        const Host::Position position = spikes.Positions()[i];
        if (last && last->block == position.block && position.tick >= last->tick) {
            intervals.push_back((position.tick - last->tick) * IntervalOf(recording, channel, position.block));
        }
        last = position;
    }
    return intervals;
}

std::vector<AnalysedSpan> AnalysedSpans(IHostRecording& recording, const Host::ChannelAnalysisRecord& record)
{
    std::vector<AnalysedSpan> spans;
    const Host::Position start = record.rangeStart;
    const Host::Position end = record.rangeEnd;
    for (std::int32_t block = std::max(start.block, 0); block <= end.block && block < recording.BlockCount();
         ++block) {
        std::int32_t ticks = 0;
        if (Failed(recording.ChannelTicks(record.channel, block, &ticks))) {
            continue;
        }
        const std::int32_t from = block == start.block ? std::clamp(start.tick, 0, ticks) : 0;
        const std::int32_t to = block == end.block ? std::clamp(end.tick, 0, ticks) : ticks;
        const double interval = IntervalOf(recording, record.channel, block);
        if (to > from && interval > 0.0) {
            spans.push_back({block, from * interval, to * interval});
        }
    }
    return spans;
}

std::vector<Host::UnitQuality> MeasureStoreQuality(const SpikeData& store, IHostRecording& recording,
                                                   const Host::ChannelAnalysisRecord& record, double noiseSigma,
                                                   const Host::QualitySettings& settings)
{
    const SpikeTable& spikes = store.Spikes();
    std::vector<std::int32_t> blocks(spikes.Size());
    std::vector<double> times(spikes.Size());
    const std::vector<std::int32_t> units = spikes.SpikeUnits().ToVector();
    const std::vector<float> heights = spikes.Heights().ToVector();
    const std::vector<float> widths = spikes.Widths().ToVector();
    std::int32_t intervalBlock = -1;
    double interval = 0.0;
    for (std::size_t i = 0; i < spikes.Size(); ++i) {
        const Host::Position position = spikes.Positions()[i];
        if (position.block != intervalBlock) {
            intervalBlock = position.block;
            interval = IntervalOf(recording, record.channel, position.block);
        }
        blocks[i] = position.block;
        times[i] = position.tick * interval;
    }
    QualityInput input{heights, widths, blocks, times, units, AnalysedSpans(recording, record),
                       noiseSigma, record.totalTriggerTime - record.pretriggerTime};
    std::vector<Host::UnitQuality> result;
    for (const UnitCatalog::UnitPtr& unit : store.Units().Units()) {
        if (unit->Channel() == record.channel) {
            Host::UnitQuality quality;
            quality.number = unit->Number();
            quality.name = unit->Name();
            result.push_back(quality);
        }
    }
    MeasureUnitQuality(input, settings, result);
    return result;
}

} // namespace Nerolith

#include "desk/calc/CalcContext.h"

#include <algorithm>
#include <climits>
#include <vector>

namespace Desk {
namespace {

std::vector<VEX::String> RecordedNames(const Recording& recording)
{
    std::vector<VEX::String> names;
    for (const RecordedEvents& events : recording.Events()) {
        names.push_back(events.name);
    }
    return names;
}

BlockAvailability EveryBlockComplete(std::int32_t) { return {INT_MAX, false}; }

} // namespace

CalcContext::CalcContext(const Recording& recording, AvailabilityFunction availability)
    : recording(recording),
      childData(recording.ChannelCount()),
      sources(RecordedNames(recording)),
      availability_(availability ? std::move(availability) : AvailabilityFunction(EveryBlockComplete))
{
}

bool CalcContext::IsChannel(std::int32_t channel) const
{
    return channel >= 0 && channel < recording.ChannelCount();
}

bool CalcContext::IsBlock(std::int32_t block) const
{
    return block >= 0 && block < recording.BlockCount() && availability_(block).ticks >= 0;
}

BlockAvailability CalcContext::Available(std::int32_t channel, std::int32_t block) const
{
    const BlockAvailability sampled = Available(block);
    const std::int32_t recorded = std::max(0, recording.Ticks(channel, block));
    return {std::clamp(sampled.ticks, 0, recorded), sampled.growing};
}

bool CalcContext::IsStartTick(std::int32_t channel, std::int32_t block, std::int32_t startTick) const
{
    if (!IsChannel(channel) || !IsBlock(block) || startTick < 0) {
        return false;
    }
    const BlockAvailability now = Available(channel, block);
    return startTick <= (now.growing ? recording.Ticks(channel, block) : now.ticks);
}

BlockAvailability CalcContext::Available(std::int32_t block) const
{
    const BlockAvailability sampled = availability_(block);
    return {std::max(0, sampled.ticks), sampled.growing};
}

} // namespace Desk

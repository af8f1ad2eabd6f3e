#include "desk/calc/RecordedEventsSource.h"

#include <algorithm>
#include <climits>
#include <vector>

#include "desk/calc/ChannelCalcSource.h"
#include "desk/calc/TickListEvents.h"

namespace Desk {

RecordedEventsSource::RecordedEventsSource(std::shared_ptr<const CalcContext> context, std::int32_t listIndex)
    : EventSourceBase(std::move(context)), listIndex_(listIndex)
{
}

HRESULT RecordedEventsSource::SampleInterval(std::int32_t block, double* seconds)
{
    return ChannelSampleInterval(*context_, 0, block, seconds);
}

HRESULT RecordedEventsSource::OpenEvents(std::int32_t block, std::int32_t firstTick, std::int32_t endTick,
                                         IEnumEventEx** events)
{
    if (events == nullptr) {
        return E_POINTER;
    }
    *events = nullptr;
    if (!context_->IsBlock(block)) {
        return E_INVALIDARG;
    }
    const std::int32_t first = std::max(firstTick, 0);
    const std::int32_t end = endTick < 0 ? INT_MAX : endTick;
    std::vector<std::int32_t> ticks;
    for (const EventMark& mark : context_->recording.Events()[static_cast<std::size_t>(listIndex_)].marks) {
        if (mark.block == block && mark.tick >= first && mark.tick < end) {
            ticks.push_back(mark.tick);
        }
    }
    // The list is meant to be in order; a file that is not must not break
    // the tick order events are delivered in.
    std::sort(ticks.begin(), ticks.end());
    *events = ComPtr<IEnumEventEx>(new TickListEvents(context_, block, std::move(ticks))).Detach();
    return S_OK;
}

} // namespace Desk

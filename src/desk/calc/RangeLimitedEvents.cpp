#include "desk/calc/RangeLimitedEvents.h"

#include <algorithm>
#include <climits>

#include "desk/calc/TickListEvents.h"

namespace Desk {

RangeLimitedEvents::RangeLimitedEvents(ComPtr<IEnumEventEx> inner, std::int32_t endTick)
    : inner_(std::move(inner)), endTick_(endTick)
{
}

HRESULT RangeLimitedEvents::Next(std::int32_t eventSize, std::int32_t endTick, void* records,
                                 std::uint32_t capacity, std::uint32_t* count, std::int32_t* position)
{
    if (const HRESULT hr = CheckNextArguments(eventSize, records, capacity, count, position); hr != S_OK) {
        return hr;
    }
    const std::int32_t limit = endTick < 0 ? endTick_ : std::min(endTick, endTick_);
    const HRESULT hr = inner_->Next(eventSize, limit, records, capacity, count, position);
    if (Failed(hr)) {
        return hr;
    }
    if (hr == S_FALSE || *position >= endTick_) {
        *position = INT_MAX;
        return S_FALSE;
    }
    return S_OK;
}

HRESULT RangeLimitedEvents::Skip(std::int32_t tick, std::int32_t* position)
{
    const HRESULT hr = inner_->Skip(tick, position);
    if (Succeeded(hr) && position != nullptr && *position >= endTick_) {
        *position = INT_MAX;
    }
    return hr;
}

} // namespace Desk

#include "desk/calc/TickListEvents.h"

#include <algorithm>
#include <climits>
#include <cstring>

namespace Desk {

HRESULT CheckNextArguments(std::int32_t eventSize, const void* records, std::uint32_t capacity,
                           const std::uint32_t* count, const std::int32_t* position)
{
    if (count == nullptr || position == nullptr || (records == nullptr && capacity > 0)) {
        return E_POINTER;
    }
    return eventSize < static_cast<std::int32_t>(sizeof(Host::EventHeader)) ? E_INVALIDARG : S_OK;
}

TickListEvents::TickListEvents(std::shared_ptr<const CalcContext> context, std::int32_t block,
                               std::vector<std::int32_t> ticks)
    : context_(std::move(context)), block_(block), ticks_(std::move(ticks))
{
}

HRESULT TickListEvents::Next(std::int32_t eventSize, std::int32_t endTick, void* records, std::uint32_t capacity,
                             std::uint32_t* count, std::int32_t* position)
{
    if (const HRESULT hr = CheckNextArguments(eventSize, records, capacity, count, position); hr != S_OK) {
        return hr;
    }
    const std::int32_t limit = endTick < 0 ? INT_MAX : endTick;
    const BlockAvailability sampled = context_->Available(block_);
    const std::int32_t known = sampled.growing ? sampled.ticks : INT_MAX;
    auto* out = static_cast<std::byte*>(records);
    std::uint32_t written = 0;
    while (!Exhausted() && written < capacity && ticks_[next_] < limit && ticks_[next_] < known) {
        const Host::EventHeader header{ticks_[next_], 0.0f, 1.0};
        std::memcpy(out + static_cast<std::size_t>(written) * static_cast<std::size_t>(eventSize), &header,
                    sizeof header);
        ++written;
        ++next_;
    }
    *count = written;
    if (Exhausted()) {
        *position = INT_MAX;
        return S_FALSE;
    }
    *position = std::min({ticks_[next_], limit, known});
    return S_OK;
}

HRESULT TickListEvents::Skip(std::int32_t tick, std::int32_t* position)
{
    if (position == nullptr) {
        return E_POINTER;
    }
    next_ = static_cast<std::size_t>(std::lower_bound(ticks_.begin(), ticks_.end(), tick) - ticks_.begin());
    *position = Exhausted() ? INT_MAX : ticks_[next_];
    return S_OK;
}

} // namespace Desk

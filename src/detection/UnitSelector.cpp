#include "detection/UnitSelector.h"

#include <algorithm>
#include <climits>
#include <cstddef>
#include <cstring>

#include "detection/EEH2ParamsBase.h"
#include "detection/SpikeEvent.h"

namespace Nerolith::Enum {
namespace {

// Source events fetched per call to the source.
constexpr std::uint32_t kFetchEvents = 256;

} // namespace

Selector::Selector() : UnknownImpl(1) {}

HRESULT Selector::Setup(ICalcSource* const* sources, std::uint32_t sourceCount, const double* numbers,
                        std::uint32_t numberCount)
{
    if (sourceCount != 1 || sources == nullptr || sources[0] == nullptr || numberCount != 1 || numbers == nullptr) {
        return E_INVALIDARG;
    }
    source_ = ComPtr<ICalcSource>(sources[0]);
    unit_ = EEH2::ParamsBase::ToInt32(numbers[0], 0);
    events_.Reset();
    return S_OK;
}

HRESULT Selector::Open(std::int32_t block, std::int32_t firstTick)
{
    events_.Reset();
    if (!source_) {
        return E_FAIL;
    }
    const HRESULT hr = source_->OpenEvents(block, firstTick, INT_MAX, events_.Put());
    if (Failed(hr) || !events_) {
        events_.Reset();
        return Failed(hr) ? hr : E_FAIL;
    }
    // Only spike records carry a unit to select by.
    sourceEventSize_ = events_->EventSize();
    if (sourceEventSize_ < static_cast<std::int32_t>(sizeof(SpikeEvent))) {
        events_.Reset();
        return E_FAIL;
    }
    fetchBuffer_.resize(static_cast<std::size_t>(sourceEventSize_) * kFetchEvents);
    return S_OK;
}

std::int32_t Selector::EventSize() { return static_cast<std::int32_t>(sizeof(Host::EventHeader)); }

// Asks the source again while everything it gave was filtered out, so that
// a count of 0 with S_OK keeps meaning "no more yet" to the caller.
HRESULT Selector::Next(std::int32_t eventSize, std::int32_t endTick, void* records, std::uint32_t capacity,
                       std::uint32_t* count, std::int32_t* position)
{
    if (count == nullptr || position == nullptr || (records == nullptr && capacity > 0)) {
        return E_POINTER;
    }
    *count = 0;
    if (eventSize < static_cast<std::int32_t>(sizeof(Host::EventHeader))) {
        return E_INVALIDARG;
    }
    if (!events_) {
        return E_FAIL;
    }
    auto* out = static_cast<std::uint8_t*>(records);
    HRESULT hr = S_OK;
    do {
        const std::uint32_t wanted = std::min(capacity - *count, kFetchEvents);
        std::uint32_t fetched = 0;
        hr = events_->Next(sourceEventSize_, endTick, fetchBuffer_.data(), wanted, &fetched, position);
        if (Failed(hr)) {
            // What was kept still goes out; the source fails again next time.
            return *count > 0 ? S_OK : hr;
        }
        fetched = std::min(fetched, wanted);
        *count += KeepUnitEvents(fetched, out + static_cast<std::size_t>(*count) * static_cast<std::size_t>(eventSize),
                                 eventSize, capacity - *count);
        if (hr == S_FALSE || fetched < wanted) {
            break;
        }
    } while (*count < capacity);
    return hr == S_FALSE ? S_FALSE : S_OK;
}

std::uint32_t Selector::KeepUnitEvents(std::uint32_t fetched, std::uint8_t* out, std::int32_t stride,
                                       std::uint32_t room) const
{
    std::uint32_t kept = 0;
    for (std::uint32_t i = 0; i < fetched && kept < room; ++i) {
        const std::uint8_t* record = fetchBuffer_.data() + static_cast<std::size_t>(i) * sourceEventSize_;
        std::int32_t unit = 0;
        std::memcpy(&unit, record + offsetof(SpikeEvent, unit), sizeof unit);
        if (unit == unit_) {
            std::memcpy(out + static_cast<std::size_t>(kept) * static_cast<std::size_t>(stride), record,
                        sizeof(Host::EventHeader));
            ++kept;
        }
    }
    return kept;
}

HRESULT Selector::Skip(std::int32_t tick, std::int32_t* position)
{
    if (position == nullptr) {
        return E_POINTER;
    }
    if (!events_) {
        return E_FAIL;
    }
    return events_->Skip(tick, position);
}

} // namespace Nerolith::Enum

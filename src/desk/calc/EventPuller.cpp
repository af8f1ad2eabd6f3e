#include "desk/calc/EventPuller.h"

#include <climits>
#include <cstring>

namespace Desk {
namespace {

constexpr std::uint32_t kBatch = 256;
// A record is at most this large; a larger claimed size is a broken source.
constexpr std::int32_t kMaxEventSize = 4096;

} // namespace

EventPuller::EventPuller(ComPtr<IEnumEventEx> events) : events_(std::move(events)), eventSize_(events_->EventSize())
{
    broken_ = eventSize_ < static_cast<std::int32_t>(sizeof(Host::EventHeader)) || eventSize_ > kMaxEventSize;
    if (!broken_) {
        raw_.resize(static_cast<std::size_t>(eventSize_) * kBatch);
    }
}

const Host::EventHeader* EventPuller::Peek()
{
    if (next_ >= headers_.size()) {
        Fetch();
    }
    return next_ < headers_.size() ? &headers_[next_] : nullptr;
}

void EventPuller::Fetch()
{
    headers_.clear();
    next_ = 0;
    if (exhausted_ || broken_) {
        return;
    }
    std::uint32_t count = 0;
    std::int32_t position = 0;
    const HRESULT hr = events_->Next(eventSize_, -1, raw_.data(), kBatch, &count, &position);
    if (Failed(hr) || count > kBatch) {
        broken_ = true;
        return;
    }
    headers_.resize(count);
    for (std::uint32_t i = 0; i < count; ++i) {
        std::memcpy(&headers_[i], raw_.data() + static_cast<std::size_t>(i) * static_cast<std::size_t>(eventSize_),
                    sizeof(Host::EventHeader));
    }
    exhausted_ = hr == S_FALSE;
    reportedBefore_ = exhausted_ ? INT_MAX : position;
}

} // namespace Desk

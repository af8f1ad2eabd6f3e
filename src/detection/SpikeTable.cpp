#include "detection/SpikeTable.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace Nerolith {

SpikeTable::SpikeTable(const SpikeTable& other) : size_(other.size_), extents_(other.extents_)
{
    for (std::size_t first = 0; first < size_; first += kSpikesPerChunk) {
        chunks_.emplace_back(kChunkBytes);
        const std::size_t count = std::min(kSpikesPerChunk, size_ - first);
        std::memcpy(chunks_.back().Data(), other.chunks_[first / kSpikesPerChunk].Data(), count * sizeof(StoredSpike));
    }
}

void SpikeTable::Append(float height, float widthMs, std::uint32_t colour, Host::Position position,
                        std::int32_t unit)
{
    extents_.maxHeight = std::max(extents_.maxHeight, height);
    extents_.minHeight = std::min(extents_.minHeight, height);
    extents_.maxWidth = std::max(extents_.maxWidth, widthMs);
    extents_.minWidth = std::min(extents_.minWidth, widthMs);
    if (size_ == chunks_.size() * kSpikesPerChunk) {
        chunks_.emplace_back(kChunkBytes);
    }
    auto* chunk = static_cast<StoredSpike*>(chunks_[size_ / kSpikesPerChunk].Data());
    new (&chunk[size_ % kSpikesPerChunk]) StoredSpike{height, widthMs, colour, unit, position};
    ++size_;
}

void SpikeTable::Clear()
{
    if (chunks_.size() > 1) {
        chunks_.resize(1);
    }
    size_ = 0;
    extents_ = SpikeExtents{};
}

} // namespace Nerolith

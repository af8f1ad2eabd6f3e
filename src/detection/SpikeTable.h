#pragma once

#include <cfloat>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "host/HostTypes.h"
#include "platform/memory/LargeBuffer.h"

namespace Nerolith {

// The range of heights and widths (ms) of the stored spikes; inverted
// (maximum below minimum) while there are none.
struct SpikeExtents {
    float minHeight = FLT_MAX;
    float maxHeight = -FLT_MAX;
    float minWidth = FLT_MAX;
    float maxWidth = -FLT_MAX;
};

// One stored spike: 24 bytes. Float32 keeps hundreds of thousands of spikes
// cheap to plot and count without going back to the host.
struct StoredSpike {
    float height = 0.0f;
    float widthMs = 0.0f;
    std::uint32_t colour = 0;
    std::int32_t unit = -1; // the unit number the spike got when it arrived
    Host::Position position;
};
static_assert(sizeof(StoredSpike) == 24, "the store keeps 24 bytes a spike");

template <typename T, T StoredSpike::*Field>
class SpikeColumn;

// The spikes of one analysis, in arrival order. They are kept in chunks of
// 2 MiB, each in one huge page where the system gives them: an hour of
// spikes at 20 a second fits the first chunk, no spike is ever moved, and
// the memory is set up in one step instead of a page fault per 4 KiB (on
// the virtual machines measured, the faults of a growing array cost a
// tenth of a whole run). Clear keeps the first chunk for the next analysis.
class SpikeTable {
public:
    static constexpr std::size_t kChunkBytes = std::size_t{2} << 20;
    static constexpr std::size_t kSpikesPerChunk = kChunkBytes / sizeof(StoredSpike);

    SpikeTable() = default;
    SpikeTable(const SpikeTable& other);
    SpikeTable& operator=(const SpikeTable&) = delete;

    void Append(float height, float widthMs, std::uint32_t colour, Host::Position position, std::int32_t unit);
    void Clear();

    std::size_t Size() const { return size_; }
    const StoredSpike& At(std::size_t index) const
    {
        return static_cast<const StoredSpike*>(chunks_[index / kSpikesPerChunk].Data())[index % kSpikesPerChunk];
    }

    SpikeColumn<float, &StoredSpike::height> Heights() const;
    SpikeColumn<float, &StoredSpike::widthMs> Widths() const;
    SpikeColumn<std::uint32_t, &StoredSpike::colour> Colours() const;
    SpikeColumn<Host::Position, &StoredSpike::position> Positions() const;
    // The unit number each spike got when it arrived.
    SpikeColumn<std::int32_t, &StoredSpike::unit> SpikeUnits() const;
    const SpikeExtents& Extents() const { return extents_; }

private:
    std::vector<platform::LargeBuffer> chunks_;
    std::size_t size_ = 0;
    SpikeExtents extents_;
};

// One field of every stored spike, read like an array.
template <typename T, T StoredSpike::*Field>
class SpikeColumn {
public:
    explicit SpikeColumn(const SpikeTable& table) : table_(&table) {}

    T operator[](std::size_t index) const { return table_->At(index).*Field; }
    std::size_t size() const { return table_->Size(); }
    bool empty() const { return table_->Size() == 0; }
    std::vector<T> ToVector() const
    {
        std::vector<T> values;
        values.reserve(size());
        for (std::size_t i = 0; i < size(); ++i) {
            values.push_back((*this)[i]);
        }
        return values;
    }

private:
    const SpikeTable* table_;
};

inline SpikeColumn<float, &StoredSpike::height> SpikeTable::Heights() const
{
    return SpikeColumn<float, &StoredSpike::height>(*this);
}
inline SpikeColumn<float, &StoredSpike::widthMs> SpikeTable::Widths() const
{
    return SpikeColumn<float, &StoredSpike::widthMs>(*this);
}
inline SpikeColumn<std::uint32_t, &StoredSpike::colour> SpikeTable::Colours() const
{
    return SpikeColumn<std::uint32_t, &StoredSpike::colour>(*this);
}
inline SpikeColumn<Host::Position, &StoredSpike::position> SpikeTable::Positions() const
{
    return SpikeColumn<Host::Position, &StoredSpike::position>(*this);
}
inline SpikeColumn<std::int32_t, &StoredSpike::unit> SpikeTable::SpikeUnits() const
{
    return SpikeColumn<std::int32_t, &StoredSpike::unit>(*this);
}

} // namespace Nerolith

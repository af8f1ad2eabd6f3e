#pragma once

#include <cfloat>
#include <cstdint>
#include <deque>
#include <vector>

#include "host/HostTypes.h"

namespace Nerolith {

// The range of heights and widths (ms) of the stored spikes; inverted
// (maximum below minimum) while there are none.
struct SpikeExtents {
    float minHeight = FLT_MAX;
    float maxHeight = -FLT_MAX;
    float minWidth = FLT_MAX;
    float maxWidth = -FLT_MAX;
};

// The spikes of one analysis as parallel arrays: entry i of each describes
// spike i, in arrival order. Float32 keeps tens of thousands of spikes
// cheap to plot and count without going back to the host.
class SpikeTable {
public:
    void Append(float height, float widthMs, std::uint32_t colour, Host::Position position, std::int32_t unit);
    void Clear();

    std::size_t Size() const { return heights_.size(); }
    const std::vector<float>& Heights() const { return heights_; }
    const std::vector<float>& Widths() const { return widths_; }
    const std::vector<std::uint32_t>& Colours() const { return colours_; }
    const std::deque<Host::Position>& Positions() const { return positions_; }
    // The unit number each spike got when it arrived.
    const std::deque<std::int32_t>& SpikeUnits() const { return units_; }
    const SpikeExtents& Extents() const { return extents_; }

private:
    std::vector<float> heights_;
    std::vector<float> widths_;
    std::vector<std::uint32_t> colours_;
    std::deque<Host::Position> positions_;
    std::deque<std::int32_t> units_;
    SpikeExtents extents_;
};

} // namespace Nerolith

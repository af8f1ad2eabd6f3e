#include "detection/SpikeTable.h"

#include <algorithm>

namespace Nerolith {

void SpikeTable::Append(float height, float widthMs, std::uint32_t colour, Host::Position position,
                        std::int32_t unit)
{
    extents_.maxHeight = std::max(extents_.maxHeight, height);
    extents_.minHeight = std::min(extents_.minHeight, height);
    extents_.maxWidth = std::max(extents_.maxWidth, widthMs);
    extents_.minWidth = std::min(extents_.minWidth, widthMs);
    heights_.push_back(height);
    widths_.push_back(widthMs);
    colours_.push_back(colour);
    positions_.push_back(position);
    units_.push_back(unit);
}

void SpikeTable::Clear()
{
    heights_.clear();
    widths_.clear();
    colours_.clear();
    positions_.clear();
    units_.clear();
    extents_ = SpikeExtents{};
}

} // namespace Nerolith

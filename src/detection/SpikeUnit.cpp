#include "detection/SpikeUnit.h"

namespace Nerolith {

void SpikeUnit::SetProperties(const VEX::String& name, std::uint32_t colour, double fitTolerance)
{
    record_.name = name;
    record_.colour = colour;
    record_.fitTolerance = fitTolerance;
}

void SpikeUnit::SetContour(std::vector<double> widths, std::vector<double> heights)
{
    record_.widths = std::move(widths);
    record_.heights = std::move(heights);
}

void SpikeUnit::SetSource(std::int32_t id1, std::int32_t id2)
{
    sourceId1_ = id1;
    sourceId2_ = id2;
}

} // namespace Nerolith

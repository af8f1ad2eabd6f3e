#pragma once

#include "detection/SpikeUnit.h"

namespace Nerolith {

// A polygon on the plot of spike width (ms) against height; a spike belongs
// to the unit when its point lies inside.
class ContourUnit final : public SpikeUnit {
public:
    // `record` carries the number, name, colour, channel and vertices.
    explicit ContourUnit(UnitRecord record);

    // Crossing-number rule with a ray towards larger widths, on the point
    // converted to float32; a point on a vertical edge does not cross it and
    // a horizontal edge is never crossed. The distance stays 0.
    bool Test(std::span<const float> window, double height, double widthMs, std::int32_t signalMode,
              double& distance) const override;
};

} // namespace Nerolith

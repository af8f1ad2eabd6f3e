#pragma once

#include <cstdint>

#include "host/ISpikeDocInterface.h"

// Unit A of the demo recording, as a contour drawn around it on the
// discriminator gives it.
inline bool AddDemoUnitA(ISpikeDocInterface& analysis)
{
    std::int32_t unit = 0;
    return Succeeded(analysis.CreateContourUnit(0, {0.2, 0.7, 0.7, 0.2}, {1.3, 1.3, 2.0, 2.0}, u"A", &unit));
}

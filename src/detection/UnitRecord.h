#pragma once

#include <climits>
#include <cstdint>
#include <vector>

#include "platform/text/VexString.h"

namespace VEX {
class BinIStream;
class BinOStream;
} // namespace VEX

namespace Nerolith {

enum UnitKind : std::int32_t {
    kPendingUnit = 0, // read from a document, not yet rebuilt
    kTemplateUnit = 1,
    kContourUnit = 2,
};

// What the document keeps of a unit; a unit read back stays in this form
// until its channel's data is there to rebuild it.
struct UnitRecord {
    std::int32_t kind = kPendingUnit;
    std::int32_t number = 0;
    VEX::String name;
    std::int32_t channel = 0;
    std::uint32_t colour = 0;
    std::int32_t sourceBlock = INT_MAX; // spike a template was taken from
    std::int32_t sourceTick = INT_MAX;
    double fitTolerance = 0.0;
    std::vector<double> widths;  // contour vertices, milliseconds
    std::vector<double> heights; // contour vertices, channel units

    void Write(VEX::BinOStream& out) const;
    // Reads one record; false when the stream ran short on the way (the
    // record is then incomplete and must not be used).
    bool Read(VEX::BinIStream& in);
};

} // namespace Nerolith

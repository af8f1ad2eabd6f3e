#pragma once

#include <cstdint>

#include "host/ISpikeDocInterface.h"

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
// until its channel's data is there to rebuild it. The scripting interface
// hands out the same record.
using UnitRecord = Host::UnitDescription;

void WriteUnitRecord(VEX::BinOStream& out, const UnitRecord& record);
// Reads one record; false when the stream ran short on the way (the record
// is then incomplete and must not be used).
bool ReadUnitRecord(VEX::BinIStream& in, UnitRecord& record);

} // namespace Nerolith

#pragma once

#include "host/HostTypes.h"
#include "platform/com/Result.h"
#include "platform/text/VexString.h"

namespace Nerolith {

class SpikeDoc;

// Guards analysed data against edits made in the host: an edit at or before
// the end of an analysis asks first, and a confirmed edit clears the
// analyses, which no longer match the data.
class DataChangeGuard {
public:
    explicit DataChangeGuard(SpikeDoc& doc) : doc_(doc) {}

    // E_FAIL with "Grafo data not modified." when the user keeps the analysis.
    HRESULT Before(Host::Position position, VEX::String* error);
    HRESULT After(Host::Position position);

    // Whether an edit at the position touches analysed data.
    bool Affects(Host::Position position) const;

private:
    void ClearAnalyses();

    SpikeDoc& doc_;
    bool clearConfirmed_ = false;
    bool changeAnnounced_ = false;
};

} // namespace Nerolith

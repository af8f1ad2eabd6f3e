#pragma once

#include <cstdint>
#include <map>

#include "desk/calc/BlockAvailability.h"
#include "desk/calc/ChildDataStore.h"
#include "desk/calc/EventSourceTable.h"
#include "desk/calc/FilterDesign.h"
#include "desk/calc/FunctionRegistry.h"
#include "desk/recording/Recording.h"

namespace Desk {

// What the engine's objects share: the recording, what of it can be read
// now, and the document's functions, event sources and child data. Held
// through a shared pointer by every object the engine hands out, so an
// enumerator the module keeps a little longer stays valid. The recording
// itself must outlive them all.
class CalcContext {
public:
    CalcContext(const Recording& recording, AvailabilityFunction availability);

    const Recording& recording;
    ChildDataStore childData;
    FunctionRegistry functions;
    EventSourceTable sources;
    // The filters set on channels: whatever reads such a channel reads it
    // filtered, detection included.
    std::map<std::int32_t, FilterDesign> filters;

    bool IsChannel(std::int32_t channel) const;
    bool IsBlock(std::int32_t block) const;
    // The ticks of a channel in a block that can be read now (never more than
    // the recording holds) and whether more will follow.
    BlockAvailability Available(std::int32_t channel, std::int32_t block) const;
    // A sample read may start anywhere up to the block's end (on a growing
    // block, up to the end of what will be recorded).
    bool IsStartTick(std::int32_t channel, std::int32_t block, std::int32_t startTick) const;
    // The block-wide limit of what has been sampled (INT_MAX when the whole
    // recorded block may be read).
    BlockAvailability Available(std::int32_t block) const;

private:
    AvailabilityFunction availability_;
};

} // namespace Desk

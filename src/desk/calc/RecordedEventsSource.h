#pragma once

#include <cstdint>
#include <memory>

#include "desk/calc/EventSourceBase.h"

namespace Desk {

// One of the recording's own event lists (stimulus marks, annotations), as
// generic events.
class RecordedEventsSource final : public EventSourceBase {
public:
    RecordedEventsSource(std::shared_ptr<const CalcContext> context, std::int32_t listIndex);

    // On the block's common clock: that of the first channel.
    HRESULT SampleInterval(std::int32_t block, double* seconds) override;
    HRESULT OpenEvents(std::int32_t block, std::int32_t firstTick, std::int32_t endTick,
                       IEnumEventEx** events) override;

private:
    std::int32_t listIndex_;
};

} // namespace Desk

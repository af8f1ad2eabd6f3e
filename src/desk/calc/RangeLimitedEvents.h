#pragma once

#include <cstdint>

#include "host/IEnumEventEx.h"
#include "platform/com/ComPtr.h"

namespace Desk {

// Ends another enumerator's events at an end tick: a function enumerator
// runs to the end of its block, but a caller may want less.
class RangeLimitedEvents final : public UnknownImpl<IEnumEventEx> {
public:
    RangeLimitedEvents(ComPtr<IEnumEventEx> inner, std::int32_t endTick);

    std::int32_t EventSize() override { return inner_->EventSize(); }
    HRESULT Next(std::int32_t eventSize, std::int32_t endTick, void* records, std::uint32_t capacity,
                 std::uint32_t* count, std::int32_t* position) override;
    HRESULT Skip(std::int32_t tick, std::int32_t* position) override;

private:
    ComPtr<IEnumEventEx> inner_;
    std::int32_t endTick_;
};

} // namespace Desk

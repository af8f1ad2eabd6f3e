#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "desk/calc/CalcContext.h"
#include "host/IEnumEventEx.h"
#include "platform/com/ComPtr.h"

namespace Desk {

// Generic 16-byte events at known ticks of one block (a recording's event
// list). While the block is being sampled, events past what has been
// sampled are held back.
class TickListEvents final : public UnknownImpl<IEnumEventEx> {
public:
    // `ticks` ascending, already cut to the range that was asked for.
    TickListEvents(std::shared_ptr<const CalcContext> context, std::int32_t block, std::vector<std::int32_t> ticks);

    std::int32_t EventSize() override { return sizeof(Host::EventHeader); }
    HRESULT Next(std::int32_t eventSize, std::int32_t endTick, void* records, std::uint32_t capacity,
                 std::uint32_t* count, std::int32_t* position) override;
    HRESULT Skip(std::int32_t tick, std::int32_t* position) override;

private:
    bool Exhausted() const { return next_ >= ticks_.size(); }

    std::shared_ptr<const CalcContext> context_;
    std::int32_t block_;
    std::vector<std::int32_t> ticks_;
    std::size_t next_ = 0;
};

// Checks the arguments every IEnumEventEx::Next receives.
HRESULT CheckNextArguments(std::int32_t eventSize, const void* records, std::uint32_t capacity,
                           const std::uint32_t* count, const std::int32_t* position);

} // namespace Desk

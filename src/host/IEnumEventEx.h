#pragma once

#include <cstdint>

#include "platform/com/Unknown.h"

namespace Host {
// Request flag of an event enumerator over an expression.
inline constexpr std::uint32_t kEventRequest = 0x40000000u;

// The header every event record starts with.
struct EventHeader {
    std::int32_t tick;
    float fraction;
    double value;
};
static_assert(sizeof(EventHeader) == 16);
} // namespace Host

// Events of one block in tick order.
class IEnumEventEx : public IUnknown {
public:
    static constexpr IID iid{0x4E524C01, 0x0003, 0x4000, {0x80, 0, 0, 0, 0, 0, 0, 0x03}};

    // Size in bytes of one record.
    virtual std::int32_t EventSize() = 0;
    // Writes up to `capacity` records, `eventSize` bytes apart, at `records`,
    // none at or past `endTick` (negative: no end). *count is how many were
    // written; *position the tick before which every event has been reported
    // (INT_MAX once exhausted). Returns S_FALSE once exhausted, else S_OK
    // (S_OK with *count 0 means no more yet while the block grows).
    virtual HRESULT Next(std::int32_t eventSize, std::int32_t endTick, void* records,
                         std::uint32_t capacity, std::uint32_t* count, std::int32_t* position) = 0;
    // Positions at the first event at or after `tick`.
    virtual HRESULT Skip(std::int32_t tick, std::int32_t* position) = 0;

protected:
    ~IEnumEventEx() = default;
};

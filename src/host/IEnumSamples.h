#pragma once

#include <cstdint>

#include "platform/com/Unknown.h"

namespace Host {
// Request code of a sample enumerator.
inline constexpr std::uint32_t kSampleRequest = 0xC0001000u;
} // namespace Host

// Float32 samples of one channel in one block, in tick order from a start
// tick.
class IEnumSamples : public IUnknown {
public:
    static constexpr IID iid{0x4E524C01, 0x0002, 0x4000, {0x80, 0, 0, 0, 0, 0, 0, 0x02}};

    // Copies up to `count` samples. S_OK: more may follow; *fetched is below
    // `count` only while the block is still being sampled ("no more yet").
    // S_FALSE: the block's end was reached; *fetched holds what was left.
    virtual HRESULT Next(std::uint32_t count, float* samples, std::uint32_t* fetched) = 0;
    // The tick of the next sample Next delivers.
    virtual std::int32_t Tick() = 0;

protected:
    ~IEnumSamples() = default;
};

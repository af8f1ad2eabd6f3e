#pragma once

#include <cstdint>

#include "host/IEnumEventEx.h"
#include "host/IEnumSamples.h"
#include "host/IGrafoDataChildData.h"
#include "platform/com/Unknown.h"

// A data-source argument of a calculation function as the engine hands it to
// the function's enumerator: a (possibly negated) channel or an event source.
class ICalcSource : public IUnknown {
public:
    static constexpr IID iid{0x4E524C01, 0x0005, 0x4000, {0x80, 0, 0, 0, 0, 0, 0, 0x05}};

    // The 0-based channel the source reads, or -1 for an event source.
    virtual std::int32_t Channel() = 0;
    virtual HRESULT SampleInterval(std::int32_t block, double* seconds) = 0;
    // Samples of the block from `startTick` (negated when the source is).
    virtual HRESULT OpenSamples(std::int32_t block, std::int32_t startTick, IEnumSamples** samples) = 0;
    // Events of an event source in the block from `firstTick` to `endTick`.
    virtual HRESULT OpenEvents(std::int32_t block, std::int32_t firstTick, std::int32_t endTick,
                               IEnumEventEx** events) = 0;
    // Child data attached to the source's channel (or, failing that, to the
    // document) under `key`; S_FALSE and null when there is none.
    virtual HRESULT FindChildData(std::uint32_t key, IGrafoDataChildData** child) = 0;

protected:
    ~ICalcSource() = default;
};

#pragma once

#include <cstdint>

#include "platform/com/Unknown.h"

// Offered beside IEnumSamples by a host that can lend samples in place
// instead of copying them: ask the enumerator with QueryInterface. Older
// hosts answer E_NOINTERFACE, and a host may decline any particular range;
// the caller then copies them with IEnumSamples::Next.
class IEnumSampleSpans : public IUnknown {
public:
    static constexpr IID iid{0x4E524C01, 0x0002, 0x4000, {0x80, 0, 0, 0, 0, 0, 0, 0x12}};

    // Points *samples at up to `count` samples in place and advances past
    // them, answering like IEnumSamples::Next (S_OK, S_FALSE at the block's
    // end). They stay valid until the next call on this enumerator or its
    // release. E_NOTIMPL: these samples cannot be lent, nothing advanced.
    // A call fails when the samples lent by the one before turned out not to
    // be there (the recording changed while they were read); a call with
    // `count` 0 only checks that.
    virtual HRESULT NextSpan(std::uint32_t count, const float** samples, std::uint32_t* fetched) = 0;

protected:
    ~IEnumSampleSpans() = default;
};

#pragma once

#include <cstdint>

#include "platform/com/Unknown.h"
#include "platform/text/VexString.h"

namespace Host {
// What the host says of a block as sampling starts it.
struct BlockDescription {
    std::int32_t block = 0;
    double startTime = 0.0;
};
} // namespace Host

// Called by the host while it samples.
class IOnlineDataSink : public IUnknown {
public:
    static constexpr IID iid{0x4E524C01, 0x0014, 0x4000, {0x80, 0, 0, 0, 0, 0, 0, 0x14}};

    // *allowed is -1 when sampling may start, 0 when not (then the result is
    // E_FAIL and *message says why).
    virtual HRESULT MayStart(std::int16_t* allowed, VEX::String* message) = 0;
    virtual HRESULT Start() = 0;
    // `recorded` is a 16-bit boolean: 0 or -1.
    virtual HRESULT BlockStart(const Host::BlockDescription& description, std::int16_t recorded) = 0;
    virtual HRESULT NewData(std::int32_t ticks) = 0;
    virtual HRESULT BlockEnd() = 0;
    virtual HRESULT Stop() = 0;

protected:
    ~IOnlineDataSink() = default;
};

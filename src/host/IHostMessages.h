#pragma once

#include <cstdint>

#include "platform/com/Unknown.h"

// Receives the request messages the host's message system delivers.
class IMessageTarget : public IUnknown {
public:
    static constexpr IID iid{0x4E524C01, 0x000F, 0x4000, {0x80, 0, 0, 0, 0, 0, 0, 0x0F}};

    virtual HRESULT Deliver(std::uint32_t code, std::int32_t parameter) = 0;

protected:
    ~IMessageTarget() = default;
};

// The host's message system: requests are queued and delivered in order when
// the host gets back to its message loop.
class IHostMessages : public IUnknown {
public:
    static constexpr IID iid{0x4E524C01, 0x0010, 0x4000, {0x80, 0, 0, 0, 0, 0, 0, 0x10}};

    virtual HRESULT Send(IMessageTarget* target, std::uint32_t code, std::int32_t parameter) = 0;

protected:
    ~IHostMessages() = default;
};

#pragma once

#include <cstdint>

#include "platform/com/Unknown.h"
#include "platform/text/VexString.h"

// Draws an analysed channel's events as markers in the host's display and
// gives each marker's hint text.
class IEventDrawClass : public IUnknown {
public:
    static constexpr IID iid{0x4E524C01, 0x0013, 0x4000, {0x80, 0, 0, 0, 0, 0, 0, 0x13}};

    virtual HRESULT Name(VEX::String* name) = 0;
    // The hint for an event record (`eventSize` bytes) of a channel in a block.
    virtual HRESULT HintText(const void* event, std::int32_t eventSize, std::int32_t channel,
                             std::int32_t block, VEX::String* text) = 0;

protected:
    ~IEventDrawClass() = default;
};

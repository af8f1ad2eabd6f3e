#pragma once

#include <cstdint>

#include "host/IEnumEventEx.h"
#include "host/IEnumSamples.h"
#include "platform/com/Unknown.h"
#include "platform/text/VexString.h"

// The host's calculation engine as the module uses it.
class IHostCalc : public IUnknown {
public:
    static constexpr IID iid{0x4E524C01, 0x0008, 0x4000, {0x80, 0, 0, 0, 0, 0, 0, 0x08}};

    // Samples of a channel in a block from `startTick` (request code
    // Host::kSampleRequest). Fails, leaving *samples null, when there are none.
    virtual HRESULT OpenSamples(std::int32_t channel, std::int32_t block, std::int32_t startTick,
                                std::uint32_t requestCode, IEnumSamples** samples) = 0;
    // Events of an expression (a function call or a source's name) in a block
    // from `firstTick` to `endTick` (INT_MAX: to the block's end), with the
    // request flag Host::kEventRequest. Fails, leaving *events null, when the
    // expression cannot be evaluated there.
    virtual HRESULT OpenExpressionEvents(const VEX::String& expression, std::int32_t block,
                                         std::int32_t firstTick, std::int32_t endTick, std::uint32_t flags,
                                         IEnumEventEx** events) = 0;

    // Named event sources, identified by two words the host hands out.
    virtual HRESULT RegisterEventSource(const VEX::String& name, const VEX::String& expression,
                                        std::int32_t* id1, std::int32_t* id2) = 0;
    virtual HRESULT RenameEventSource(std::int32_t id1, std::int32_t id2, const VEX::String& name) = 0;
    virtual HRESULT WithdrawEventSource(std::int32_t id1, std::int32_t id2) = 0;
    virtual HRESULT EventSourceName(std::int32_t id1, std::int32_t id2, VEX::String* name) = 0;
    // The position of the event source a text names (a source's name, or an
    // expression the engine can evaluate); Host::kAbsentSource and S_FALSE
    // when it names none.
    virtual HRESULT ResolveEventSource(const VEX::String& text, std::int32_t* position) = 0;
    // Events of the source at a resolved position.
    virtual HRESULT OpenSourceEvents(std::int32_t position, std::int32_t block, std::int32_t firstTick,
                                     std::int32_t endTick, IEnumEventEx** events) = 0;
    // The event sources in the host's order: their count and each one's name.
    virtual std::int32_t EventSourceCount() = 0;
    virtual HRESULT EventSourceNameAt(std::int32_t position, VEX::String* name) = 0;

protected:
    ~IHostCalc() = default;
};

#pragma once

#include <cstdint>

#include "platform/com/Stream.h"
#include "platform/com/Unknown.h"
#include "platform/text/VexString.h"

// A calculation a user sets on a host channel: the channel's data become the
// values of an expression. The host persists its settings with it.
class IChannelCalculation : public IUnknown {
public:
    static constexpr IID iid{0x4E524C01, 0x0009, 0x4000, {0x80, 0, 0, 0, 0, 0, 0, 0x09}};

    virtual HRESULT ExpressionText(VEX::String* text) = 0;
    // S_OK when the calculation may be set on `channel`; otherwise E_FAIL and
    // the reason in *message.
    virtual HRESULT CheckChannel(std::int32_t channel, VEX::String* message) = 0;
    virtual HRESULT SaveSettings(IStream* stream) = 0;
    virtual HRESULT LoadSettings(IStream* stream) = 0;

protected:
    ~IChannelCalculation() = default;
};

class IChannelCalculationClass : public IUnknown {
public:
    static constexpr IID iid{0x4E524C01, 0x000A, 0x4000, {0x80, 0, 0, 0, 0, 0, 0, 0x0A}};

    virtual HRESULT Name(VEX::String* name) = 0;
    // A new calculation with default settings, count 1, for a document.
    virtual HRESULT Create(IUnknown* hostDocument, IChannelCalculation** calculation) = 0;

protected:
    ~IChannelCalculationClass() = default;
};

// The host side: channel calculations applied to channels.
class IHostChannelCalculations : public IUnknown {
public:
    static constexpr IID iid{0x4E524C01, 0x000B, 0x4000, {0x80, 0, 0, 0, 0, 0, 0, 0x0B}};

    // Sets the calculation on a channel; fails with the calculation's own
    // reason when it refuses the channel.
    virtual HRESULT Apply(std::int32_t channel, IChannelCalculation* calculation, VEX::String* message) = 0;
    // The expression text of the calculation on a channel; S_FALSE when none.
    virtual HRESULT Expression(std::int32_t channel, VEX::String* text) = 0;

protected:
    ~IHostChannelCalculations() = default;
};

#pragma once

#include <cstdint>

#include "host/HostTypes.h"
#include "platform/com/Unknown.h"
#include "platform/text/VexString.h"

// The recording layout of a host document: channels sampled in blocks.
class IHostRecording : public IUnknown {
public:
    static constexpr IID iid{0x4E524C01, 0x0001, 0x4000, {0x80, 0, 0, 0, 0, 0, 0, 0x01}};

    virtual std::int32_t ChannelCount() = 0;
    virtual std::int32_t BlockCount() = 0;
    // Ticks of a channel in a block (what is there so far while sampling).
    virtual HRESULT ChannelTicks(std::int32_t channel, std::int32_t block, std::int32_t* ticks) = 0;
    // Ticks in a block: the longest of its channels.
    virtual HRESULT BlockTicks(std::int32_t block, std::int32_t* ticks) = 0;
    // Seconds from the start of the recording to the block's first tick.
    virtual HRESULT BlockStartTime(std::int32_t block, double* seconds) = 0;
    // Seconds per tick of a channel in a block.
    virtual HRESULT SampleInterval(std::int32_t channel, std::int32_t block, double* seconds) = 0;
    // The block being sampled; E_FAIL when the host is not sampling.
    virtual HRESULT SampledBlock(std::int32_t* block) = 0;
    // Checks that a position lies within the channel's data (an end tick may
    // equal the block length); E_FAIL when it does not.
    virtual HRESULT ValidatePosition(std::int32_t channel, Host::Position position) = 0;
    // The end of the recording: tick count of the last block, exclusive.
    virtual HRESULT EndPosition(Host::Position* end) = 0;
    virtual HRESULT ChannelTitle(std::int32_t channel, VEX::String* title) = 0;
    // The unit text of a channel and the factor from that unit to the stored
    // values (1.0 when the channel gives none).
    virtual HRESULT ChannelUnit(std::int32_t channel, VEX::String* unit, double* factor) = 0;

protected:
    ~IHostRecording() = default;
};

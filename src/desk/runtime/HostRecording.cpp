#include "desk/runtime/HostRecording.h"

#include <algorithm>

namespace Desk {

HostRecording::HostRecording(const Recording& recording, const SamplingState& sampling)
    : recording_(recording), sampling_(sampling)
{
}

std::int32_t HostRecording::ChannelCount() { return recording_.ChannelCount(); }

std::int32_t HostRecording::BlockCount() { return sampling_.VisibleBlockCount(recording_.BlockCount()); }

bool HostRecording::HasChannel(std::int32_t channel) const
{
    return channel >= 0 && channel < recording_.ChannelCount();
}

bool HostRecording::HasBlock(std::int32_t block) const
{
    return block >= 0 && block < sampling_.VisibleBlockCount(recording_.BlockCount());
}

std::int32_t HostRecording::RecordedTicks(std::int32_t block) const
{
    std::int32_t ticks = 0;
    for (std::int32_t channel = 0; channel < recording_.ChannelCount(); ++channel) {
        ticks = std::max(ticks, recording_.Ticks(channel, block));
    }
    return ticks;
}

// While a block is sampled its channels grow together; a channel sampled
// more slowly than the longest one shows its share of the received ticks.
std::int32_t HostRecording::VisibleTicks(std::int32_t channel, std::int32_t block) const
{
    if (!HasChannel(channel) || !HasBlock(block)) {
        return 0;
    }
    const std::int32_t full = recording_.Ticks(channel, block);
    const std::int32_t longest = RecordedTicks(block);
    const SamplingState::Block visible = sampling_.Visible(block, longest);
    if (!visible.growing || longest == 0) {
        return full;
    }
    return static_cast<std::int32_t>(static_cast<std::int64_t>(visible.ticks) * full / longest);
}

HRESULT HostRecording::ChannelTicks(std::int32_t channel, std::int32_t block, std::int32_t* ticks)
{
    if (ticks == nullptr) {
        return E_POINTER;
    }
    if (!HasChannel(channel) || !HasBlock(block)) {
        return E_INVALIDARG;
    }
    *ticks = VisibleTicks(channel, block);
    return S_OK;
}

HRESULT HostRecording::BlockTicks(std::int32_t block, std::int32_t* ticks)
{
    if (ticks == nullptr) {
        return E_POINTER;
    }
    if (!HasBlock(block)) {
        return E_INVALIDARG;
    }
    *ticks = sampling_.Visible(block, RecordedTicks(block)).ticks;
    return S_OK;
}

HRESULT HostRecording::BlockStartTime(std::int32_t block, double* seconds)
{
    if (seconds == nullptr) {
        return E_POINTER;
    }
    if (!HasBlock(block)) {
        return E_INVALIDARG;
    }
    *seconds = recording_.BlockStartTime(block);
    return S_OK;
}

HRESULT HostRecording::SampleInterval(std::int32_t channel, std::int32_t block, double* seconds)
{
    if (seconds == nullptr) {
        return E_POINTER;
    }
    if (!HasChannel(channel) || !HasBlock(block)) {
        return E_INVALIDARG;
    }
    *seconds = recording_.SampleInterval(channel, block);
    return S_OK;
}

HRESULT HostRecording::SampledBlock(std::int32_t* block)
{
    if (block == nullptr) {
        return E_POINTER;
    }
    if (!sampling_.Active() || sampling_.SampledBlock() < 0) {
        return E_FAIL;
    }
    *block = sampling_.SampledBlock();
    return S_OK;
}

HRESULT HostRecording::ValidatePosition(std::int32_t channel, Host::Position position)
{
    if (!HasChannel(channel) || !HasBlock(position.block)) {
        return E_FAIL;
    }
    const bool inBlock = position.tick >= 0 && position.tick <= VisibleTicks(channel, position.block);
    return inBlock ? S_OK : E_FAIL;
}

HRESULT HostRecording::EndPosition(Host::Position* end)
{
    if (end == nullptr) {
        return E_POINTER;
    }
    const std::int32_t blocks = BlockCount();
    if (blocks == 0) {
        *end = {0, 0};
        return S_OK;
    }
    std::int32_t ticks = 0;
    BlockTicks(blocks - 1, &ticks);
    *end = {ticks, blocks - 1};
    return S_OK;
}

HRESULT HostRecording::ChannelTitle(std::int32_t channel, VEX::String* title)
{
    if (title == nullptr) {
        return E_POINTER;
    }
    if (!HasChannel(channel)) {
        return E_INVALIDARG;
    }
    *title = recording_.ChannelTitle(channel);
    return S_OK;
}

HRESULT HostRecording::ChannelUnit(std::int32_t channel, VEX::String* unit, double* factor)
{
    if (unit == nullptr || factor == nullptr) {
        return E_POINTER;
    }
    if (!HasChannel(channel)) {
        return E_INVALIDARG;
    }
    *unit = recording_.ChannelUnit(channel);
    *factor = recording_.ChannelUnitFactor(channel);
    return S_OK;
}

} // namespace Desk

#include "desk/runtime/SamplingState.h"

#include <algorithm>

namespace Desk {

void SamplingState::Start()
{
    Begin(-1);
}

void SamplingState::Begin(std::int32_t block)
{
    active_ = true;
    blockComplete_ = false;
    block_ = block;
    received_ = 0;
}

void SamplingState::Stop()
{
    active_ = false;
    blockComplete_ = false;
    received_ = 0;
}

SamplingState::Block SamplingState::Visible(std::int32_t block, std::int32_t fullTicks) const
{
    if (!active_ || block < block_) {
        return {fullTicks, false};
    }
    if (block > block_) {
        return {0, true};
    }
    return {std::min(received_, fullTicks), !blockComplete_};
}

std::int32_t SamplingState::VisibleBlockCount(std::int32_t fullCount) const
{
    return active_ ? std::min(block_ + 1, fullCount) : fullCount;
}

} // namespace Desk

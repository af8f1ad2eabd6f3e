#pragma once

#include <cstdint>
#include <memory>

#include "desk/calc/CalcContext.h"
#include "host/IEnumSampleSpans.h"
#include "host/IEnumSamples.h"
#include "platform/com/ComPtr.h"

namespace Desk {

// A channel's recorded samples of one block, copied in bulk straight from
// the recording (negated for "-chN"). While the block is being sampled it
// delivers what exists and answers "no more yet" until the block is done.
// Lends samples in place where the recording holds them as they are read.
class ChannelSamples final : public UnknownImpl<IEnumSamples, IEnumSampleSpans> {
public:
    // Fails with E_INVALIDARG, leaving *samples null, for a channel or block
    // that does not exist or a start tick outside the block.
    static HRESULT Open(std::shared_ptr<const CalcContext> context, std::int32_t channel, std::int32_t block,
                        std::int32_t startTick, bool negated, IEnumSamples** samples);

    HRESULT Next(std::uint32_t count, float* samples, std::uint32_t* fetched) override;
    std::int32_t Tick() override { return tick_; }
    HRESULT NextSpan(std::uint32_t count, const float** samples, std::uint32_t* fetched) override;

private:
    ChannelSamples(std::shared_ptr<const CalcContext> context, std::int32_t channel, std::int32_t block,
                   std::int32_t startTick, bool negated);
    // How many of `count` samples can be read now and whether that ends the
    // block (S_FALSE) or more may follow (S_OK).
    std::size_t Wanted(std::uint32_t count, BlockAvailability& now) const;
    HRESULT Advance(std::size_t delivered, std::size_t wanted, const BlockAvailability& now);

    std::shared_ptr<const CalcContext> context_;
    std::int32_t channel_;
    std::int32_t block_;
    std::int32_t tick_;
    bool negated_;
};

// A channel's samples as everything reads them: through the filter set on
// the channel, if any, else as recorded.
HRESULT OpenChannelSamples(std::shared_ptr<const CalcContext> context, std::int32_t channel, std::int32_t block,
                           std::int32_t startTick, bool negated, IEnumSamples** samples);

} // namespace Desk

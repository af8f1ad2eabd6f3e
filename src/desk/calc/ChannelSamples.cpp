#include "desk/calc/ChannelSamples.h"

#include <algorithm>

#include "desk/calc/FilteredSamples.h"

namespace Desk {

HRESULT ChannelSamples::Open(std::shared_ptr<const CalcContext> context, std::int32_t channel, std::int32_t block,
                             std::int32_t startTick, bool negated, IEnumSamples** samples)
{
    if (samples == nullptr) {
        return E_POINTER;
    }
    *samples = nullptr;
    if (!context->IsStartTick(channel, block, startTick)) {
        return E_INVALIDARG;
    }
    *samples = new ChannelSamples(std::move(context), channel, block, startTick, negated);
    (*samples)->AddRef();
    return S_OK;
}

ChannelSamples::ChannelSamples(std::shared_ptr<const CalcContext> context, std::int32_t channel,
                               std::int32_t block, std::int32_t startTick, bool negated)
    : context_(std::move(context)), channel_(channel), block_(block), tick_(startTick), negated_(negated)
{
}

std::size_t ChannelSamples::Wanted(std::uint32_t count, BlockAvailability& now) const
{
    now = context_->Available(channel_, block_);
    const std::int64_t room = std::max<std::int64_t>(0, std::int64_t{now.ticks} - tick_);
    return static_cast<std::size_t>(std::min<std::int64_t>(count, room));
}

HRESULT ChannelSamples::Advance(std::size_t delivered, std::size_t wanted, const BlockAvailability& now)
{
    tick_ += static_cast<std::int32_t>(delivered);
    const bool ended = !now.growing && (tick_ >= now.ticks || delivered < wanted);
    return ended ? S_FALSE : S_OK;
}

HRESULT ChannelSamples::Next(std::uint32_t count, float* samples, std::uint32_t* fetched)
{
    if (fetched != nullptr) {
        *fetched = 0;
    }
    if (samples == nullptr && count > 0) {
        return E_POINTER;
    }
    // Whatever was lent before must have been there.
    context_->recording.CheckLent();
    BlockAvailability now{};
    const std::size_t wanted = Wanted(count, now);
    const std::size_t copied =
        wanted > 0 ? std::min(wanted, context_->recording.Read(channel_, block_, tick_, wanted, samples)) : 0;
    if (negated_) {
        std::transform(samples, samples + copied, samples, [](float value) { return -value; });
    }
    if (fetched != nullptr) {
        *fetched = static_cast<std::uint32_t>(copied);
    }
    return Advance(copied, wanted, now);
}

HRESULT ChannelSamples::NextSpan(std::uint32_t count, const float** samples, std::uint32_t* fetched)
{
    if (samples == nullptr || fetched == nullptr) {
        return E_POINTER;
    }
    *samples = nullptr;
    *fetched = 0;
    context_->recording.CheckLent();
    BlockAvailability now{};
    const std::size_t wanted = Wanted(count, now);
    if (wanted == 0) {
        return Advance(0, 0, now);
    }
    const std::span<const float> lent =
        negated_ ? std::span<const float>() : context_->recording.Lend(channel_, block_, tick_, wanted);
    if (lent.empty()) {
        return E_NOTIMPL;
    }
    const std::size_t delivered = std::min(wanted, lent.size());
    *samples = lent.data();
    *fetched = static_cast<std::uint32_t>(delivered);
    return Advance(delivered, wanted, now);
}

HRESULT OpenChannelSamples(std::shared_ptr<const CalcContext> context, std::int32_t channel, std::int32_t block,
                           std::int32_t startTick, bool negated, IEnumSamples** samples)
{
    const auto filter = context->filters.find(channel);
    if (filter != context->filters.end()) {
        const FilterDesign design = filter->second;
        return FilteredSamples::Open(std::move(context), design, channel, block, startTick, negated, samples);
    }
    return ChannelSamples::Open(std::move(context), channel, block, startTick, negated, samples);
}

} // namespace Desk

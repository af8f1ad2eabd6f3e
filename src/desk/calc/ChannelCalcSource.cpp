#include "desk/calc/ChannelCalcSource.h"

#include "desk/calc/ChannelSamples.h"
#include "desk/calc/FilteredSamples.h"

namespace Desk {

HRESULT ChannelSampleInterval(const CalcContext& context, std::int32_t channel, std::int32_t block,
                              double* seconds)
{
    if (seconds == nullptr) {
        return E_POINTER;
    }
    if (!context.IsChannel(channel) || !context.IsBlock(block)) {
        return E_INVALIDARG;
    }
    *seconds = context.recording.SampleInterval(channel, block);
    return S_OK;
}

ChannelCalcSource::ChannelCalcSource(std::shared_ptr<const CalcContext> context, std::int32_t channel,
                                     bool negated, std::optional<FilterDesign> filter)
    : context_(std::move(context)), channel_(channel), negated_(negated), filter_(std::move(filter))
{
}

HRESULT ChannelCalcSource::SampleInterval(std::int32_t block, double* seconds)
{
    return ChannelSampleInterval(*context_, channel_, block, seconds);
}

HRESULT ChannelCalcSource::OpenSamples(std::int32_t block, std::int32_t startTick, IEnumSamples** samples)
{
    if (filter_) {
        return FilteredSamples::Open(context_, *filter_, channel_, block, startTick, negated_, samples);
    }
    return OpenChannelSamples(context_, channel_, block, startTick, negated_, samples);
}

HRESULT ChannelCalcSource::OpenEvents(std::int32_t, std::int32_t, std::int32_t, IEnumEventEx** events)
{
    if (events == nullptr) {
        return E_POINTER;
    }
    *events = nullptr;
    return E_FAIL;
}

HRESULT ChannelCalcSource::FindChildData(std::uint32_t key, IGrafoDataChildData** child)
{
    return context_->childData.Find(channel_, key, child);
}

} // namespace Desk

#include "desk/calc/EventWaveformSource.h"

#include <climits>
#include <cmath>

#include "desk/calc/ChannelCalcSource.h"

namespace Desk {

EventWaveformSource::EventWaveformSource(std::shared_ptr<const CalcContext> context, ComPtr<ICalcSource> events,
                                         WaveformKind kind, std::int32_t channel)
    : context_(std::move(context)), events_(std::move(events)), kind_(kind), channel_(channel)
{
}

HRESULT EventWaveformSource::SampleInterval(std::int32_t block, double* seconds)
{
    return ChannelSampleInterval(*context_, channel_, block, seconds);
}

HRESULT EventWaveformSource::OpenSamples(std::int32_t block, std::int32_t startTick, IEnumSamples** samples)
{
    if (samples == nullptr) {
        return E_POINTER;
    }
    *samples = nullptr;
    if (!context_->IsStartTick(channel_, block, startTick)) {
        return E_INVALIDARG;
    }
    const double interval = context_->recording.SampleInterval(channel_, block);
    if (!std::isfinite(interval) || interval <= 0.0) {
        return E_FAIL;
    }
    ComPtr<IEnumEventEx> events;
    if (const HRESULT hr = events_->OpenEvents(block, 0, INT_MAX, events.Put()); Failed(hr) || !events) {
        return Failed(hr) ? hr : E_FAIL;
    }
    *samples = ComPtr<IEnumSamples>(
                   new EventWaveformSamples(context_, std::move(events), kind_, channel_, block, startTick))
                   .Detach();
    return S_OK;
}

HRESULT EventWaveformSource::OpenEvents(std::int32_t, std::int32_t, std::int32_t, IEnumEventEx** events)
{
    if (events == nullptr) {
        return E_POINTER;
    }
    *events = nullptr;
    return E_FAIL;
}

HRESULT EventWaveformSource::FindChildData(std::uint32_t key, IGrafoDataChildData** child)
{
    return context_->childData.Find(channel_, key, child);
}

} // namespace Desk

#include "desk/calc/FunctionCallSource.h"

#include <algorithm>
#include <climits>

#include "desk/calc/ChannelCalcSource.h"
#include "desk/calc/RangeLimitedEvents.h"

namespace Desk {

FunctionCallSource::FunctionCallSource(std::shared_ptr<const CalcContext> context,
                                       ComPtr<ICalcNumericParamsFuncClass> function,
                                       std::vector<ComPtr<ICalcSource>> sources, std::vector<double> numbers)
    : EventSourceBase(std::move(context)),
      function_(std::move(function)),
      sources_(std::move(sources)),
      numbers_(std::move(numbers))
{
    for (const ComPtr<ICalcSource>& source : sources_) {
        sourcePointers_.push_back(source.Get());
    }
}

HRESULT FunctionCallSource::SampleInterval(std::int32_t block, double* seconds)
{
    if (sources_.empty()) {
        return ChannelSampleInterval(*context_, 0, block, seconds);
    }
    return sources_.front()->SampleInterval(block, seconds);
}

HRESULT FunctionCallSource::OpenEvents(std::int32_t block, std::int32_t firstTick, std::int32_t endTick,
                                       IEnumEventEx** events)
{
    if (events == nullptr) {
        return E_POINTER;
    }
    *events = nullptr;
    if (!context_->IsBlock(block)) {
        return E_INVALIDARG;
    }
    ComPtr<IEnumEventEx> opened;
    if (const HRESULT hr = MakeEnumerator(block, std::max(firstTick, 0), opened); Failed(hr)) {
        return hr;
    }
    if (endTick >= 0 && endTick < INT_MAX) {
        opened = ComPtr<IEnumEventEx>(new RangeLimitedEvents(std::move(opened), endTick));
    }
    *events = opened.Detach();
    return S_OK;
}

HRESULT FunctionCallSource::MakeEnumerator(std::int32_t block, std::int32_t firstTick,
                                           ComPtr<IEnumEventEx>& events)
{
    ComPtr<ICalcEnum> enumerator;
    HRESULT hr = function_->CreateEnumerator(enumerator.Put());
    if (Failed(hr) || !enumerator) {
        return Failed(hr) ? hr : E_FAIL;
    }
    hr = enumerator->Setup(sourcePointers_.data(), static_cast<std::uint32_t>(sourcePointers_.size()),
                           numbers_.data(), static_cast<std::uint32_t>(numbers_.size()));
    if (Succeeded(hr)) {
        hr = enumerator->Open(block, firstTick);
    }
    if (Failed(hr)) {
        return hr;
    }
    events = enumerator.As<IEnumEventEx>();
    if (!events || events->EventSize() < static_cast<std::int32_t>(sizeof(Host::EventHeader))) {
        events.Reset();
        return E_FAIL;
    }
    return S_OK;
}

} // namespace Desk

#include "desk/calc/ChannelCalculations.h"

#include <new>

#include "desk/calc/ExpressionBinder.h"
#include "desk/calc/FilterCalculation.h"

namespace Desk {

ChannelCalculations::ChannelCalculations(std::shared_ptr<CalcContext> context) : context_(std::move(context))
{
}

HRESULT ChannelCalculations::Apply(std::int32_t channel, IChannelCalculation* calculation, VEX::String* message)
{
    if (!context_->IsChannel(channel)) {
        return E_INVALIDARG;
    }
    if (calculation == nullptr) {
        calculations_.erase(channel);
        context_->filters.erase(channel);
        return S_OK;
    }
    VEX::String reason;
    if (Failed(calculation->CheckChannel(channel, &reason))) {
        if (message != nullptr) {
            *message = reason;
        }
        return E_FAIL;
    }
    calculations_[channel] = ComPtr<IChannelCalculation>(calculation);
    if (const auto* filter = dynamic_cast<const FilterCalculation*>(calculation)) {
        context_->filters[channel] = filter->Design();
    } else {
        context_->filters.erase(channel);
    }
    return S_OK;
}

HRESULT ChannelCalculations::Expression(std::int32_t channel, VEX::String* text)
{
    if (text == nullptr) {
        return E_POINTER;
    }
    *text = VEX::String();
    const ComPtr<IChannelCalculation> calculation = Calculation(channel);
    return calculation ? calculation->ExpressionText(text) : S_FALSE;
}

ComPtr<IChannelCalculation> ChannelCalculations::Calculation(std::int32_t channel) const
{
    const auto found = calculations_.find(channel);
    return found == calculations_.end() ? ComPtr<IChannelCalculation>() : found->second;
}

HRESULT ChannelCalculations::OpenCalculatedSamples(std::int32_t channel, std::int32_t block,
                                                   std::int32_t startTick, IEnumSamples** samples) const
{
    if (samples == nullptr) {
        return E_POINTER;
    }
    *samples = nullptr;
    const ComPtr<IChannelCalculation> calculation = Calculation(channel);
    if (!calculation) {
        return E_FAIL;
    }
    VEX::String text;
    if (const HRESULT hr = calculation->ExpressionText(&text); Failed(hr)) {
        return hr;
    }
    try {
        return ExpressionBinder(context_).BindChannel(text.View(), channel)->OpenSamples(block, startTick, samples);
    } catch (const ExpressionError&) {
        return E_INVALIDARG;
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
}

} // namespace Desk

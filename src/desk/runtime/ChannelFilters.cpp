#include "desk/runtime/ChannelFilters.h"

#include <stdexcept>
#include <string>

#include "desk/calc/FilterCalculation.h"
#include "platform/com/MemoryStream.h"

namespace Desk {
namespace {

const FilterCalculation* FilterOn(HostDocument& document, std::int32_t channel)
{
    const ComPtr<IChannelCalculation> calculation = document.Engine().Calculation(channel);
    return dynamic_cast<const FilterCalculation*>(calculation.Get());
}

std::string ChannelName(std::int32_t channel) { return "channel " + std::to_string(std::int64_t{channel} + 1); }

void Apply(HostDocument& document, std::int32_t channel, IChannelCalculation* calculation)
{
    VEX::String reason;
    if (Failed(document.Engine().ChannelCalculations()->Apply(channel, calculation, &reason))) {
        throw std::runtime_error(ChannelName(channel) + ": " +
                                 (reason.ToUtf8().empty() ? "no such channel" : reason.ToUtf8()));
    }
}

} // namespace

void SetChannelFilter(HostDocument& document, std::int32_t channel, const std::optional<FilterDesign>& design)
{
    if (!design) {
        Apply(document, channel, nullptr);
        return;
    }
    const auto calculation = ComPtr<FilterCalculation>::Attach(new FilterCalculation(document.Data(), channel, *design));
    Apply(document, channel, calculation.Get());
}

std::optional<FilterDesign> ChannelFilter(HostDocument& document, std::int32_t channel)
{
    const FilterCalculation* filter = FilterOn(document, channel);
    return filter != nullptr ? std::optional<FilterDesign>(filter->Design()) : std::nullopt;
}

std::vector<ChannelCalculationItem> SavedChannelFilters(HostDocument& document)
{
    std::vector<ChannelCalculationItem> items;
    for (std::int32_t channel = 0; channel < document.Data().ChannelCount(); ++channel) {
        const ComPtr<IChannelCalculation> calculation = document.Engine().Calculation(channel);
        if (dynamic_cast<const FilterCalculation*>(calculation.Get()) == nullptr) {
            continue;
        }
        auto stream = MakeCom<MemoryStream>();
        if (Failed(calculation->SaveSettings(stream.Get()))) {
            throw std::runtime_error("cannot save the filter of " + ChannelName(channel));
        }
        items.push_back({channel, FilterCalculation::kClassName, stream->Bytes()});
    }
    return items;
}

void RestoreChannelFilters(HostDocument& document, const std::vector<ChannelCalculationItem>& items)
{
    for (const ChannelCalculationItem& item : items) {
        if (item.className != FilterCalculation::kClassName) {
            continue;
        }
        const auto calculation =
            ComPtr<FilterCalculation>::Attach(new FilterCalculation(document.Data(), item.channel, FilterDesign{}));
        auto stream = MakeCom<MemoryStream>(item.settings);
        if (Failed(calculation->LoadSettings(stream.Get()))) {
            throw std::runtime_error("the document's filter of " + ChannelName(item.channel) + " cannot be read");
        }
        Apply(document, item.channel, calculation.Get());
    }
}

} // namespace Desk

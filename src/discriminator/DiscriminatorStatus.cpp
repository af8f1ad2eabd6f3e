#include "discriminator/DiscriminatorStatus.h"

#include <algorithm>
#include <string>
#include <vector>

#include "module/AnalysisDocument.h"

namespace Nerolith {

namespace {

std::u16string Number(std::int64_t n)
{
    const std::string digits = std::to_string(n);
    return {digits.begin(), digits.end()};
}

std::u16string Counted(std::int64_t n, std::u16string_view one, std::u16string_view many,
                       std::u16string_view none)
{
    if (n <= 0) {
        return std::u16string(none);
    }
    return Number(n) + std::u16string(n == 1 ? one : many);
}

std::u16string UnitOf(const Host::SpikeInfo& spike, const std::vector<Host::UnitDescription>& units)
{
    const auto unit = std::find_if(units.begin(), units.end(),
                                   [&spike](const Host::UnitDescription& u) { return u.number == spike.unit; });
    if (spike.unit < 0 || unit == units.end()) {
        return u"In no unit. ";
    }
    return u"In unit " + unit->name.Str() + u". ";
}

std::u16string Selection(AnalysisDocument& document, const std::vector<Host::UnitDescription>& units)
{
    std::int32_t index = -1;
    Host::SpikeInfo spike;
    if (Failed(document.GetSpikeSelection(&index)) || index < 0 || Failed(document.GetSpike(index, &spike))) {
        return {};
    }
    std::u16string text = u" Spike " + Number(std::int64_t{index} + 1) + u" selected. " + UnitOf(spike, units);
    bool excluded = false;
    if (Succeeded(document.IsExcluded(index, &excluded)) && excluded) {
        text += u"Spike excluded from all units.";
    }
    return text;
}

} // namespace

VEX::String DiscriminatorStatus(AnalysisDocument& document)
{
    const std::int32_t channel = document.Settings().sourceChannel;
    Host::ChannelAnalysisRecord record;
    document.GetChannelRecord(channel, &record);
    std::u16string text = record.analyzed ? Counted(document.SpikeCount(), u" spike. ", u" spikes. ", u"No spikes. ")
                                          : u"Not analyzed. ";
    std::vector<Host::UnitDescription> units;
    document.GetUnits(&units);
    const auto own = std::count_if(units.begin(), units.end(),
                                   [channel](const Host::UnitDescription& u) { return u.channel == channel; });
    text += Counted(own, u" unit defined.", u" units defined.", u"No units defined.");
    return VEX::String(text + Selection(document, units));
}

} // namespace Nerolith

#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <set>

#include "detection/SpikeData.h"
#include "host/IEventDrawClass.h"
#include "host/IHostCalc.h"
#include "host/IHostDocument.h"
#include "platform/text/VexString.h"

namespace Nerolith {

// Where the spike store meets the host's channels: the channels it is
// attached to as child data, each channel's spike event source registered
// with the calculation engine (the units' sources select from it by name),
// and the spike markers drawn from that source.
class ChannelStores {
public:
    ChannelStores(SpikeData& store, IEventDrawClass* markerDraw);
    // The host's document and engine; until then, or where either is null,
    // what needs it is skipped.
    void Connect(IHostDocument* host, IHostCalc* calc);

    bool Has(std::int32_t channel) const { return channels_.contains(channel); }
    const std::set<std::int32_t>& Channels() const { return channels_; }

    // The store attached to the channel and its spike source registered
    // with `expression`; a changed expression is registered anew under the
    // same name.
    void Attach(std::int32_t channel, const VEX::String& expression);
    // The channel's markers attached to its spike source, shown or not.
    void AttachMarkers(std::int32_t channel, bool show);
    // Markers withdrawn by a clear are attached again before they show.
    void ShowMarkers(std::int32_t channel, bool show);
    // The channel's spike source withdrawn, by the identifiers it was
    // registered under.
    void WithdrawSource(std::int32_t channel, std::optional<std::pair<std::int32_t, std::int32_t>> identifiers);

    // The name of a channel's spike event source in the host.
    static VEX::String SourceName(std::int32_t channel);

private:
    void RegisterSource(std::int32_t channel, const VEX::String& expression);

    IHostDocument* host_ = nullptr;
    IHostCalc* calc_ = nullptr;
    SpikeData& store_;
    IEventDrawClass* markerDraw_;
    std::set<std::int32_t> channels_;
    // The SpikeDet expression each channel's registered source has.
    std::map<std::int32_t, VEX::String> sources_;
};

} // namespace Nerolith

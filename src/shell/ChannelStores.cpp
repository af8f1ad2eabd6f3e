#include "shell/ChannelStores.h"

#include <string>

namespace Nerolith {

ChannelStores::ChannelStores(SpikeData& store, IEventDrawClass* markerDraw) : store_(store), markerDraw_(markerDraw) {}

void ChannelStores::Connect(IHostDocument* host, IHostCalc* calc)
{
    host_ = host;
    calc_ = calc;
}

VEX::String ChannelStores::SourceName(std::int32_t channel)
{
    return VEX::String::FromUtf8("NerolithSpikes" + std::to_string(std::int64_t{channel} + 1));
}

void ChannelStores::Attach(std::int32_t channel, const VEX::String& expression)
{
    if (host_ == nullptr) {
        return;
    }
    if (!Has(channel) && Succeeded(host_->AttachChildData(channel, &store_))) {
        channels_.insert(channel);
    }
    RegisterSource(channel, expression);
}

void ChannelStores::RegisterSource(std::int32_t channel, const VEX::String& expression)
{
    if (calc_ == nullptr) {
        return;
    }
    const auto registered = sources_.find(channel);
    if (registered != sources_.end() && registered->second == expression) {
        return;
    }
    WithdrawSource(channel, store_.Units().ChannelIdentifiers(channel));
    std::int32_t id1 = 0;
    std::int32_t id2 = 0;
    if (Succeeded(calc_->RegisterEventSource(SourceName(channel), expression, &id1, &id2))) {
        store_.Units().SetChannelIdentifiers(channel, id1, id2);
        sources_[channel] = expression;
    }
}

void ChannelStores::AttachMarkers(std::int32_t channel, bool show)
{
    if (host_ == nullptr) {
        return;
    }
    host_->AttachMarkers(channel, SourceName(channel), markerDraw_);
    if (show) {
        host_->ShowMarkers(channel, true);
    }
}

void ChannelStores::ShowMarkers(std::int32_t channel, bool show)
{
    if (host_ == nullptr) {
        return;
    }
    if (show) {
        host_->AttachMarkers(channel, SourceName(channel), markerDraw_);
    }
    host_->ShowMarkers(channel, show);
}

void ChannelStores::WithdrawSource(std::int32_t channel,
                                   std::optional<std::pair<std::int32_t, std::int32_t>> identifiers)
{
    if (identifiers && calc_ != nullptr) {
        calc_->WithdrawEventSource(identifiers->first, identifiers->second);
    }
    sources_.erase(channel);
}

} // namespace Nerolith

// The analysis document's run over a channel, the store on the host's
// channels, and clearing.
#include <algorithm>
#include <cmath>

#include "detection/Expressions.h"
#include "shell/AnalysisRun.h"
#include "shell/SpikeDoc.h"

namespace Nerolith {
namespace {

constexpr Host::Position kFallbackStart{0, 0};
constexpr Host::Position kFallbackEnd{1, 0};

// The spike store as an offline run feeds it: one channel with its sources.
class StoreBlocks final : public BlockCollector {
public:
    StoreBlocks(SpikeData& store, std::int32_t channel, VEX::String spikeSource, std::int32_t stimulus,
                std::int32_t reference)
        : store_(store), channel_(channel), spikeSource_(std::move(spikeSource)), stimulus_(stimulus),
          reference_(reference)
    {
    }

    bool BeginBlock(std::int32_t block, std::int32_t firstTick) override
    {
        return store_.BeginBlock(channel_, block, firstTick, spikeSource_, stimulus_, reference_);
    }
    bool Collect(std::int32_t endTick) override { return store_.Collect(endTick); }
    void EndBlock(std::int32_t lastTick) override { store_.EndBlock(lastTick); }

private:
    SpikeData& store_;
    std::int32_t channel_;
    VEX::String spikeSource_;
    std::int32_t stimulus_;
    std::int32_t reference_;
};

} // namespace

bool SpikeDoc::ValidRange(std::int32_t channel, const Range& range) const
{
    return recording_ && range.first <= range.second &&
           Succeeded(recording_->ValidatePosition(channel, range.first)) &&
           Succeeded(recording_->ValidatePosition(channel, range.second));
}

SpikeDoc::Range SpikeDoc::AnalyzeRange(std::int32_t channel, const ChannelAnalysisRecord& record) const
{
    Range range{kFallbackStart, kFallbackEnd};
    if (!record.useSelection) {
        Host::Position end;
        if (recording_ && Succeeded(recording_->EndPosition(&end))) {
            range = {kFallbackStart, end};
        }
        return range;
    }
    std::int32_t selectedChannel = 0;
    Range selected;
    if (selection_ && selection_->GetSelection(&selectedChannel, &selected.first, &selected.second) == S_OK &&
        ValidRange(channel, selected)) {
        range = selected;
    }
    return range;
}

void SpikeDoc::AnalyzeChannel(std::int32_t channel)
{
    store_->Reset();
    analysedChannel_ = channel;
    const bool hasStore = ChannelHasStore(channel);
    const ChannelAnalysisRecord& record = settings_->Record(channel);
    Range range{record.rangeStart, record.rangeEnd};
    if (!ValidRange(channel, range)) {
        range = {kFallbackStart, kFallbackEnd};
    }
    if (hasStore && record.analyzed) {
        CollectOffline(channel, range);
    }
    views_.Recompute();
}

void SpikeDoc::CollectOffline(std::int32_t channel, const Range& range)
{
    const ChannelAnalysisRecord& record = settings_->Record(channel);
    StoreBlocks blocks(*store_, channel, SpikeSourceExpression(channel), ResolveSource(record.stimulusSource),
                       ResolveSource(record.referenceSource));
    AnalysisRun run(channel, range.first, range.second, [this, channel](std::int32_t block) {
        std::int32_t ticks = 0;
        recording_->ChannelTicks(channel, block, &ticks);
        return ticks;
    });
    ComPtr<IProgressIndicator> progress;
    if (services_) {
        services_->CreateProgress(VEX::String(), VEX::String(u"Processing"), progress.Put());
    }
    const bool completed = run.Run(blocks, progress.Get());
    views_.RefreshDiscriminator();
    if (!completed) {
        ClearChannelAnalysis(settings_->sourceChannel);
    }
}

VEX::String SpikeDoc::SpikeSourceExpression(std::int32_t channel)
{
    const ChannelAnalysisRecord& record = settings_->Record(channel);
    SpikeDetArguments arguments;
    arguments.channel = channel;
    arguments.threshold = record.detectionThreshold;
    arguments.pretriggerTime = record.pretriggerTime;
    arguments.totalTriggerTime = record.totalTriggerTime;
    arguments.discriminationMode = record.discriminationMode;
    arguments.signalMode = record.signalMode;
    if (record.useSelection) {
        arguments.limitStartRecord = record.rangeStart.block;
        arguments.limitStartTick = record.rangeStart.tick;
        arguments.limitEndRecord = record.rangeEnd.block;
        arguments.limitEndTick = record.rangeEnd.tick;
    }
    return SpikeDetExpression(arguments);
}

std::int32_t SpikeDoc::ResolveSource(const VEX::String& text) const
{
    std::int32_t position = Host::kAbsentSource;
    if (text.Empty() || !calc_ || calc_->ResolveEventSource(text, &position) != S_OK) {
        return Host::kAbsentSource;
    }
    return position;
}

// ---- The store on the channels ----

bool SpikeDoc::ChannelHasStore(std::int32_t channel) const { return channels_.Has(channel); }

void SpikeDoc::EnsureChannelStore(std::int32_t channel)
{
    if (host_ == nullptr) {
        return;
    }
    channels_.Attach(channel, SpikeSourceExpression(channel));
    RebuildUnits(channel);
    channels_.AttachMarkers(channel, settings_->showSpikeMarkers);
}

void SpikeDoc::ShowChannelMarkers(std::int32_t channel, bool show) { channels_.ShowMarkers(channel, show); }

TemplateWindow SpikeDoc::WindowOf(std::int32_t channel) const
{
    double interval = 0.0;
    const ChannelAnalysisRecord* record = settings_->FindRecord(channel);
    if (record == nullptr || !recording_ || Failed(recording_->SampleInterval(channel, 0, &interval)) ||
        !(interval > 0.0)) {
        return {};
    }
    const auto ticks = [interval](double seconds) {
        return static_cast<std::int32_t>(std::clamp(std::trunc(seconds / interval + 0.5), 0.0, 2147483647.0));
    };
    return {ticks(record->pretriggerTime), ticks(record->totalTriggerTime)};
}

void SpikeDoc::RebuildUnits(std::int32_t channel)
{
    const auto before = store_->Units().List(channel);
    if (store_->Units().RebuildPendingUnits(channel, WindowOf(channel)) == 0 ||
        channel != settings_->sourceChannel) {
        return;
    }
    for (const UnitSummary& unit : store_->Units().List(channel)) {
        const bool existed = std::ranges::any_of(before, [&](const UnitSummary& u) { return u.number == unit.number; });
        if (!existed) {
            views_.AddPane(unit.number);
        }
    }
}

// ---- Clearing ----

void SpikeDoc::ClearChannelAnalysis(std::int32_t channel)
{
    if (host_ != nullptr) {
        host_->RemoveMarkers(channel);
    }
    ClearRecord(settings_->Record(channel));
    store_->Reset();
    views_.Refresh();
    if (host_ != nullptr) {
        host_->RefreshDisplay();
    }
}

void SpikeDoc::ClearChannelUnits(std::int32_t channel)
{
    for (const UnitSummary& unit : store_->Units().List(channel)) {
        views_.RemovePane(unit.number);
        if (unit.number == selectedUnit_) {
            selectedUnit_ = -1;
        }
    }
    // The units' sources select from the channel's spike source, so they go
    // first.
    const auto identifiers = store_->Units().ChannelIdentifiers(channel);
    store_->Units().DeleteUnits(channel);
    store_->Units().Assignments().RemoveChannel(channel);
    channels_.WithdrawSource(channel, identifiers);
}

void SpikeDoc::ClearAllAnalyses()
{
    for (const std::int32_t channel : settings_->ChannelKeys()) {
        ClearChannelAnalysis(channel);
    }
}

} // namespace Nerolith

#include "detection/SpikeData.h"

#include <algorithm>
#include <climits>
#include <cstddef>
#include <cstring>
#include <vector>

#include "detection/HostAccess.h"

namespace Nerolith {
namespace {

constexpr std::uint32_t kChildDataKey = 0x4E4C5344u; // "NLSD"
constexpr std::uint32_t kRecordsPerFetch = 64;
// Larger records than this are no event records the store understands.
constexpr std::int32_t kLargestEventSize = 4096;

bool UsableEventSize(std::int32_t size, std::size_t smallest)
{
    return size >= static_cast<std::int32_t>(smallest) && size <= kLargestEventSize;
}

// Hands `take` each record the enumerator has before `endTick`, until it
// is exhausted, has nothing more yet, or fails.
template <typename Take>
void Drain(IEnumEventEx& events, std::int32_t eventSize, std::int32_t endTick, Take take)
{
    std::vector<std::byte> records(static_cast<std::size_t>(eventSize) * kRecordsPerFetch);
    for (;;) {
        std::uint32_t count = 0;
        std::int32_t position = 0;
        const HRESULT hr = events.Next(eventSize, endTick, records.data(), kRecordsPerFetch, &count, &position);
        if (Failed(hr)) {
            return;
        }
        count = std::min(count, kRecordsPerFetch);
        for (std::uint32_t i = 0; i < count; ++i) {
            take(records.data() + static_cast<std::size_t>(i) * static_cast<std::size_t>(eventSize));
        }
        if (hr != S_OK || count == 0) {
            return;
        }
    }
}

template <typename Record>
Record Copy(const std::byte* bytes)
{
    Record record;
    std::memcpy(&record, bytes, sizeof(Record));
    return record;
}

SpikeNotification Frame(SpikeNotification::Code code, std::int32_t block, double time)
{
    SpikeNotification n;
    n.code = code;
    n.block = block;
    n.time = time;
    return n;
}

SpikeNotification SpikeAt(std::int32_t block, double time, double widthMs, double height, std::int32_t unit)
{
    SpikeNotification n = Frame(SpikeNotification::kSpike, block, time);
    n.width = widthMs;
    n.height = height;
    n.unit = unit;
    return n;
}

} // namespace

void SpikeData::DetachOwner()
{
    CloseEnumerators();
    owner_ = nullptr;
    units_.DetachOwner();
}

SpikeData::SpikeData(SpikeStoreOwner* owner) : owner_(owner), units_(owner)
{
}

SpikeData::SpikeData(const SpikeData& other)
    : UnknownImpl(1),
      owner_(other.owner_),
      spikeEnum_(other.spikeEnum_),
      stimulusEnum_(other.stimulusEnum_),
      referenceEnum_(other.referenceEnum_),
      blockOpen_(other.blockOpen_),
      eventSize_(other.eventSize_),
      channel_(other.channel_),
      currentBlock_(other.currentBlock_),
      sampleInterval_(other.sampleInterval_),
      spikes_(other.spikes_),
      referenceEvents_(other.referenceEvents_),
      stimulusEvents_(other.stimulusEvents_),
      units_(other.units_)
{
}

std::uint32_t SpikeData::ChildDataKey()
{
    return kChildDataKey;
}

SpikeData* SpikeData::FromChildData(IGrafoDataChildData* child)
{
    void* store = nullptr;
    if (!child || Failed(child->QueryInterface(kStoreIid, &store)) || !store) {
        return nullptr;
    }
    // The caller's reference keeps the store alive.
    auto* data = static_cast<SpikeData*>(store);
    data->Release();
    return data;
}

HRESULT SpikeData::QueryInterface(const IID& iid, void** object)
{
    if (object && iid == kStoreIid) {
        *object = this;
        AddRef();
        return S_OK;
    }
    return UnknownImpl::QueryInterface(iid, object);
}

std::uint32_t SpikeData::TypeKey()
{
    return ChildDataKey();
}

HRESULT SpikeData::Clone(IGrafoDataChildData** copy)
{
    if (!copy) {
        return E_POINTER;
    }
    *copy = new SpikeData(*this);
    return S_OK;
}

HRESULT SpikeData::OnDataChanged(const std::int32_t (&)[7])
{
    return S_OK;
}

HRESULT SpikeData::OnChannelsChanged(const std::int32_t (&)[3])
{
    return S_OK;
}

HRESULT SpikeData::OnDocumentChanged(const std::int32_t (&)[11])
{
    return S_OK;
}

void SpikeData::Reset()
{
    spikes_.Clear();
    stimulusEvents_.clear();
    referenceEvents_.clear();
    currentBlock_ = Host::kNone;
    if (owner_) {
        owner_->ResetViews();
    }
}

bool SpikeData::BeginBlock(std::int32_t channel, std::int32_t block, std::int32_t firstTick,
                           const VEX::String& spikeSource, std::int32_t stimulusSource,
                           std::int32_t referenceSource)
{
    CloseEnumerators();
    channel_ = channel;
    currentBlock_ = block;
    sampleInterval_ = AskSampleInterval(block);
    const ComPtr<IHostCalc> calc = HostCalcOf(owner_);
    ComPtr<IEnumEventEx> spikes;
    if (!calc || Failed(calc->OpenExpressionEvents(spikeSource, block, firstTick, INT_MAX, Host::kEventRequest,
                                                   spikes.Put())) ||
        !spikes) {
        return false;
    }
    const std::int32_t eventSize = spikes->EventSize();
    if (!UsableEventSize(eventSize, sizeof(SpikeEvent))) {
        return false;
    }
    spikeEnum_ = spikes;
    eventSize_ = eventSize;
    Notify(Frame(SpikeNotification::kBlockStart, block, firstTick * sampleInterval_));
    stimulusEnum_ = OpenSourceEvents(stimulusSource, block, firstTick);
    referenceEnum_ = OpenSourceEvents(referenceSource, block, firstTick);
    blockOpen_ = true;
    return true;
}

ComPtr<IEnumEventEx> SpikeData::OpenSourceEvents(std::int32_t source, std::int32_t block,
                                                 std::int32_t firstTick) const
{
    const ComPtr<IHostCalc> calc = HostCalcOf(owner_);
    ComPtr<IEnumEventEx> events;
    if (source == Host::kAbsentSource || !calc ||
        Failed(calc->OpenSourceEvents(source, block, firstTick, INT_MAX, events.Put())) || !events ||
        !UsableEventSize(events->EventSize(), sizeof(Host::EventHeader))) {
        return nullptr;
    }
    return events;
}

bool SpikeData::Collect(std::int32_t endTick)
{
    if (!blockOpen_) {
        return false;
    }
    std::vector<SpikeEvent> spikes;
    Drain(*spikeEnum_, eventSize_, endTick, [&](const std::byte* record) { spikes.push_back(Copy<SpikeEvent>(record)); });
    PendingEvents stimuli{EventTicks(stimulusEnum_.Get(), endTick), SpikeNotification::kStimulus, &stimulusEvents_};
    PendingEvents references{EventTicks(referenceEnum_.Get(), endTick), SpikeNotification::kReference,
                             &referenceEvents_};
    // Views count in time order (the peristimulus histogram pairs each spike
    // with the stimulus before it), so the three streams are merged by tick;
    // an event at a spike's tick comes first, as in a replay.
    for (const SpikeEvent& spike : spikes) {
        TellEventsUpTo(spike.tick, stimuli, references);
        AddSpike(currentBlock_, spike);
    }
    TellEventsUpTo(INT_MAX, stimuli, references);
    return !spikes.empty();
}

std::vector<std::int32_t> SpikeData::EventTicks(IEnumEventEx* events, std::int32_t endTick) const
{
    std::vector<std::int32_t> ticks;
    if (events) {
        Drain(*events, events->EventSize(), endTick,
              [&](const std::byte* record) { ticks.push_back(Copy<Host::EventHeader>(record).tick); });
    }
    return ticks;
}

void SpikeData::TellEventsUpTo(std::int32_t tick, PendingEvents& stimuli, PendingEvents& references)
{
    for (;;) {
        const bool stimulus = stimuli.HasUpTo(tick);
        const bool reference = references.HasUpTo(tick);
        if (!stimulus && !reference) {
            return;
        }
        PendingEvents& next = stimulus && (!reference || stimuli.Next() <= references.Next()) ? stimuli : references;
        const std::int32_t eventTick = next.Take();
        next.positions->push_back({eventTick, currentBlock_});
        Notify(Frame(next.code, currentBlock_, eventTick * sampleInterval_));
    }
}

void SpikeData::AddSpike(std::int32_t block, const SpikeEvent& spike)
{
    const auto height = static_cast<float>(spike.height);
    const auto widthMs = static_cast<float>(spike.width * 1000.0);
    spikes_.Append(height, widthMs, spike.colour, {spike.tick, block}, spike.unit);
    Notify(SpikeAt(block, spike.tick * sampleInterval_, widthMs, height, spike.unit));
}

void SpikeData::EndBlock(std::int32_t lastTick)
{
    if (!blockOpen_) {
        return;
    }
    CloseEnumerators();
    Notify(Frame(SpikeNotification::kBlockEnd, currentBlock_, lastTick * sampleInterval_));
}

void SpikeData::CloseEnumerators()
{
    spikeEnum_.Reset();
    stimulusEnum_.Reset();
    referenceEnum_.Reset();
    blockOpen_ = false;
}

void SpikeData::Replay(const NotificationTarget& target) const
{
    const std::size_t count = spikes_.Size();
    if (count == 0) {
        return;
    }
    // Sample intervals asked afresh, once per block met.
    std::int32_t intervalBlock = Host::kNone;
    double interval = 0.0;
    const auto timeOf = [&](Host::Position position) {
        if (position.block != intervalBlock) {
            intervalBlock = position.block;
            interval = AskSampleInterval(position.block);
        }
        return position.tick * interval;
    };
    std::size_t nextStimulus = 0;
    std::size_t nextReference = 0;
    const auto sendEventsUpTo = [&](Host::Position spike, const std::deque<Host::Position>& events,
                                    std::size_t& next, SpikeNotification::Code code) {
        for (; next < events.size() && events[next] <= spike; ++next) {
            target(Frame(code, events[next].block, timeOf(events[next])));
        }
    };

    Host::Position previous{};
    double previousTime = 0.0;
    for (std::size_t i = 0; i < count; ++i) {
        const Host::Position position = spikes_.Positions()[i];
        const double time = timeOf(position);
        if (i == 0 || position.block != previous.block) {
            if (i > 0) {
                target(Frame(SpikeNotification::kBlockEnd, previous.block, previousTime));
            }
            target(Frame(SpikeNotification::kBlockStart, position.block, time));
        }
        sendEventsUpTo(position, stimulusEvents_, nextStimulus, SpikeNotification::kStimulus);
        sendEventsUpTo(position, referenceEvents_, nextReference, SpikeNotification::kReference);
        target(SpikeAt(position.block, time, spikes_.Widths()[i], spikes_.Heights()[i], spikes_.SpikeUnits()[i]));
        previous = position;
        previousTime = time;
    }
    target(Frame(SpikeNotification::kBlockEnd, previous.block, previousTime));
}

double SpikeData::AskSampleInterval(std::int32_t block) const
{
    const ComPtr<IHostRecording> recording = HostRecordingOf(owner_);
    double seconds = 0.0;
    if (!recording || Failed(recording->SampleInterval(channel_, block, &seconds))) {
        return 0.0;
    }
    return seconds;
}

void SpikeData::Notify(const SpikeNotification& notification) const
{
    if (owner_) {
        owner_->BroadcastNotification(notification);
    }
}

} // namespace Nerolith

#pragma once

// Small stand-ins for the host interfaces the spike store uses: canned
// samples and events, recorded event-source registrations.

#include <algorithm>
#include <cstring>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "detection/SpikeEvent.h"
#include "detection/SpikeStoreOwner.h"
#include "host/IHostDocument.h"
#include "platform/com/ComPtr.h"

namespace FakeHost {

template <typename Record>
class EventList final : public UnknownImpl<IEnumEventEx> {
public:
    explicit EventList(std::vector<Record> records) : records_(std::move(records)) {}

    std::int32_t EventSize() override { return sizeof(Record); }
    HRESULT Next(std::int32_t eventSize, std::int32_t endTick, void* out, std::uint32_t capacity,
                 std::uint32_t* count, std::int32_t* position) override
    {
        *count = 0;
        auto* bytes = static_cast<std::byte*>(out);
        while (*count < capacity && next_ < records_.size() && (endTick < 0 || records_[next_].tick < endTick)) {
            std::memcpy(bytes + std::size_t(*count) * eventSize, &records_[next_++], sizeof(Record));
            ++*count;
        }
        const bool done = next_ == records_.size();
        *position = done ? INT_MAX : endTick;
        return done ? S_FALSE : S_OK;
    }
    HRESULT Skip(std::int32_t, std::int32_t*) override { return E_NOTIMPL; }

private:
    std::vector<Record> records_;
    std::size_t next_ = 0;
};

class SampleList final : public UnknownImpl<IEnumSamples> {
public:
    SampleList(const std::vector<float>& samples, std::int32_t start) : samples_(samples), tick_(start) {}

    HRESULT Next(std::uint32_t count, float* out, std::uint32_t* fetched) override
    {
        const std::size_t left = std::size_t(tick_) < samples_.size() ? samples_.size() - tick_ : 0;
        *fetched = std::uint32_t(std::min<std::size_t>(count, left));
        std::copy_n(samples_.begin() + std::min<std::size_t>(tick_, samples_.size()), *fetched, out);
        tick_ += std::int32_t(*fetched);
        return *fetched == count ? S_OK : S_FALSE;
    }
    std::int32_t Tick() override { return tick_; }

private:
    std::vector<float> samples_;
    std::int32_t tick_;
};

struct Registration {
    std::u16string name;
    std::u16string expression;
};

class Calc final : public UnknownImpl<IHostCalc> {
public:
    std::map<std::pair<std::int32_t, std::int32_t>, std::vector<float>> samples; // (channel, block)
    std::map<std::int32_t, std::vector<Nerolith::SpikeEvent>> spikes;             // block
    std::map<std::pair<std::int32_t, std::int32_t>, std::vector<Host::EventHeader>> events; // (source, block)
    std::vector<std::u16string> expressionsOpened;
    std::map<std::int32_t, Registration> sources; // by first id
    std::vector<std::int32_t> withdrawn;

    HRESULT OpenSamples(std::int32_t channel, std::int32_t block, std::int32_t start, std::uint32_t,
                        IEnumSamples** out) override
    {
        const auto found = samples.find({channel, block});
        *out = found == samples.end() ? nullptr : Give(new SampleList(found->second, start));
        return *out ? S_OK : E_FAIL;
    }
    HRESULT OpenExpressionEvents(const VEX::String& expression, std::int32_t block, std::int32_t, std::int32_t,
                                 std::uint32_t, IEnumEventEx** out) override
    {
        expressionsOpened.push_back(expression.Str());
        const auto found = spikes.find(block);
        *out = found == spikes.end() ? nullptr : Give(new EventList<Nerolith::SpikeEvent>(found->second));
        return *out ? S_OK : E_FAIL;
    }
    HRESULT OpenSourceEvents(std::int32_t position, std::int32_t block, std::int32_t, std::int32_t,
                             IEnumEventEx** out) override
    {
        const auto found = events.find({position, block});
        *out = found == events.end() ? nullptr : Give(new EventList<Host::EventHeader>(found->second));
        return *out ? S_OK : E_FAIL;
    }
    HRESULT RegisterEventSource(const VEX::String& name, const VEX::String& expression, std::int32_t* id1,
                                std::int32_t* id2) override
    {
        *id1 = 100 + std::int32_t(sources.size());
        *id2 = 7;
        sources[*id1] = {name.Str(), expression.Str()};
        return S_OK;
    }
    HRESULT RenameEventSource(std::int32_t id1, std::int32_t, const VEX::String& name) override
    {
        sources[id1].name = name.Str();
        return S_OK;
    }
    HRESULT WithdrawEventSource(std::int32_t id1, std::int32_t) override
    {
        withdrawn.push_back(id1);
        return S_OK;
    }
    HRESULT EventSourceName(std::int32_t id1, std::int32_t, VEX::String* name) override
    {
        *name = VEX::String::FromUtf8("Spikes" + std::to_string(id1));
        return S_OK;
    }
    HRESULT ResolveEventSource(const VEX::String&, std::int32_t*) override { return E_NOTIMPL; }
    std::int32_t EventSourceCount() override { return 0; }
    HRESULT EventSourceNameAt(std::int32_t, VEX::String*) override { return E_NOTIMPL; }

private:
    template <typename T>
    static T* Give(T* object)
    {
        object->AddRef();
        return object;
    }
};

// Every block's sample interval is 1 ms times (block + 1).
class Recording final : public UnknownImpl<IHostRecording> {
public:
    std::int32_t ChannelCount() override { return 1; }
    std::int32_t BlockCount() override { return 1; }
    HRESULT ChannelTicks(std::int32_t, std::int32_t, std::int32_t*) override { return E_NOTIMPL; }
    HRESULT BlockTicks(std::int32_t, std::int32_t*) override { return E_NOTIMPL; }
    HRESULT BlockStartTime(std::int32_t, double*) override { return E_NOTIMPL; }
    HRESULT SampleInterval(std::int32_t, std::int32_t block, double* seconds) override
    {
        *seconds = 0.001 * (block + 1);
        return S_OK;
    }
    HRESULT SampledBlock(std::int32_t*) override { return E_FAIL; }
    HRESULT ValidatePosition(std::int32_t, Host::Position) override { return E_NOTIMPL; }
    HRESULT EndPosition(Host::Position*) override { return E_NOTIMPL; }
    HRESULT ChannelTitle(std::int32_t, VEX::String*) override { return E_NOTIMPL; }
    HRESULT ChannelUnit(std::int32_t, VEX::String*, double*) override { return E_NOTIMPL; }
};

class Document final : public UnknownImpl<IHostDocument> {
public:
    ComPtr<Calc> calc = MakeCom<Calc>();
    ComPtr<Recording> recording = MakeCom<Recording>();

    HRESULT GetRecording(IHostRecording** out) override { return Hand<IHostRecording>(recording.Get(), out); }
    HRESULT GetCalc(IHostCalc** out) override { return Hand<IHostCalc>(calc.Get(), out); }
    HRESULT GetSelection(IHostSelection**) override { return E_NOTIMPL; }
    HRESULT GetServices(IHostServices**) override { return E_NOTIMPL; }
    HRESULT GetMessages(IHostMessages**) override { return E_NOTIMPL; }
    HRESULT GetCommandFactory(ICommandFactory**) override { return E_NOTIMPL; }
    HRESULT GetChannelCalculations(IHostChannelCalculations**) override { return E_NOTIMPL; }
    HRESULT DocumentName(VEX::String*) override { return E_NOTIMPL; }
    HRESULT SendDocumentChanged() override { return E_NOTIMPL; }
    HRESULT HasDisplay() override { return S_FALSE; }
    HRESULT RefreshDisplay() override { return E_NOTIMPL; }
    HRESULT RegisterPersistence(IPersistStreamInit*) override { return E_NOTIMPL; }
    HRESULT AttachChildData(std::int32_t, IGrafoDataChildData*) override { return E_NOTIMPL; }
    HRESULT DetachChildData(std::int32_t, std::uint32_t) override { return E_NOTIMPL; }
    HRESULT FindChildData(std::int32_t, std::uint32_t, IGrafoDataChildData**) override { return E_NOTIMPL; }
    HRESULT AttachMarkers(std::int32_t, const VEX::String&, IEventDrawClass*) override { return E_NOTIMPL; }
    HRESULT ShowMarkers(std::int32_t, bool) override { return E_NOTIMPL; }
    HRESULT MarkersShown(std::int32_t) override { return S_FALSE; }
    HRESULT RemoveMarkers(std::int32_t) override { return E_NOTIMPL; }

private:
    template <typename T>
    static HRESULT Hand(T* object, T** out)
    {
        object->AddRef();
        *out = object;
        return S_OK;
    }
};

class Owner final : public Nerolith::SpikeStoreOwner {
public:
    ComPtr<Document> document = MakeCom<Document>();
    std::vector<Nerolith::SpikeNotification> told;
    int resets = 0;

    IHostDocument* HostDocument() override { return document.Get(); }
    void BroadcastNotification(const Nerolith::SpikeNotification& n) override { told.push_back(n); }
    void ResetViews() override { ++resets; }
    Calc& calc() { return *document->calc; }
};

} // namespace FakeHost

#pragma once

#include <map>
#include <memory>
#include <vector>

#include "desk/calc/CalcEngine.h"
#include "desk/host/CommandRegistry.h"
#include "desk/host/HostRecording.h"
#include "desk/host/HostSelection.h"
#include "desk/host/HostServices.h"
#include "desk/host/MessageQueue.h"
#include "desk/host/SamplingState.h"
#include "desk/recording/Recording.h"
#include "detection/SpikeDetFunctionClass.h"
#include "detection/UnitSelectorFunctionClass.h"
#include "host/IHostDocument.h"

namespace TestSupport {

// A host document over a recording, built from the stand-in host's parts
// (recording layout, calculation engine, services, message queue, menus,
// selection) and recording what the module asks of the display.
class TestHostDocument final : public UnknownImpl<IHostDocument> {
public:
    struct Markers {
        VEX::String source;
        bool shown = false;
        int removed = 0;
    };

    explicit TestHostDocument(std::unique_ptr<Desk::Recording> recording)
        : recording_(std::move(recording)), layout_(MakeCom<Desk::HostRecording>(*recording_, sampling_)),
          engine_(*recording_, [this](std::int32_t block) {
              const Desk::SamplingState::Block visible = sampling_.Visible(block, recording_->Ticks(0, block));
              return Desk::BlockAvailability{visible.ticks, visible.growing};
          })
    {
        engine_.RegisterFunctionClass(&CalcEnums::SpikeDetClass());
        engine_.RegisterFunctionClass(&CalcEnums::UnitSelectorClass());
    }

    HRESULT GetRecording(IHostRecording** out) override { return Hand(layout_, out); }
    HRESULT GetSelection(IHostSelection** out) override { return Hand(selection_, out); }
    HRESULT GetCalc(IHostCalc** out) override { return Hand(engine_.Calc(), out); }
    HRESULT GetServices(IHostServices** out) override { return Hand(services_, out); }
    HRESULT GetMessages(IHostMessages** out) override { return Hand(messages_, out); }
    HRESULT GetCommandFactory(ICommandFactory** out) override { return Hand(commands_, out); }
    HRESULT GetChannelCalculations(IHostChannelCalculations** out) override
    {
        return Hand(engine_.ChannelCalculations(), out);
    }
    HRESULT DocumentName(VEX::String* name) override
    {
        *name = VEX::String(u"test");
        return S_OK;
    }
    HRESULT SendDocumentChanged() override
    {
        ++documentChanged;
        return S_OK;
    }
    HRESULT HasDisplay() override { return S_FALSE; }
    HRESULT RefreshDisplay() override { return S_OK; }
    HRESULT RegisterPersistence(IPersistStreamInit* settings) override
    {
        persistence = ComPtr<IPersistStreamInit>(settings);
        return S_OK;
    }
    HRESULT AttachChildData(std::int32_t channel, IGrafoDataChildData* child) override
    {
        return engine_.ChildData().Attach(channel, child);
    }
    HRESULT DetachChildData(std::int32_t channel, std::uint32_t key) override
    {
        return engine_.ChildData().Detach(channel, key);
    }
    HRESULT FindChildData(std::int32_t channel, std::uint32_t key, IGrafoDataChildData** child) override
    {
        return engine_.ChildData().Find(channel, key, child);
    }
    HRESULT AttachMarkers(std::int32_t channel, const VEX::String& source, IEventDrawClass* draw) override
    {
        markers[channel].source = source;
        markerDraw = ComPtr<IEventDrawClass>(draw);
        return S_OK;
    }
    HRESULT ShowMarkers(std::int32_t channel, bool show) override
    {
        markers[channel].shown = show;
        return S_OK;
    }
    HRESULT MarkersShown(std::int32_t channel) override
    {
        return markers.contains(channel) && markers[channel].shown ? S_OK : S_FALSE;
    }
    HRESULT RemoveMarkers(std::int32_t channel) override
    {
        markers[channel].shown = false;
        ++markers[channel].removed;
        return S_OK;
    }

    Desk::HostServices& Services() { return *services_; }
    Desk::MessageQueue& Messages() { return *messages_; }
    Desk::HostSelection& Selection() { return *selection_; }
    Desk::CommandRegistry& Commands() { return *commands_; }
    Desk::SamplingState& Sampling() { return sampling_; }
    const Desk::Recording& Data() const { return *recording_; }

    int documentChanged = 0;
    ComPtr<IPersistStreamInit> persistence;
    ComPtr<IEventDrawClass> markerDraw;
    std::map<std::int32_t, Markers> markers;

private:
    template <typename T, typename I>
    static HRESULT Hand(const ComPtr<T>& object, I** out)
    {
        *out = object.Get();
        (*out)->AddRef();
        return S_OK;
    }

    std::unique_ptr<Desk::Recording> recording_;
    Desk::SamplingState sampling_;
    ComPtr<Desk::HostRecording> layout_;
    Desk::CalcEngine engine_;
    ComPtr<Desk::HostServices> services_ = MakeCom<Desk::HostServices>(nullptr);
    ComPtr<Desk::MessageQueue> messages_ = MakeCom<Desk::MessageQueue>();
    ComPtr<Desk::HostSelection> selection_ = MakeCom<Desk::HostSelection>();
    // Last: it holds the module's document, which must go before the rest.
    ComPtr<Desk::CommandRegistry> commands_ = MakeCom<Desk::CommandRegistry>();
};

} // namespace TestSupport

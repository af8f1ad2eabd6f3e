#include "desk/runtime/HostDocument.h"

#include "host/ISpikeDocInterface.h"

namespace Desk {
namespace {

template <typename I, typename T>
HRESULT HandOut(const ComPtr<T>& object, I** out)
{
    if (out == nullptr) {
        return E_POINTER;
    }
    *out = object.Get();
    if (*out == nullptr) {
        return E_FAIL;
    }
    (*out)->AddRef();
    return S_OK;
}

} // namespace

HostDocument::HostDocument(std::unique_ptr<Recording> recording, ComPtr<HostServices> services)
    : recording_(std::move(recording)),
      layout_(MakeCom<HostRecording>(*recording_, sampling_)),
      selection_(MakeCom<HostSelection>()),
      services_(std::move(services)),
      messages_(MakeCom<MessageQueue>()),
      commands_(MakeCom<CommandRegistry>()),
      name_(VEX::String::FromUtf8(recording_->Source()))
{
    engine_ = std::make_unique<CalcEngine>(*recording_, [this](std::int32_t block) {
        std::int32_t ticks = 0;
        if (Failed(layout_->BlockTicks(block, &ticks))) {
            return BlockAvailability{-1, true};
        }
        const bool growing = sampling_.Active() && block >= sampling_.SampledBlock();
        return BlockAvailability{ticks, growing && sampling_.Visible(block, ticks).growing};
    });
}

HostDocument::~HostDocument() = default;

void HostDocument::Close()
{
    if (const auto analysis = moduleDocument_.As<ISpikeDocInterface>()) {
        analysis->CloseViews();
    }
    moduleDocument_.Reset();
    persistence_.Reset();
    markers_.clear();
}

HRESULT HostDocument::GetRecording(IHostRecording** recording) { return HandOut(layout_, recording); }
HRESULT HostDocument::GetSelection(IHostSelection** selection) { return HandOut(selection_, selection); }
HRESULT HostDocument::GetCalc(IHostCalc** calc) { return HandOut(engine_->Calc(), calc); }
HRESULT HostDocument::GetServices(IHostServices** services) { return HandOut(services_, services); }
HRESULT HostDocument::GetMessages(IHostMessages** messages) { return HandOut(messages_, messages); }
HRESULT HostDocument::GetCommandFactory(ICommandFactory** factory) { return HandOut(commands_, factory); }

HRESULT HostDocument::GetChannelCalculations(IHostChannelCalculations** calculations)
{
    return HandOut(engine_->ChannelCalculations(), calculations);
}

HRESULT HostDocument::DocumentName(VEX::String* name)
{
    if (name == nullptr) {
        return E_POINTER;
    }
    *name = name_;
    return S_OK;
}

HRESULT HostDocument::SendDocumentChanged()
{
    ++changes_;
    return S_OK;
}

HRESULT HostDocument::HasDisplay() { return displayed_ ? S_OK : S_FALSE; }

HRESULT HostDocument::RefreshDisplay()
{
    ++refreshes_;
    return S_OK;
}

HRESULT HostDocument::RegisterPersistence(IPersistStreamInit* settings)
{
    if (settings == nullptr) {
        return E_POINTER;
    }
    persistence_ = ComPtr<IPersistStreamInit>(settings);
    return S_OK;
}

HRESULT HostDocument::AttachChildData(std::int32_t channel, IGrafoDataChildData* child)
{
    if (child == nullptr) {
        return E_POINTER;
    }
    return engine_->ChildData().Attach(channel, child);
}

HRESULT HostDocument::DetachChildData(std::int32_t channel, std::uint32_t key)
{
    return engine_->ChildData().Detach(channel, key);
}

HRESULT HostDocument::FindChildData(std::int32_t channel, std::uint32_t key, IGrafoDataChildData** child)
{
    if (child == nullptr) {
        return E_POINTER;
    }
    return engine_->ChildData().Find(channel, key, child);
}

HRESULT HostDocument::AttachMarkers(std::int32_t channel, const VEX::String& eventSource, IEventDrawClass* drawClass)
{
    if (channel < 0 || channel >= recording_->ChannelCount()) {
        return E_INVALIDARG;
    }
    Markers& markers = markers_[channel];
    markers.eventSource = eventSource;
    markers.drawClass = ComPtr<IEventDrawClass>(drawClass);
    return S_OK;
}

HRESULT HostDocument::ShowMarkers(std::int32_t channel, bool show)
{
    const auto found = markers_.find(channel);
    if (found == markers_.end()) {
        return E_INVALIDARG;
    }
    found->second.shown = show;
    return S_OK;
}

HRESULT HostDocument::MarkersShown(std::int32_t channel)
{
    const auto found = markers_.find(channel);
    return found != markers_.end() && found->second.shown ? S_OK : S_FALSE;
}

HRESULT HostDocument::RemoveMarkers(std::int32_t channel) { return markers_.erase(channel) > 0 ? S_OK : S_FALSE; }

} // namespace Desk

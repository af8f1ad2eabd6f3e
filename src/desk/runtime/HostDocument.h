#pragma once

#include <map>
#include <memory>
#include <string>

#include "desk/calc/CalcEngine.h"
#include "desk/recording/Recording.h"
#include "desk/runtime/CommandRegistry.h"
#include "desk/runtime/HostRecording.h"
#include "desk/runtime/HostSelection.h"
#include "desk/runtime/HostServices.h"
#include "desk/runtime/MessageQueue.h"
#include "desk/runtime/SamplingState.h"
#include "host/IHostDocument.h"

namespace Desk {

// One host document: a recording with its calculation engine, selection,
// menus, message queue and the module's attachments. It is what the
// module's analysis document is given.
class HostDocument final : public UnknownImpl<IHostDocument> {
public:
    struct Markers {
        VEX::String eventSource;
        ComPtr<IEventDrawClass> drawClass;
        bool shown = false;
    };

    HostDocument(std::unique_ptr<Recording> recording, ComPtr<HostServices> services);
    ~HostDocument() override;

    HRESULT GetRecording(IHostRecording** recording) override;
    HRESULT GetSelection(IHostSelection** selection) override;
    HRESULT GetCalc(IHostCalc** calc) override;
    HRESULT GetServices(IHostServices** services) override;
    HRESULT GetMessages(IHostMessages** messages) override;
    HRESULT GetCommandFactory(ICommandFactory** factory) override;
    HRESULT GetChannelCalculations(IHostChannelCalculations** calculations) override;
    HRESULT DocumentName(VEX::String* name) override;
    HRESULT SendDocumentChanged() override;
    HRESULT HasDisplay() override;
    HRESULT RefreshDisplay() override;
    HRESULT RegisterPersistence(IPersistStreamInit* settings) override;
    HRESULT AttachChildData(std::int32_t channel, IGrafoDataChildData* child) override;
    HRESULT DetachChildData(std::int32_t channel, std::uint32_t key) override;
    HRESULT FindChildData(std::int32_t channel, std::uint32_t key, IGrafoDataChildData** child) override;
    HRESULT AttachMarkers(std::int32_t channel, const VEX::String& eventSource, IEventDrawClass* drawClass) override;
    HRESULT ShowMarkers(std::int32_t channel, bool show) override;
    HRESULT MarkersShown(std::int32_t channel) override;
    HRESULT RemoveMarkers(std::int32_t channel) override;

    const Recording& Data() const { return *recording_; }
    CalcEngine& Engine() { return *engine_; }
    HostRecording& Layout() { return *layout_; }
    HostSelection& Selection() { return *selection_; }
    HostServices& Services() { return *services_; }
    MessageQueue& Messages() { return *messages_; }
    CommandRegistry& Commands() { return *commands_; }
    SamplingState& Sampling() { return sampling_; }

    void SetName(VEX::String name) { name_ = std::move(name); }
    void SetDisplay(bool shown) { displayed_ = shown; }
    // The module's analysis document, made through its document class.
    void SetModuleDocument(ComPtr<IUnknown> document) { moduleDocument_ = std::move(document); }
    const ComPtr<IUnknown>& ModuleDocument() const { return moduleDocument_; }
    const ComPtr<IPersistStreamInit>& Persistence() const { return persistence_; }
    const std::map<std::int32_t, Markers>& MarkerTable() const { return markers_; }
    // The class each module calculation on a channel was made from, by channel.
    std::map<std::int32_t, std::string>& CalculationClasses() { return calculationClasses_; }
    int DocumentChangedCount() const { return changes_; }
    int RefreshCount() const { return refreshes_; }

    // Breaks the reference cycles between this document and the module's.
    void Close();

private:
    std::unique_ptr<Recording> recording_;
    SamplingState sampling_;
    std::unique_ptr<CalcEngine> engine_;
    ComPtr<HostRecording> layout_;
    ComPtr<HostSelection> selection_;
    ComPtr<HostServices> services_;
    ComPtr<MessageQueue> messages_;
    ComPtr<CommandRegistry> commands_;
    ComPtr<IPersistStreamInit> persistence_;
    ComPtr<IUnknown> moduleDocument_;
    std::map<std::int32_t, Markers> markers_;
    std::map<std::int32_t, std::string> calculationClasses_;
    VEX::String name_;
    bool displayed_ = false;
    int changes_ = 0;
    int refreshes_ = 0;
};

} // namespace Desk

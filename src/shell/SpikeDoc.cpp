#include "shell/SpikeDoc.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "detection/Expressions.h"
#include "module/StringTable.h"
#include "shell/AnalysisRun.h"
#include "shell/NexWriter.h"
#include "shell/PersistStreamSettings.h"
#include "shell/SpikeEventDrawClass.h"

#include "shell/OutParameter.h"

namespace Nerolith {
namespace {

constexpr std::int32_t kDocumentChildData = -1;

} // namespace

SpikeDoc::SpikeDoc(IHostDocument* host)
    : UnknownImpl(1), host_(host), store_(MakeCom<SpikeData>(this)), settings_(std::make_unique<AnalysisSettings>()),
      commands_(*this), online_(*this), guard_(*this),
      persistence_(ComPtr<PersistStreamSettings<SpikeDoc>>::Attach(new PersistStreamSettings<SpikeDoc>(this))),
      markerDraw_(MakeCom<SpikeEventDrawClass>(this)), channels_(*store_, markerDraw_.Get())
{
    if (host_ == nullptr) {
        return;
    }
    host_->GetRecording(recording_.Put());
    host_->GetSelection(selection_.Put());
    host_->GetCalc(calc_.Put());
    host_->GetServices(services_.Put());
    host_->GetMessages(messages_.Put());
    channels_.Connect(host_, calc_.Get());
    host_->AttachChildData(kDocumentChildData, store_.Get());
    BuildMenu();
}

SpikeDoc::~SpikeDoc()
{
    persistence_->Detach();
    markerDraw_->Detach();
    store_->DetachOwner();
}

HRESULT SpikeDoc::QueryInterface(const IID& iid, void** object)
{
    if (iid == IPersistStreamInit::iid) {
        return persistence_->QueryInterface(iid, object);
    }
    return UnknownImpl::QueryInterface(iid, object);
}

void SpikeDoc::BuildMenu()
{
    ComPtr<ICommandFactory> factory;
    if (Succeeded(host_->GetCommandFactory(factory.Put())) && factory) {
        commands_.BuildMenu(*factory, static_cast<ISpikeDocInterface*>(this), this, this);
    }
}

// ---- Settings, records and the after-change routine ----

void SpikeDoc::ReplaceSettings(AnalysisSettings settings) { *settings_ = std::move(settings); }

void SpikeDoc::AfterChange()
{
    if (host_ == nullptr) {
        modified_ = true;
        return;
    }
    if (host_->HasDisplay() == S_OK) {
        host_->RefreshDisplay();
    }
    if (!settingsRegistered_) {
        host_->RegisterPersistence(persistence_.Get());
        settingsRegistered_ = true;
    }
    modified_ = true;
    SendDocumentChanged();
}

void SpikeDoc::SendDocumentChanged()
{
    if (host_ != nullptr) {
        host_->SendDocumentChanged();
    }
    // The discriminator shows the units, the selections and the status.
    views_.RefreshDiscriminator();
}

Host::MessageAnswer SpikeDoc::ShowMessage(std::uint32_t stringId, Host::MessageButtons buttons,
                                          Host::MessageIcon icon)
{
    if (!services_) {
        return Host::MessageAnswer::Cancel;
    }
    return services_->MessageBox(LoadString(Strings::kCaption), LoadString(stringId), buttons, icon);
}

HRESULT SpikeDoc::GetDocumentSettings(Host::DocumentSettings* settings)
{
    return Fill(settings, Host::DocumentSettings{settings_->showSpikeMarkers, settings_->analyzeWhileSampling,
                                                 settings_->sourceChannel, kSettingsVersion});
}

HRESULT SpikeDoc::SetSourceChannel(std::int32_t channel)
{
    if (channel < 0 || (recording_ && channel >= recording_->ChannelCount())) {
        return E_INVALIDARG;
    }
    settings_->sourceChannel = channel;
    // The selected unit is the source channel's: Edit and Delete act on it.
    std::vector<Host::UnitDescription> units;
    GetUnits(&units);
    if (std::none_of(units.begin(), units.end(), [this, channel](const Host::UnitDescription& unit) {
            return unit.number == selectedUnit_ && unit.channel == channel;
        })) {
        selectedUnit_ = -1;
    }
    views_.ReadSettings();
    AfterChange();
    return S_OK;
}

HRESULT SpikeDoc::SetShowSpikeMarkers(bool show)
{
    if (show != settings_->showSpikeMarkers) {
        ToggleShowSpikeMarkers();
    }
    return S_OK;
}

HRESULT SpikeDoc::SetAnalyzeWhileSampling(bool analyze)
{
    if (IsSampling()) {
        return E_FAIL;
    }
    if (analyze != settings_->analyzeWhileSampling) {
        ToggleAnalyzeWhileSampling();
    }
    return S_OK;
}

HRESULT SpikeDoc::GetChannelRecord(std::int32_t channel, Host::ChannelAnalysisRecord* record)
{
    if (channel < 0) {
        return E_INVALIDARG;
    }
    return Fill(record, settings_->Record(channel));
}

HRESULT SpikeDoc::SetChannelRecord(const Host::ChannelAnalysisRecord& record)
{
    const RecordedEdit edit(*this);
    if (record.channel < 0 || !RecordIsFinite(record)) {
        return E_INVALIDARG;
    }
    settings_->SetRecord(record);
    views_.ReadSettings();
    AfterChange();
    return S_OK;
}

HRESULT SpikeDoc::ConfirmSettings(const Host::ChannelAnalysisRecord& record)
{
    const RecordedEdit edit(*this);
    if (record.channel < 0 || !RecordIsFinite(record)) {
        return E_INVALIDARG;
    }
    if (IsSampling()) {
        return E_FAIL;
    }
    const ChannelAnalysisRecord before = settings_->SourceRecord();
    settings_->SetRecord(record);
    settings_->sourceChannel = record.channel;
    views_.Reset();
    views_.ReadSettings();
    AnalyzeChannel(settings_->sourceChannel);
    if (DetectionSettingsDiffer(record, before) || !record.analyzed) {
        RunAnalyzeRequest();
    } else {
        AfterChange();
    }
    return S_OK;
}

HRESULT SpikeDoc::GetChannelKeys(std::vector<std::int32_t>* channels)
{
    return Fill(channels, settings_->ChannelKeys());
}

void SpikeDoc::ToggleShowSpikeMarkers()
{
    settings_->showSpikeMarkers = !settings_->showSpikeMarkers;
    for (const std::int32_t channel : channels_.Channels()) {
        if (host_ != nullptr && host_->MarkersShown(channel) == S_OK) {
            host_->ShowMarkers(channel, false);
        }
    }
    if (settings_->showSpikeMarkers) {
        for (const std::int32_t channel : channels_.Channels()) {
            ShowChannelMarkers(channel, true);
        }
    }
    AfterChange();
}

void SpikeDoc::ToggleAnalyzeWhileSampling()
{
    settings_->analyzeWhileSampling = !settings_->analyzeWhileSampling;
    for (const std::int32_t channel : settings_->ChannelKeys()) {
        if (settings_->Record(channel).analyzed) {
            EnsureChannelStore(channel);
            if (channel == settings_->sourceChannel) {
                AnalyzeChannel(channel);
            }
        }
    }
    AfterChange();
}

// ---- Requests ----

HRESULT SpikeDoc::RequestAnalyze()
{
    SendAnalyzeRequest();
    return S_OK;
}

HRESULT SpikeDoc::RequestClearAnalysis()
{
    SendClearAnalysisRequest();
    return S_OK;
}

void SpikeDoc::SendAnalyzeRequest()
{
    if (messages_) {
        messages_->Send(this, kAnalyzeRequest, 0);
    }
}

void SpikeDoc::SendClearAnalysisRequest()
{
    if (messages_) {
        messages_->Send(this, kClearAnalysisRequest, 0);
    }
}

HRESULT SpikeDoc::Deliver(std::uint32_t code, std::int32_t)
{
    switch (code) {
    case kAnalyzeRequest:
        RunAnalyzeRequest();
        return S_OK;
    case kClearAnalysisRequest:
        RunClearAnalysisRequest();
        return S_OK;
    default:
        return E_INVALIDARG;
    }
}

void SpikeDoc::RunAnalyzeRequest()
{
    if (IsSampling()) {
        return;
    }
    const std::int32_t channel = settings_->sourceChannel;
    ChannelAnalysisRecord& record = settings_->Record(channel);
    const Range range = AnalyzeRange(channel, record);
    record.rangeStart = range.first;
    record.rangeEnd = range.second;
    record.analyzed = true;
    EnsureChannelStore(channel);
    AnalyzeChannel(channel);
    AfterChange();
}

void SpikeDoc::RunClearAnalysisRequest()
{
    if (UnitCount() > 0 && ShowMessage(Strings::kClearUnitsWarning, Host::MessageButtons::OkCancel,
                                       Host::MessageIcon::Warning) != Host::MessageAnswer::Ok) {
        return;
    }
    for (const std::int32_t channel : settings_->ChannelKeys()) {
        ClearChannelAnalysis(channel);
        ClearChannelUnits(channel);
    }
    ClearChannelAnalysis(settings_->sourceChannel);
    ClearChannelUnits(settings_->sourceChannel);
    history_.Clear();
    AfterChange();
}

// ---- Host calls handed to the document's parts ----

HRESULT SpikeDoc::Execute(std::uint32_t commandId) { return commands_.Execute(commandId); }
bool SpikeDoc::IsEnabled(std::uint32_t commandId) { return commands_.IsEnabled(commandId); }
bool SpikeDoc::IsChecked(std::uint32_t commandId) { return commands_.IsChecked(commandId); }
HRESULT SpikeDoc::MenuText(std::uint32_t commandId, VEX::String* text) { return commands_.MenuText(commandId, text); }

HRESULT SpikeDoc::SubmenuItems(std::uint32_t commandId, std::vector<VEX::String>* items)
{
    return commands_.SubmenuItems(commandId, items);
}

HRESULT SpikeDoc::ExecuteSubmenuItem(std::uint32_t commandId, std::uint32_t item)
{
    return commands_.ExecuteSubmenuItem(commandId, item);
}

HRESULT SpikeDoc::MayStart(std::int16_t* allowed, VEX::String* message) { return online_.MayStart(allowed, message); }
HRESULT SpikeDoc::Start() { return online_.Start(); }
HRESULT SpikeDoc::BlockStart(const Host::BlockDescription& description, std::int16_t recorded)
{
    return online_.BlockStart(description, recorded);
}
HRESULT SpikeDoc::NewData(std::int32_t ticks) { return online_.NewData(ticks); }
HRESULT SpikeDoc::BlockEnd() { return online_.BlockEnd(); }
HRESULT SpikeDoc::Stop() { return online_.Stop(); }

HRESULT SpikeDoc::BeforeDataChange(Host::Position position, VEX::String* error)
{
    return guard_.Before(position, error);
}
HRESULT SpikeDoc::AfterDataChange(Host::Position position) { return guard_.After(position); }

} // namespace Nerolith

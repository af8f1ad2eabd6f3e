#include "shell/SpikeDoc.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "detection/Expressions.h"
#include "platform/ui/FileDialog.h"
#include "shell/AnalysisRun.h"
#include "shell/NexWriter.h"
#include "shell/PersistStreamSettings.h"
#include "shell/SpikeEventDrawClass.h"
#include "shell/StringTable.h"

namespace Nerolith {
namespace {

constexpr Host::Position kFallbackStart{0, 0};
constexpr Host::Position kFallbackEnd{1, 0};
constexpr std::int32_t kDocumentChildData = -1;

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

// The name of a channel's spike event source in the host; units select
// their spikes from it by this name.
VEX::String SpikeSourceName(std::int32_t channel)
{
    return VEX::String::FromUtf8("NerolithSpikes" + std::to_string(std::int64_t{channel} + 1));
}

Host::UnitDescription Describe(const UnitRecord& record)
{
    return {record.kind,        record.number,     record.name,         record.channel,
            record.colour,      record.sourceBlock, record.sourceTick,  record.fitTolerance,
            record.widths,      record.heights};
}

UnitRecord RecordOf(const Host::UnitDescription& unit)
{
    UnitRecord record;
    record.kind = unit.kind;
    record.number = unit.number;
    record.name = unit.name;
    record.channel = unit.channel;
    record.colour = unit.colour;
    record.sourceBlock = unit.sourceBlock;
    record.sourceTick = unit.sourceTick;
    record.fitTolerance = unit.fitTolerance;
    record.widths = unit.widths;
    record.heights = unit.heights;
    return record;
}

template <typename T>
HRESULT Fill(T* out, T value)
{
    if (out == nullptr) {
        return E_POINTER;
    }
    *out = std::move(value);
    return S_OK;
}

// The file dialog over the host's main window, which the module does not
// know: the platform places an ownerless dialog over the active window.
std::optional<VEX::String> ChooseExportPath()
{
    platform::ui::FileDialogOptions options;
    options.title = LoadString(Strings::kExportTitle);
    options.filter = VEX::String(u"Nex Files (*.nex)|*.nex");
    options.defaultExtension = VEX::String(u"nex");
    return platform::ui::GetSaveFileName(nullptr, options);
}

} // namespace

SpikeDoc::SpikeDoc(IHostDocument* host)
    : UnknownImpl(1), host_(host), store_(MakeCom<SpikeData>(this)), settings_(std::make_unique<AnalysisSettings>()),
      commands_(*this), online_(*this), guard_(*this),
      persistence_(ComPtr<PersistStreamSettings<SpikeDoc>>::Attach(new PersistStreamSettings<SpikeDoc>(this))),
      markerDraw_(MakeCom<SpikeEventDrawClass>(this))
{
    if (host_ == nullptr) {
        return;
    }
    host_->GetRecording(recording_.Put());
    host_->GetSelection(selection_.Put());
    host_->GetCalc(calc_.Put());
    host_->GetServices(services_.Put());
    host_->GetMessages(messages_.Put());
    host_->AttachChildData(kDocumentChildData, store_.Get());
    BuildMenu();
}

SpikeDoc::~SpikeDoc()
{
    persistence_->Detach();
    markerDraw_->Detach();
    store_->DetachOwner();
}

DocumentWindows& SpikeDoc::Windows()
{
    static DocumentWindows windows{{}, {}, {}, ChooseExportPath};
    return windows;
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
        commands_.BuildMenu(*factory, static_cast<ISpikeDocInterface*>(this), this);
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
                                                 settings_->sourceChannel});
}

HRESULT SpikeDoc::SetSourceChannel(std::int32_t channel)
{
    if (channel < 0 || (recording_ && channel >= recording_->ChannelCount())) {
        return E_INVALIDARG;
    }
    settings_->sourceChannel = channel;
    ForEachView([](SpikeView& view) { view.ReadSettings(); });
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
    if (record.channel < 0 || !RecordIsFinite(record)) {
        return E_INVALIDARG;
    }
    settings_->SetRecord(record);
    ForEachView([](SpikeView& view) { view.ReadSettings(); });
    AfterChange();
    return S_OK;
}

HRESULT SpikeDoc::ConfirmSettings(const Host::ChannelAnalysisRecord& record)
{
    if (record.channel < 0 || !RecordIsFinite(record)) {
        return E_INVALIDARG;
    }
    if (IsSampling()) {
        return E_FAIL;
    }
    const ChannelAnalysisRecord before = settings_->SourceRecord();
    settings_->SetRecord(record);
    settings_->sourceChannel = record.channel;
    ForEachView([](SpikeView& view) {
        view.Reset();
        view.ReadSettings();
    });
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
    for (const std::int32_t channel : storeChannels_) {
        if (host_ != nullptr && host_->MarkersShown(channel) == S_OK) {
            host_->ShowMarkers(channel, false);
        }
    }
    if (settings_->showSpikeMarkers) {
        for (const std::int32_t channel : storeChannels_) {
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
    AfterChange();
}

// ---- The analysis run ----

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
    RecomputeViews();
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
    RefreshDiscriminator();
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

bool SpikeDoc::ChannelHasStore(std::int32_t channel) const { return storeChannels_.contains(channel); }

void SpikeDoc::EnsureChannelStore(std::int32_t channel)
{
    if (host_ == nullptr) {
        return;
    }
    if (!ChannelHasStore(channel) && Succeeded(host_->AttachChildData(channel, store_.Get()))) {
        storeChannels_.insert(channel);
    }
    RegisterSpikeSource(channel);
    RebuildUnits(channel);
    host_->AttachMarkers(channel, SpikeSourceName(channel), markerDraw_.Get());
    if (settings_->showSpikeMarkers) {
        host_->ShowMarkers(channel, true);
    }
}

void SpikeDoc::ShowChannelMarkers(std::int32_t channel, bool show)
{
    if (host_ == nullptr) {
        return;
    }
    if (show) {
        // Markers withdrawn by a clear are attached again.
        host_->AttachMarkers(channel, SpikeSourceName(channel), markerDraw_.Get());
    }
    host_->ShowMarkers(channel, show);
}

// The channel's spike source follows its settings: a changed expression is
// registered anew under the same name, which the units' sources refer to.
void SpikeDoc::RegisterSpikeSource(std::int32_t channel)
{
    if (!calc_) {
        return;
    }
    const VEX::String expression = SpikeSourceExpression(channel);
    const auto registered = spikeSources_.find(channel);
    if (registered != spikeSources_.end() && registered->second == expression) {
        return;
    }
    WithdrawSpikeSource(channel);
    std::int32_t id1 = 0;
    std::int32_t id2 = 0;
    if (Succeeded(calc_->RegisterEventSource(SpikeSourceName(channel), expression, &id1, &id2))) {
        store_->Units().SetChannelIdentifiers(channel, id1, id2);
        spikeSources_[channel] = expression;
    }
}

void SpikeDoc::WithdrawSpikeSource(std::int32_t channel)
{
    const auto identifiers = store_->Units().ChannelIdentifiers(channel);
    if (identifiers && calc_) {
        calc_->WithdrawEventSource(identifiers->first, identifiers->second);
    }
    spikeSources_.erase(channel);
}

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
            ForEachView([&](SpikeView& view) { view.AddPane(unit.number); });
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
    RefreshViews();
    if (host_ != nullptr) {
        host_->RefreshDisplay();
    }
}

void SpikeDoc::ClearChannelUnits(std::int32_t channel)
{
    for (const UnitSummary& unit : store_->Units().List(channel)) {
        ForEachView([&](SpikeView& view) { view.RemovePane(unit.number); });
        if (unit.number == selectedUnit_) {
            selectedUnit_ = -1;
        }
    }
    // The units' sources select from the channel's spike source, so they go
    // first.
    const auto identifiers = store_->Units().ChannelIdentifiers(channel);
    store_->Units().DeleteUnits(channel);
    store_->Units().Assignments().RemoveChannel(channel);
    if (identifiers && calc_) {
        calc_->WithdrawEventSource(identifiers->first, identifiers->second);
    }
    spikeSources_.erase(channel);
}

void SpikeDoc::ClearAllAnalyses()
{
    for (const std::int32_t channel : settings_->ChannelKeys()) {
        ClearChannelAnalysis(channel);
    }
}

// ---- Units and hand assignments ----

std::size_t SpikeDoc::UnitCount() const
{
    return store_->Units().Units().size() + store_->Units().PendingUnits().size();
}

// The catalog takes units waiting to be rebuilt only from a stream, so the
// records go through one.
void SpikeDoc::ReplacePendingUnits(const std::deque<UnitRecord>& records)
{
    store_->Units().ReplacePendingUnits(records);
}

HRESULT SpikeDoc::GetUnits(std::vector<Host::UnitDescription>* units)
{
    if (units == nullptr) {
        return E_POINTER;
    }
    units->clear();
    for (const UnitCatalog::UnitPtr& unit : store_->Units().Units()) {
        units->push_back(Describe(unit->Record()));
    }
    for (const UnitRecord& record : store_->Units().PendingUnits()) {
        units->push_back(Describe(record));
    }
    return S_OK;
}

void SpikeDoc::UnitCreated(std::int32_t number)
{
    const SpikeUnit* unit = store_->Units().Find(number);
    if (unit != nullptr && unit->Channel() == settings_->sourceChannel) {
        ForEachView([number](SpikeView& view) { view.AddPane(number); });
    }
    selectedUnit_ = number;
    AfterChange();
}

HRESULT SpikeDoc::CreateContourUnit(std::int32_t channel, const std::vector<double>& widths,
                                   const std::vector<double>& heights, const VEX::String& name, std::int32_t* number)
{
    if (number == nullptr) {
        return E_POINTER;
    }
    if (channel < 0 || widths.empty() || widths.size() != heights.size()) {
        return E_INVALIDARG;
    }
    UnitCatalog& units = store_->Units();
    *number = units.NewContourUnit(channel, widths, heights);
    if (!name.Empty()) {
        const SpikeUnit* unit = units.Find(*number);
        units.SetProperties(*number, name, unit->Colour(), unit->FitTolerance());
    }
    UnitCreated(*number);
    return S_OK;
}

bool SpikeDoc::ValidSpikeIndex(std::int32_t index) const
{
    return index >= 0 && static_cast<std::size_t>(index) < store_->Spikes().Size();
}

HRESULT SpikeDoc::CreateTemplateUnit(std::int32_t spikeIndex, double fitTolerance, std::int32_t* number)
{
    if (number == nullptr) {
        return E_POINTER;
    }
    if (!ValidSpikeIndex(spikeIndex) || !(fitTolerance >= 0.0)) {
        return E_INVALIDARG;
    }
    const Host::Position position = store_->Spikes().Positions()[static_cast<std::size_t>(spikeIndex)];
    const std::optional<std::int32_t> created =
        store_->Units().NewTemplateUnit(analysedChannel_, position, WindowOf(analysedChannel_), fitTolerance);
    if (!created) {
        return E_FAIL;
    }
    *number = *created;
    UnitCreated(*number);
    return S_OK;
}

HRESULT SpikeDoc::DeleteUnit(std::int32_t number)
{
    if (!store_->Units().DeleteUnit(number)) {
        return E_INVALIDARG;
    }
    ForEachView([number](SpikeView& view) { view.RemovePane(number); });
    if (selectedUnit_ == number) {
        selectedUnit_ = -1;
    }
    AfterChange();
    return S_OK;
}

HRESULT SpikeDoc::RestoreUnit(const Host::UnitDescription& unit)
{
    const bool knownKind = unit.kind == kTemplateUnit || unit.kind == kContourUnit;
    const auto& pending = store_->Units().PendingUnits();
    const bool taken = store_->Units().Find(unit.number) != nullptr ||
                       std::ranges::any_of(pending, [&](const UnitRecord& r) { return r.number == unit.number; });
    if (!knownKind || taken || unit.number < 0 || unit.channel < 0) {
        return E_INVALIDARG;
    }
    store_->Units().AddPendingUnit(RecordOf(unit));
    AfterChange();
    return S_OK;
}

HRESULT SpikeDoc::GetSelectedUnit(std::int32_t* unit) { return Fill(unit, selectedUnit_); }

HRESULT SpikeDoc::SetSelectedUnit(std::int32_t unit)
{
    if (unit < -1) {
        return E_INVALIDARG;
    }
    selectedUnit_ = unit;
    AfterChange();
    return S_OK;
}

HRESULT SpikeDoc::AssignSpike(std::int32_t spikeIndex, std::int32_t unit)
{
    if (!ValidSpikeIndex(spikeIndex) || (unit != -1 && store_->Units().Find(unit) == nullptr)) {
        return E_INVALIDARG;
    }
    const Host::Position position = store_->Spikes().Positions()[static_cast<std::size_t>(spikeIndex)];
    store_->Units().Assignments().Add({unit, position.block, position.tick, analysedChannel_, 0, spikeIndex});
    AfterChange();
    return S_OK;
}

HRESULT SpikeDoc::GetHandAssignments(std::vector<Host::HandAssignment>* assignments)
{
    if (assignments == nullptr) {
        return E_POINTER;
    }
    assignments->clear();
    for (const HandAssignment& record : store_->Units().Assignments().Records()) {
        assignments->push_back(
            {record.unit, record.block, record.tick, record.channel, record.tolerance, record.spikeIndex});
    }
    return S_OK;
}

HRESULT SpikeDoc::RestoreHandAssignment(const Host::HandAssignment& assignment)
{
    if (assignment.unit < -1 || assignment.channel < 0 || assignment.tolerance < 0) {
        return E_INVALIDARG;
    }
    store_->Units().Assignments().Add({assignment.unit, assignment.block, assignment.tick, assignment.channel,
                                       assignment.tolerance, assignment.spikeIndex});
    AfterChange();
    return S_OK;
}

// ---- Spikes ----

std::int32_t SpikeDoc::SpikeCount() { return static_cast<std::int32_t>(store_->Spikes().Size()); }

HRESULT SpikeDoc::GetSpike(std::int32_t index, Host::SpikeInfo* spike)
{
    if (spike == nullptr) {
        return E_POINTER;
    }
    if (!ValidSpikeIndex(index)) {
        return E_INVALIDARG;
    }
    const SpikeTable& spikes = store_->Spikes();
    const auto i = static_cast<std::size_t>(index);
    const Host::Position position = spikes.Positions()[i];
    double interval = 0.0;
    if (recording_) {
        recording_->SampleInterval(analysedChannel_, position.block, &interval);
    }
    *spike = {position.block, position.tick,           position.tick * interval,
              spikes.Heights()[i], spikes.Widths()[i], spikes.SpikeUnits()[i]};
    return S_OK;
}

std::optional<std::size_t> SpikeDoc::FindSpike(std::int32_t channel, Host::Position position) const
{
    if (channel != analysedChannel_) {
        return std::nullopt;
    }
    const auto& positions = store_->Spikes().Positions();
    const auto found = std::find(positions.begin(), positions.end(), position);
    if (found == positions.end()) {
        return std::nullopt;
    }
    return static_cast<std::size_t>(found - positions.begin());
}

VEX::String SpikeDoc::ChannelUnitText(std::int32_t channel) const
{
    VEX::String unit;
    double factor = 1.0;
    if (recording_) {
        recording_->ChannelUnit(channel, &unit, &factor);
    }
    return unit;
}

// ---- Export ----

HRESULT SpikeDoc::ExportNex(const VEX::String& path)
{
    NexInput input;
    for (const UnitSummary& unit : store_->Units().List(settings_->sourceChannel)) {
        input.units.push_back({unit.name, unit.number});
    }
    const SpikeTable& spikes = store_->Spikes();
    input.spikes.reserve(spikes.Size());
    for (std::size_t i = 0; i < spikes.Size(); ++i) {
        input.spikes.push_back({spikes.Positions()[i], spikes.SpikeUnits()[i]});
    }
    input.sampleInterval = store_->SampleInterval();
    input.blockStartTime = [this](std::int32_t block) -> std::optional<double> {
        double seconds = 0.0;
        if (!recording_ || Failed(recording_->BlockStartTime(block, &seconds))) {
            return std::nullopt;
        }
        return seconds;
    };
    return WriteNex(input, path.ToUtf8());
}

// ---- Views ----

bool SpikeDoc::AttachView(SpikeView& view)
{
    const auto free = std::find(views_.begin(), views_.end(), nullptr);
    if (free == views_.end()) {
        return false;
    }
    *free = &view;
    for (const UnitSummary& unit : store_->Units().List(settings_->sourceChannel)) {
        view.AddPane(unit.number);
    }
    store_->Replay([&view](const SpikeNotification& notification) { Forward(view, notification); });
    return true;
}

void SpikeDoc::DetachView(SpikeView& view) { std::replace(views_.begin(), views_.end(), &view, static_cast<SpikeView*>(nullptr)); }

SpikeView* SpikeDoc::FindView(Host::ViewKind kind) const
{
    const auto found = std::find_if(views_.begin(), views_.end(),
                                    [kind](const SpikeView* view) { return view != nullptr && view->Kind() == kind; });
    return found == views_.end() ? nullptr : *found;
}

void SpikeDoc::ForEachView(const std::function<void(SpikeView&)>& action) const
{
    for (SpikeView* view : views_) {
        if (view != nullptr) {
            action(*view);
        }
    }
}

void SpikeDoc::Forward(SpikeView& view, const SpikeNotification& notification)
{
    view.Notify(notification);
    if (notification.code == SpikeNotification::kSpike) {
        view.NotifyUnit(notification.unit);
    } else if (notification.code == SpikeNotification::kReference) {
        view.NotifyUnit(kReferenceUnit);
    }
}

void SpikeDoc::BroadcastNotification(const SpikeNotification& notification)
{
    ForEachView([&notification](SpikeView& view) { Forward(view, notification); });
}

void SpikeDoc::ResetViews()
{
    ForEachView([](SpikeView& view) { view.Reset(); });
}

void SpikeDoc::AdvanceViews(std::int32_t block, double time)
{
    ForEachView([block, time](SpikeView& view) { view.DataAdvanced(block, time); });
}

void SpikeDoc::RecomputeViews()
{
    ForEachView([](SpikeView& view) { view.Recompute(); });
}

void SpikeDoc::RefreshViews()
{
    ForEachView([](SpikeView& view) { view.Refresh(); });
}

void SpikeDoc::RefreshDiscriminator()
{
    if (SpikeView* discriminator = FindView(Host::ViewKind::Discriminator)) {
        discriminator->Refresh();
    }
}

HRESULT SpikeDoc::OpenView(Host::ViewKind kind)
{
    if (SpikeView* open = FindView(kind)) {
        open->Refresh();
        return S_OK;
    }
    const auto& opener = Windows().openView;
    return opener ? opener(*this, kind) : E_NOTIMPL;
}

HRESULT SpikeDoc::CloseViews()
{
    if (const auto& closer = Windows().closeViews) {
        closer(*this);
    }
    return S_OK;
}

HRESULT SpikeDoc::SetViewSetting(Host::ViewKind kind, const VEX::String& name, const VEX::String& value)
{
    SpikeView* view = FindView(kind);
    return view != nullptr ? view->SetSetting(name, value) : E_FAIL;
}

HRESULT SpikeDoc::GetViewSetting(Host::ViewKind kind, const VEX::String& name, VEX::String* value)
{
    SpikeView* view = FindView(kind);
    return view != nullptr ? view->GetSetting(name, value) : E_FAIL;
}

// ---- Host calls handed to the document's parts ----

HRESULT SpikeDoc::Execute(std::uint32_t commandId) { return commands_.Execute(commandId); }
bool SpikeDoc::IsEnabled(std::uint32_t commandId) { return commands_.IsEnabled(commandId); }
bool SpikeDoc::IsChecked(std::uint32_t commandId) { return commands_.IsChecked(commandId); }
HRESULT SpikeDoc::MenuText(std::uint32_t commandId, VEX::String* text) { return commands_.MenuText(commandId, text); }

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

#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <utility>

#include "detection/SpikeData.h"
#include "detection/SpikeStoreOwner.h"
#include "host/ICommandFactory.h"
#include "host/IDataChangeObserver.h"
#include "host/IHostDocument.h"
#include "host/IOnlineDataSink.h"
#include "host/ISpikeDocInterface.h"
#include "module/AnalysisDocument.h"
#include "module/AnalysisSettings.h"
#include "module/DocumentWindows.h"
#include "module/SpikeView.h"
#include "platform/com/ComPtr.h"
#include "shell/ChannelStores.h"
#include "shell/DataChangeGuard.h"
#include "shell/DocumentCommands.h"
#include "shell/EditHistory.h"
#include "shell/OnlineAnalysis.h"
#include "shell/ViewTable.h"

namespace Nerolith {

class SpikeDoc;
class SpikeEventDrawClass;
template <typename Doc>
class PersistStreamSettings;

// The spike the user selected in the scatter plot.
struct SpikeSelection {
    std::size_t index = 0;
    Host::Position position;
    std::int32_t channel = 0;
};

// The analysis document: one per host document. It owns the settings, the
// spike store with its units, the attached views, the menu commands, the
// online analysis and the settings persistence, tells the host about every
// change and guards analysed data against edits made in the host.
class SpikeDoc final
    : public UnknownImpl<AnalysisDocument, ICommandHandler, ICommandSubmenu, IOnlineDataSink, IDataChangeObserver,
                         IMessageTarget>,
      public SpikeStoreOwner {
public:
    // The request messages the document sends to itself.
    static constexpr std::uint32_t kAnalyzeRequest = 0x4E4C0001u;
    static constexpr std::uint32_t kClearAnalysisRequest = 0x4E4C0002u;

    // Builds the menu and attaches the store to the host document.
    explicit SpikeDoc(IHostDocument* host);


    // Also hands out the settings persistence as IPersistStreamInit.
    HRESULT QueryInterface(const IID& iid, void** object) override;

    // ISpikeDocInterface
    HRESULT GetDocumentSettings(Host::DocumentSettings* settings) override;
    HRESULT SetSourceChannel(std::int32_t channel) override;
    HRESULT SetShowSpikeMarkers(bool show) override;
    HRESULT SetAnalyzeWhileSampling(bool analyze) override;
    HRESULT GetChannelRecord(std::int32_t channel, Host::ChannelAnalysisRecord* record) override;
    HRESULT SetChannelRecord(const Host::ChannelAnalysisRecord& record) override;
    HRESULT ConfirmSettings(const Host::ChannelAnalysisRecord& record) override;
    HRESULT GetChannelKeys(std::vector<std::int32_t>* channels) override;
    HRESULT GetUnits(std::vector<Host::UnitDescription>* units) override;
    HRESULT CreateContourUnit(std::int32_t channel, const std::vector<double>& widths,
                              const std::vector<double>& heights, const VEX::String& name,
                              std::int32_t* number) override;
    HRESULT CreateTemplateUnit(std::int32_t spikeIndex, double fitTolerance, std::int32_t* number) override;
    HRESULT DeleteUnit(std::int32_t number) override;
    HRESULT SetUnitProperties(std::int32_t number, const VEX::String& name, std::uint32_t colour,
                              double fitTolerance) override;
    HRESULT SetUnitContour(std::int32_t number, const std::vector<double>& widths,
                           const std::vector<double>& heights) override;
    HRESULT RestoreUnit(const Host::UnitDescription& unit) override;
    HRESULT GetSelectedUnit(std::int32_t* unit) override;
    HRESULT SetSelectedUnit(std::int32_t unit) override;
    HRESULT AssignSpike(std::int32_t spikeIndex, std::int32_t unit) override;
    HRESULT GetHandAssignments(std::vector<Host::HandAssignment>* assignments) override;
    HRESULT RestoreHandAssignment(const Host::HandAssignment& assignment) override;
    HRESULT GetSpikeSelection(std::int32_t* spikeIndex) override;
    HRESULT SetSpikeSelection(std::int32_t spikeIndex) override;
    HRESULT IsExcluded(std::int32_t spikeIndex, bool* excluded) override;
    HRESULT ClearEdits(std::int32_t channel) override;
    std::int32_t SpikeCount() override;
    HRESULT GetSpike(std::int32_t index, Host::SpikeInfo* spike) override;
    HRESULT RequestAnalyze() override;
    HRESULT RequestClearAnalysis() override;
    HRESULT ExportNex(const VEX::String& path) override;
    HRESULT OpenView(Host::ViewKind kind) override;
    HRESULT CloseViews() override;
    HRESULT SetViewSetting(Host::ViewKind kind, const VEX::String& name, const VEX::String& value) override;
    HRESULT GetViewSetting(Host::ViewKind kind, const VEX::String& name, VEX::String* value) override;
    HRESULT GetQualitySettings(Host::QualitySettings* settings) override;
    HRESULT SetQualitySettings(const Host::QualitySettings& settings) override;
    HRESULT GetUnitQuality(std::vector<Host::UnitQuality>* units) override;
    HRESULT Undo() override;
    HRESULT Redo() override;
    bool CanUndo() override { return history_.CanUndo(); }
    bool CanRedo() override { return history_.CanRedo(); }

    // The settings stream as the host would save it.
    EditHistory::Stream SettingsStream();
    // Records the edit that runs while it lives, when it changed the
    // settings stream; edits inside an edit are part of it.
    class RecordedEdit {
    public:
        explicit RecordedEdit(SpikeDoc& doc);
        RecordedEdit(const RecordedEdit&) = delete;
        RecordedEdit& operator=(const RecordedEdit&) = delete;
        ~RecordedEdit();

    private:
        SpikeDoc& doc_;
        std::optional<EditHistory::Stream> before_;
    };

    // ICommandHandler
    HRESULT Execute(std::uint32_t commandId) override;
    bool IsEnabled(std::uint32_t commandId) override;
    bool IsChecked(std::uint32_t commandId) override;
    HRESULT MenuText(std::uint32_t commandId, VEX::String* text) override;

    // ICommandSubmenu
    HRESULT SubmenuItems(std::uint32_t commandId, std::vector<VEX::String>* items) override;
    HRESULT ExecuteSubmenuItem(std::uint32_t commandId, std::uint32_t item) override;

    // IOnlineDataSink
    HRESULT MayStart(std::int16_t* allowed, VEX::String* message) override;
    HRESULT Start() override;
    HRESULT BlockStart(const Host::BlockDescription& description, std::int16_t recorded) override;
    HRESULT NewData(std::int32_t ticks) override;
    HRESULT BlockEnd() override;
    HRESULT Stop() override;

    // IDataChangeObserver
    HRESULT BeforeDataChange(Host::Position position, VEX::String* error) override;
    HRESULT AfterDataChange(Host::Position position) override;

    // IMessageTarget: runs the analyse and clear requests.
    HRESULT Deliver(std::uint32_t code, std::int32_t parameter) override;

    // SpikeStoreOwner
    IHostDocument* HostDocument() override { return host_; }
    void BroadcastNotification(const SpikeNotification& notification) override;
    void ResetViews() override;

    AnalysisSettings& Settings() { return *settings_; }
    const AnalysisSettings& Settings() const override { return *settings_; }
    void ReplaceSettings(AnalysisSettings settings);
    SpikeData& Store() override { return *store_; }
    IHostRecording* Recording() const override { return recording_.Get(); }
    IHostServices* Services() const override { return services_.Get(); }
    IHostSelection* Selection() const { return selection_.Get(); }
    bool IsSampling() const override { return online_.SamplingActive(); }

    bool Modified() const { return modified_; }
    void SetModified(bool modified) { modified_ = modified; }
    bool SettingsRegistered() const { return settingsRegistered_; }
    bool SettingsLoaded() const { return settingsLoaded_; }
    // A loaded document starts a new edit history.
    void MarkSettingsLoaded()
    {
        settingsLoaded_ = true;
        if (!restoring_) {
            history_.Clear();
        }
    }
    std::int32_t SelectedUnitNumber() const override { return selectedUnit_; }
    void SelectUnit(std::int32_t unit) { selectedUnit_ = unit; }
    const Host::QualitySettings& QualitySettings() const { return qualitySettings_; }
    void ReplaceQualitySettings(const Host::QualitySettings& settings) { qualitySettings_ = settings; }
    const std::optional<SpikeSelection>& SelectedSpike() const { return selectedSpike_; }
    void SelectSpike(std::optional<SpikeSelection> selection) { selectedSpike_ = selection; }

    bool AttachView(SpikeView& view) override;
    void DetachView(SpikeView& view) override;
    SpikeView* FindView(Host::ViewKind kind) const override;
    const ViewTable& Views() const { return views_; }

    // Changes and the work behind the commands.
    void AfterChange();
    void SendAnalyzeRequest();
    void SendClearAnalysisRequest();
    void RunAnalyzeRequest();
    void RunClearAnalysisRequest();
    // The offline run over the channel's analysed range.
    void AnalyzeChannel(std::int32_t channel) override;
    // Clears the channel's record, spikes and markers; its units stay.
    void ClearChannelAnalysis(std::int32_t channel);
    // Deletes the channel's units and hand assignments.
    void ClearChannelUnits(std::int32_t channel);
    void ClearAllAnalyses();
    void ToggleShowSpikeMarkers();
    void ToggleAnalyzeWhileSampling();
    // The store attached to the channel, its spike source registered with
    // the host, its units rebuilt and its spike markers in place.
    void EnsureChannelStore(std::int32_t channel);
    bool ChannelHasStore(std::int32_t channel) const;
    void ShowChannelMarkers(std::int32_t channel, bool show);
    // The stimulus or reference source a record names, or absent.
    std::int32_t ResolveSource(const VEX::String& text) const override;
    VEX::String SpikeSourceExpression(std::int32_t channel);
    Host::MessageAnswer ShowMessage(std::uint32_t stringId, Host::MessageButtons buttons, Host::MessageIcon icon);
    void SendDocumentChanged() override;
    void KeepScatterExtents(std::pair<double, double> width, std::pair<double, double> height) override
    {
        settings_->scatterWidthExtent = width;
        settings_->scatterHeightExtent = height;
    }

    // Replaces the units waiting to be rebuilt.
    void ReplacePendingUnits(const std::deque<UnitRecord>& records);
    std::size_t UnitCount() const;

    // For the spike marker hints.
    VEX::String ChannelUnitText(std::int32_t channel) const override;
    std::optional<std::size_t> FindSpike(std::int32_t channel, Host::Position position) const;

private:
    // A closed view opened again: show it.
    static void ShowAgain(SpikeView& view);

    ~SpikeDoc() override;

    using Range = std::pair<Host::Position, Host::Position>;

    void BuildMenu();
    Range AnalyzeRange(std::int32_t channel, const ChannelAnalysisRecord& record) const;
    bool ValidRange(std::int32_t channel, const Range& range) const;
    void RebuildUnits(std::int32_t channel);
    TemplateWindow WindowOf(std::int32_t channel) const;
    void UnitCreated(std::int32_t number);
    void CollectOffline(std::int32_t channel, const Range& range);
    bool ValidSpikeIndex(std::int32_t index) const;

    IHostDocument* host_;
    ComPtr<IHostRecording> recording_;
    ComPtr<IHostSelection> selection_;
    ComPtr<IHostCalc> calc_;
    ComPtr<IHostServices> services_;
    ComPtr<IHostMessages> messages_;

    bool modified_ = false;
    bool settingsRegistered_ = false;
    bool settingsLoaded_ = false;
    std::optional<SpikeSelection> selectedSpike_;
    std::int32_t selectedUnit_ = -1;

    ComPtr<SpikeData> store_;
    std::unique_ptr<AnalysisSettings> settings_;
    ViewTable views_;
    // The channel whose spikes the store holds.
    std::int32_t analysedChannel_ = 0;

    DocumentCommands commands_;
    OnlineAnalysis online_;
    DataChangeGuard guard_;
    ComPtr<PersistStreamSettings<SpikeDoc>> persistence_;
    ComPtr<SpikeEventDrawClass> markerDraw_;
    ChannelStores channels_;

    // Unit quality: its settings, and the source channel's noise sigma,
    // measured once per analysis.
    Host::QualitySettings qualitySettings_;
    std::optional<double> noiseSigma_;
    // Undo and redo (SpikeDocHistory.cpp).
    void RestoreSettingsStream(const EditHistory::Stream& stream);
    EditHistory history_;
    std::int32_t editDepth_ = 0;
    bool restoring_ = false;
};

} // namespace Nerolith

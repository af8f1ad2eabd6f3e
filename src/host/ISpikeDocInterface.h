#pragma once

#include <cstdint>
#include <vector>

#include "host/HostTypes.h"
#include "host/UnitQuality.h"
#include "platform/com/Unknown.h"
#include "platform/text/VexString.h"

namespace Host {

// The analysis settings of one channel.
struct ChannelAnalysisRecord {
    std::int32_t channel = 0;
    bool useSelection = false; // data source: false whole channel, true the selection
    double detectionThreshold = 0.2; // channel units
    double pretriggerTime = 0.001;   // seconds
    double totalTriggerTime = 0.004; // seconds
    std::int32_t signalMode = 0;     // 0 positive, 1 negative spikes
    bool analyzed = false;
    Position rangeStart{0, 0};
    Position rangeEnd{0, 0}; // tick exclusive
    std::int32_t discriminationMode = 1; // 0 monophasic, 1 biphasic
    bool optionFlag = false;
    double optionValue1 = 100.0;
    double defaultFitTolerance = 0.1; // given to new template units
    VEX::String stimulusSource;
    VEX::String referenceSource;

    friend bool operator==(const ChannelAnalysisRecord&, const ChannelAnalysisRecord&) = default;
};

// The document-wide settings.
struct DocumentSettings {
    bool showSpikeMarkers = true;
    bool analyzeWhileSampling = false;
    std::int32_t sourceChannel = 0; // 0-based
    // The version of the settings stream the document writes; a stream of a
    // later version is from a later version of the module.
    std::uint32_t settingsVersion = 0;
};

// A unit as the document keeps it. `kind` is 1 for a template unit, 2 for a
// contour unit, 0 for a unit read from a document and not yet rebuilt.
struct UnitDescription {
    std::int32_t kind = 0;
    std::int32_t number = 0;
    VEX::String name;
    std::int32_t channel = 0;
    std::uint32_t colour = 0; // 0x00BBGGRR
    std::int32_t sourceBlock = kNone;
    std::int32_t sourceTick = kNone;
    double fitTolerance = 0.0;
    std::vector<double> widths;  // contour vertices: width in milliseconds
    std::vector<double> heights; // contour vertices: height in channel units
};

// A spike assigned to a unit by hand; unit -1 excludes it from all units.
struct HandAssignment {
    std::int32_t unit = -1;
    std::int32_t block = 0;
    std::int32_t tick = 0;
    std::int32_t channel = 0;
    std::int32_t tolerance = 0;   // ticks
    std::int32_t spikeIndex = -1; // -1 when not known
};

// One detected spike of the current analysis.
struct SpikeInfo {
    std::int32_t block = 0;
    std::int32_t tick = 0;
    double time = 0.0;    // seconds from the start of the block
    double height = 0.0;  // channel units
    double widthMs = 0.0; // milliseconds
    std::int32_t unit = -1;
};

enum class ViewKind : std::uint32_t {
    AmplitudeHistogram,
    RateMeter,
    InterspikeInterval,
    Autocorrelation,
    CrossCorrelation,
    PeristimulusTime,
    Discriminator,
};

} // namespace Host

// The analysis document's scripting interface: what a script (or the command
// line) may read and change. Changes go through the same routines as the
// menu commands and dialogs, and are reported to the host the same way.
class ISpikeDocInterface : public IUnknown {
public:
    static constexpr IID iid{0x4E524C01, 0x0040, 0x4000, {0x80, 0, 0, 0, 0, 0, 0, 0x40}};

    virtual HRESULT GetDocumentSettings(Host::DocumentSettings* settings) = 0;
    virtual HRESULT SetSourceChannel(std::int32_t channel) = 0;
    virtual HRESULT SetShowSpikeMarkers(bool show) = 0;
    // E_FAIL while the host samples.
    virtual HRESULT SetAnalyzeWhileSampling(bool analyze) = 0;

    // A channel without a record gets one with the defaults.
    virtual HRESULT GetChannelRecord(std::int32_t channel, Host::ChannelAnalysisRecord* record) = 0;
    // Stores the record as it stands, analysing nothing.
    virtual HRESULT SetChannelRecord(const Host::ChannelAnalysisRecord& record) = 0;
    // As the spike settings dialog's OK: stores the record, makes its channel
    // the source channel and analyses it again.
    virtual HRESULT ConfirmSettings(const Host::ChannelAnalysisRecord& record) = 0;
    // The channels that have records, ascending.
    virtual HRESULT GetChannelKeys(std::vector<std::int32_t>* channels) = 0;

    // Every unit of every channel, in the store's order; units read from a
    // document and not yet rebuilt come last, with kind 0.
    virtual HRESULT GetUnits(std::vector<Host::UnitDescription>* units) = 0;
    // A contour unit on a channel, at least three vertices (E_INVALIDARG
    // otherwise); an empty name takes the default naming.
    virtual HRESULT CreateContourUnit(std::int32_t channel, const std::vector<double>& widths,
                                      const std::vector<double>& heights, const VEX::String& name,
                                      std::int32_t* number) = 0;
    // A template unit from a spike of the current analysis (0-based index),
    // with the given fit tolerance.
    virtual HRESULT CreateTemplateUnit(std::int32_t spikeIndex, double fitTolerance, std::int32_t* number) = 0;
    virtual HRESULT DeleteUnit(std::int32_t number) = 0;
    // A unit's name, colour and fit tolerance (finite, not negative); the
    // name must not be empty.
    virtual HRESULT SetUnitProperties(std::int32_t number, const VEX::String& name, std::uint32_t colour,
                                      double fitTolerance) = 0;
    // Replaces a contour unit's vertices (at least three, finite).
    virtual HRESULT SetUnitContour(std::int32_t number, const std::vector<double>& widths,
                                   const std::vector<double>& heights) = 0;
    // Adds a unit as a document would hold it (kind 1 or 2), to be rebuilt
    // when its channel is analysed.
    virtual HRESULT RestoreUnit(const Host::UnitDescription& unit) = 0;
    virtual HRESULT GetSelectedUnit(std::int32_t* unit) = 0;
    virtual HRESULT SetSelectedUnit(std::int32_t unit) = 0;

    // Assigns a spike of the current analysis (0-based index) to a unit
    // number, or excludes it from all units with -1.
    virtual HRESULT AssignSpike(std::int32_t spikeIndex, std::int32_t unit) = 0;
    virtual HRESULT GetHandAssignments(std::vector<Host::HandAssignment>* assignments) = 0;
    virtual HRESULT RestoreHandAssignment(const Host::HandAssignment& assignment) = 0;

    // The spike the user selected (0-based index in the current analysis),
    // -1 when none is. A new analysis clears it.
    virtual HRESULT GetSpikeSelection(std::int32_t* spikeIndex) = 0;
    // Selects a spike of the current analysis; -1 clears the selection.
    virtual HRESULT SetSpikeSelection(std::int32_t spikeIndex) = 0;
    // Whether a spike of the current analysis is excluded from all units.
    virtual HRESULT IsExcluded(std::int32_t spikeIndex, bool* excluded) = 0;
    // Removes a channel's hand assignments and exclusions; S_FALSE when it
    // had none.
    virtual HRESULT ClearEdits(std::int32_t channel) = 0;

    virtual std::int32_t SpikeCount() = 0;
    virtual HRESULT GetSpike(std::int32_t index, Host::SpikeInfo* spike) = 0;

    // Send the analyse and clear requests, as the menu commands do; they run
    // when the host's message system delivers them.
    virtual HRESULT RequestAnalyze() = 0;
    virtual HRESULT RequestClearAnalysis() = 0;

    // Writes the source channel's spikes to a NeuroExplorer file (UTF-8 path).
    virtual HRESULT ExportNex(const VEX::String& path) = 0;

    // Views: open one, and read or change a setting of an open one by name.
    // E_FAIL when no view of that kind is open, E_INVALIDARG for a name or
    // value the view does not take.
    virtual HRESULT OpenView(Host::ViewKind kind) = 0;
    // Closes every view of the document; the host calls it as it closes the
    // document, since open views keep their document alive.
    virtual HRESULT CloseViews() = 0;
    virtual HRESULT SetViewSetting(Host::ViewKind kind, const VEX::String& name, const VEX::String& value) = 0;
    virtual HRESULT GetViewSetting(Host::ViewKind kind, const VEX::String& name, VEX::String* value) = 0;

    // Unit quality: the settings its figures are measured under (kept with
    // the document), and the figures of the source channel's units, measured
    // afresh from the current analysis on every call.
    virtual HRESULT GetQualitySettings(Host::QualitySettings* settings) = 0;
    // E_INVALIDARG, changing nothing, for a period or bin that is not finite
    // and positive or a threshold that is not finite and at least 0.
    virtual HRESULT SetQualitySettings(const Host::QualitySettings& settings) = 0;
    virtual HRESULT GetUnitQuality(std::vector<Host::UnitQuality>* units) = 0;
    // Undo and redo of the unit edits (units made, deleted or changed, hand
    // assignments and exclusions, cleared edits) and of channel records set:
    // each goes back to, or forward to, the settings stream as it stood, and
    // the source channel is analysed again. S_FALSE when there is nothing to
    // undo or redo, E_FAIL while the host samples. Loading a document or
    // clearing the analysis starts a new history.
    virtual HRESULT Undo() = 0;
    virtual HRESULT Redo() = 0;
    virtual bool CanUndo() = 0;
    virtual bool CanRedo() = 0;

protected:
    ~ISpikeDocInterface() = default;
};

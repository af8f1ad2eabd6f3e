// The analysis document's units, hand assignments and spikes, as the
// scripting interface and the views edit and read them, and their export.
#include <algorithm>
#include <cmath>

#include "shell/NexWriter.h"
#include "shell/OutParameter.h"
#include "shell/SpikeDoc.h"

namespace Nerolith {
namespace {

constexpr std::size_t kFewestContourVertices = 3;

} // namespace

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
        units->push_back(unit->Record());
    }
    for (const UnitRecord& record : store_->Units().PendingUnits()) {
        units->push_back(record);
    }
    return S_OK;
}

void SpikeDoc::UnitCreated(std::int32_t number)
{
    const SpikeUnit* unit = store_->Units().Find(number);
    if (unit != nullptr && unit->Channel() == settings_->sourceChannel) {
        views_.AddPane(number);
    }
    selectedUnit_ = number;
    AfterChange();
}

HRESULT SpikeDoc::CreateContourUnit(std::int32_t channel, const std::vector<double>& widths,
                                   const std::vector<double>& heights, const VEX::String& name, std::int32_t* number)
{
    const RecordedEdit edit(*this);
    if (number == nullptr) {
        return E_POINTER;
    }
    // A polygon of fewer than three corners encloses nothing: a unit made
    // of one would silently match no spike.
    if (channel < 0 || widths.size() < kFewestContourVertices || widths.size() != heights.size()) {
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
    const RecordedEdit edit(*this);
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
    const RecordedEdit edit(*this);
    if (!store_->Units().DeleteUnit(number)) {
        return E_INVALIDARG;
    }
    views_.RemovePane(number);
    if (selectedUnit_ == number) {
        selectedUnit_ = -1;
    }
    AfterChange();
    return S_OK;
}

HRESULT SpikeDoc::SetUnitProperties(std::int32_t number, const VEX::String& name, std::uint32_t colour,
                                    double fitTolerance)
{
    const RecordedEdit edit(*this);
    if (name.Empty() || !std::isfinite(fitTolerance) || fitTolerance < 0.0 ||
        !store_->Units().SetProperties(number, name, colour, fitTolerance)) {
        return E_INVALIDARG;
    }
    AfterChange();
    return S_OK;
}

HRESULT SpikeDoc::SetUnitContour(std::int32_t number, const std::vector<double>& widths,
                                 const std::vector<double>& heights)
{
    const RecordedEdit edit(*this);
    const SpikeUnit* unit = store_->Units().Find(number);
    const auto finite = [](const std::vector<double>& values) {
        return std::ranges::all_of(values, [](double v) { return std::isfinite(v); });
    };
    if (unit == nullptr || unit->Kind() != kContourUnit || widths.size() < kFewestContourVertices ||
        widths.size() != heights.size() || !finite(widths) || !finite(heights)) {
        return E_INVALIDARG;
    }
    store_->Units().SetContour(number, widths, heights);
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
    store_->Units().AddPendingUnit(unit);
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
    const RecordedEdit edit(*this);
    if (!ValidSpikeIndex(spikeIndex)) {
        return E_INVALIDARG;
    }
    // A unit of another channel would never meet this spike in classification.
    if (const SpikeUnit* target = store_->Units().Find(unit); unit != -1 && (target == nullptr || target->Channel() != analysedChannel_)) {
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

HRESULT SpikeDoc::GetSpikeSelection(std::int32_t* spikeIndex)
{
    return Fill(spikeIndex, selectedSpike_ ? static_cast<std::int32_t>(selectedSpike_->index) : -1);
}

HRESULT SpikeDoc::SetSpikeSelection(std::int32_t spikeIndex)
{
    if (spikeIndex == -1) {
        selectedSpike_.reset();
    } else if (ValidSpikeIndex(spikeIndex)) {
        const auto index = static_cast<std::size_t>(spikeIndex);
        selectedSpike_ = SpikeSelection{index, store_->Spikes().Positions()[index], analysedChannel_};
    } else {
        return E_INVALIDARG;
    }
    SendDocumentChanged();
    return S_OK;
}

HRESULT SpikeDoc::IsExcluded(std::int32_t spikeIndex, bool* excluded)
{
    if (!ValidSpikeIndex(spikeIndex)) {
        return E_INVALIDARG;
    }
    return Fill(excluded, store_->Units().Assignments().IsExcluded(spikeIndex));
}

HRESULT SpikeDoc::ClearEdits(std::int32_t channel)
{
    const RecordedEdit edit(*this);
    if (channel < 0) {
        return E_INVALIDARG;
    }
    if (!store_->Units().Assignments().RemoveChannel(channel)) {
        return S_FALSE;
    }
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
    const auto positions = store_->Spikes().Positions();
    for (std::size_t i = 0; i < positions.size(); ++i) {
        if (positions[i] == position) {
            return i;
        }
    }
    return std::nullopt;
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
    if (recording_) {
        SetRecordingExtent(input, *recording_, analysedChannel_);
    }
    return WriteNex(input, path.ToUtf8());
}

} // namespace Nerolith

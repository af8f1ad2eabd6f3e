#include "detection/UnitCatalog.h"

#include <algorithm>
#include <string>

#include <boost/make_shared.hpp>

#include "detection/ContourUnit.h"
#include "detection/Expressions.h"
#include "detection/GrafoBuffer.h"
#include "detection/HostAccess.h"
#include "detection/TemplateUnit.h"
#include "detection/UnitPalette.h"
#include "platform/com/BinStream.h"

namespace Nerolith {
namespace {

// The smallest unit record: nine words, a double and a byte-count string.
constexpr std::uint32_t kSmallestUnitRecordBytes = 48;

} // namespace

UnitCatalog::UnitCatalog(SpikeStoreOwner* owner) : owner_(owner)
{
}

std::vector<UnitSummary> UnitCatalog::List(std::optional<std::int32_t> channel) const
{
    std::vector<UnitSummary> list;
    for (const UnitPtr& unit : units_) {
        if (!channel || unit->Channel() == *channel) {
            list.push_back({unit->Name(), unit->Number()});
        }
    }
    return list;
}

std::optional<UnitInfo> UnitCatalog::Info(std::int32_t number) const
{
    const SpikeUnit* unit = Find(number);
    if (!unit) {
        return std::nullopt;
    }
    return UnitInfo{unit->Name(), unit->Colour(), unit->FitTolerance(), unit->Kind()};
}

const SpikeUnit* UnitCatalog::Find(std::int32_t number) const
{
    const auto found = std::find_if(units_.begin(), units_.end(),
                                    [number](const UnitPtr& unit) { return unit->Number() == number; });
    return found == units_.end() ? nullptr : found->get();
}

SpikeUnit* UnitCatalog::FindMutable(std::int32_t number)
{
    return const_cast<SpikeUnit*>(Find(number));
}

std::int32_t UnitCatalog::NextNumber() const
{
    std::int64_t next = units_.empty() ? 0 : std::int64_t{units_.back()->Number()} + 1;
    for (const UnitRecord& record : pending_) {
        next = std::max(next, std::int64_t{record.number} + 1);
    }
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(next, 0, INT32_MAX));
}

bool UnitCatalog::NameTaken(const VEX::String& name) const
{
    return std::any_of(units_.begin(), units_.end(), [&](const UnitPtr& u) { return u->Name() == name; }) ||
           std::any_of(pending_.begin(), pending_.end(), [&](const UnitRecord& r) { return r.name == name; });
}

// "Unit" and the first number from number + 1 on that no unit is named by.
VEX::String UnitCatalog::FreeName(std::int32_t number) const
{
    for (std::int64_t n = std::int64_t{number} + 1;; ++n) {
        VEX::String name = VEX::String::FromUtf8("Unit" + std::to_string(n));
        if (!NameTaken(name)) {
            return name;
        }
    }
}

UnitRecord UnitCatalog::NewRecord(std::int32_t channel) const
{
    UnitRecord record;
    record.number = NextNumber();
    record.name = FreeName(record.number);
    record.colour = UnitColour(record.number);
    record.channel = channel;
    return record;
}

std::optional<std::vector<float>> UnitCatalog::ReadTemplate(std::int32_t channel, Host::Position spike,
                                                            TemplateWindow window) const
{
    if (window.totalTriggerTicks <= 0) {
        return std::nullopt;
    }
    const auto start = static_cast<std::int32_t>(
        std::max<std::int64_t>(0, std::int64_t{spike.tick} - window.pretriggerTicks));
    std::vector<float> waveform(static_cast<std::size_t>(window.totalTriggerTicks));
    GrafoBuffer buffer(HostCalcOf(owner_).Get(), channel);
    if (!buffer.Fill(waveform, start, spike.block)) {
        return std::nullopt;
    }
    return waveform;
}

std::optional<std::int32_t> UnitCatalog::NewTemplateUnit(std::int32_t channel, Host::Position spike,
                                                         TemplateWindow window, double fitTolerance)
{
    std::optional<std::vector<float>> waveform = ReadTemplate(channel, spike, window);
    if (!waveform) {
        return std::nullopt;
    }
    UnitRecord record = NewRecord(channel);
    record.sourceBlock = spike.block;
    record.sourceTick = spike.tick;
    record.fitTolerance = fitTolerance;
    const std::int32_t number = record.number;
    Append(boost::make_shared<TemplateUnit>(std::move(record), std::move(*waveform)));
    return number;
}

std::int32_t UnitCatalog::NewContourUnit(std::int32_t channel, std::vector<double> widths,
                                         std::vector<double> heights)
{
    UnitRecord record = NewRecord(channel);
    record.widths = std::move(widths);
    record.heights = std::move(heights);
    const std::int32_t number = record.number;
    Append(boost::make_shared<ContourUnit>(std::move(record)));
    return number;
}

bool UnitCatalog::SetContour(std::int32_t number, std::vector<double> widths, std::vector<double> heights)
{
    SpikeUnit* unit = FindMutable(number);
    if (unit) {
        unit->SetContour(std::move(widths), std::move(heights));
    }
    return unit != nullptr;
}

bool UnitCatalog::SetProperties(std::int32_t number, const VEX::String& name, std::uint32_t colour,
                                double fitTolerance)
{
    SpikeUnit* unit = FindMutable(number);
    if (!unit) {
        return false;
    }
    unit->SetProperties(name, colour, fitTolerance);
    // The host lists the source under its name; a changed unit re-announces it.
    const ComPtr<IHostCalc> calc = HostCalcOf(owner_);
    if (calc && unit->HasSource()) {
        calc->RenameEventSource(unit->SourceId1(), unit->SourceId2(), UnitSourceName(number));
    }
    return true;
}

bool UnitCatalog::DeleteUnit(std::int32_t number)
{
    const auto found = std::find_if(units_.begin(), units_.end(),
                                    [number](const UnitPtr& unit) { return unit->Number() == number; });
    if (found == units_.end()) {
        return false;
    }
    WithdrawSource(**found);
    units_.erase(found);
    // A later unit may get the same number; it must not inherit the spikes
    // assigned by hand to this one.
    assignments_.RemoveUnit(number);
    return true;
}

void UnitCatalog::DeleteUnits(std::int32_t channel)
{
    std::erase_if(units_, [&](const UnitPtr& unit) {
        if (unit->Channel() != channel) {
            return false;
        }
        WithdrawSource(*unit);
        return true;
    });
    std::erase_if(pending_, [channel](const UnitRecord& record) { return record.channel == channel; });
    channelIdentifiers_.erase(channel);
}

void UnitCatalog::SetChannelIdentifiers(std::int32_t channel, std::int32_t id1, std::int32_t id2)
{
    channelIdentifiers_[channel] = {id1, id2};
}

std::optional<std::pair<std::int32_t, std::int32_t>> UnitCatalog::ChannelIdentifiers(std::int32_t channel) const
{
    const auto found = channelIdentifiers_.find(channel);
    if (found == channelIdentifiers_.end()) {
        return std::nullopt;
    }
    return found->second;
}

void UnitCatalog::WriteUnits(VEX::BinOStream& out) const
{
    out.WriteUInt32(static_cast<std::uint32_t>(units_.size() + pending_.size()));
    for (const UnitPtr& unit : units_) {
        WriteUnitRecord(out, unit->Record());
    }
    for (const UnitRecord& record : pending_) {
        WriteUnitRecord(out, record);
    }
}

void UnitCatalog::ReadUnits(VEX::BinIStream& in)
{
    pending_.clear();
    std::uint32_t count = 0;
    in.ReadCount(count, kSmallestUnitRecordBytes);
    for (std::uint32_t i = 0; i < count && in.Good(); ++i) {
        UnitRecord record;
        if (ReadUnitRecord(in, record)) {
            pending_.push_back(std::move(record));
        }
    }
}

std::size_t UnitCatalog::RebuildPendingUnits(std::int32_t channel, TemplateWindow window)
{
    std::size_t rebuilt = 0;
    for (auto it = pending_.begin(); it != pending_.end();) {
        if (it->channel == channel && Rebuild(*it, window)) {
            it = pending_.erase(it);
            ++rebuilt;
        } else {
            ++it;
        }
    }
    return rebuilt;
}

// Keeps the record's number, so that hand assignments and spikes still name
// the same unit after a reload.
bool UnitCatalog::Rebuild(const UnitRecord& record, TemplateWindow window)
{
    if (record.number < 0 || Find(record.number)) {
        return false;
    }
    if (record.kind == kContourUnit) {
        Append(boost::make_shared<ContourUnit>(record));
        return true;
    }
    if (record.kind == kTemplateUnit) {
        std::optional<std::vector<float>> waveform =
            ReadTemplate(record.channel, {record.sourceTick, record.sourceBlock}, window);
        if (waveform) {
            Append(boost::make_shared<TemplateUnit>(record, std::move(*waveform)));
            return true;
        }
    }
    return false;
}

void UnitCatalog::Append(UnitPtr unit)
{
    RegisterSource(*unit);
    units_.push_back(std::move(unit));
}

// The unit's source selects its spikes from the channel's spike source; it
// can only be named once the channel's source is known to the store.
void UnitCatalog::RegisterSource(SpikeUnit& unit) const
{
    const ComPtr<IHostCalc> calc = HostCalcOf(owner_);
    const auto ids = ChannelIdentifiers(unit.Channel());
    VEX::String spikeSource;
    if (!calc || !ids || Failed(calc->EventSourceName(ids->first, ids->second, &spikeSource))) {
        return;
    }
    std::int32_t id1 = SpikeUnit::kNoSource1;
    std::int32_t id2 = SpikeUnit::kNoSource2;
    if (Succeeded(calc->RegisterEventSource(UnitSourceName(unit.Number()),
                                            UnitSelectorExpression(spikeSource, unit.Number()), &id1, &id2))) {
        unit.SetSource(id1, id2);
    }
}

void UnitCatalog::WithdrawSource(SpikeUnit& unit) const
{
    const ComPtr<IHostCalc> calc = HostCalcOf(owner_);
    if (calc && unit.HasSource()) {
        calc->WithdrawEventSource(unit.SourceId1(), unit.SourceId2());
    }
    unit.ClearSource();
}

} // namespace Nerolith

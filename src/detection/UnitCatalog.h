#pragma once

#include <cstdint>
#include <deque>
#include <map>
#include <optional>
#include <utility>
#include <vector>

#include <boost/shared_ptr.hpp>

#include "detection/HandAssignments.h"
#include "detection/SpikeUnit.h"
#include "detection/UnitRecord.h"
#include "host/HostTypes.h"

namespace VEX {
class BinIStream;
class BinOStream;
} // namespace VEX

namespace Nerolith {

class SpikeStoreOwner;

struct UnitSummary {
    VEX::String name;
    std::int32_t number = 0;
};

struct UnitInfo {
    VEX::String name;
    std::uint32_t colour = 0;
    double fitTolerance = 0.0;
    std::int32_t kind = kPendingUnit;
};

// The spike window of a channel in ticks, for reading templates back.
struct TemplateWindow {
    std::int32_t pretriggerTicks = 0;
    std::int32_t totalTriggerTicks = 0;
};

// The units and hand assignments of every channel, with the units read from
// a document and not yet rebuilt. Each unit is offered to the host as an
// event source named UnitSourceName(number) that selects the unit's spikes
// from its channel's spike source.
class UnitCatalog {
public:
    using UnitPtr = boost::shared_ptr<SpikeUnit>;

    explicit UnitCatalog(SpikeStoreOwner* owner);
    // The owner is going away: later operations reach no host.
    void DetachOwner() { owner_ = nullptr; }

    // In creation order, which decides ties in classification.
    const std::deque<UnitPtr>& Units() const { return units_; }
    // Names and numbers of the channel's units (all units without one).
    std::vector<UnitSummary> List(std::optional<std::int32_t> channel = std::nullopt) const;
    std::optional<UnitInfo> Info(std::int32_t number) const;
    const SpikeUnit* Find(std::int32_t number) const;
    // One more than the last unit's number (0 for none), and above every
    // unit still waiting to be rebuilt.
    std::int32_t NextNumber() const;

    // A template unit from the spike at `spike` on the channel: its window
    // read back from the host, starting `pretriggerTicks` before it but not
    // before tick 0. Its number, or none when the host gives no samples.
    std::optional<std::int32_t> NewTemplateUnit(std::int32_t channel, Host::Position spike,
                                                TemplateWindow window, double fitTolerance);
    // A contour unit from the vertices (width ms, height); its number.
    std::int32_t NewContourUnit(std::int32_t channel, std::vector<double> widths, std::vector<double> heights);
    // These return false and change nothing when no unit has the number.
    bool SetContour(std::int32_t number, std::vector<double> widths, std::vector<double> heights);
    bool SetProperties(std::int32_t number, const VEX::String& name, std::uint32_t colour, double fitTolerance);
    bool DeleteUnit(std::int32_t number);
    // Deletes the channel's units (pending ones too) and forgets its spike
    // source identifiers.
    void DeleteUnits(std::int32_t channel);

    // The host's identifiers of a channel's spike event source.
    void SetChannelIdentifiers(std::int32_t channel, std::int32_t id1, std::int32_t id2);
    std::optional<std::pair<std::int32_t, std::int32_t>> ChannelIdentifiers(std::int32_t channel) const;

    HandAssignments& Assignments() { return assignments_; }
    const HandAssignments& Assignments() const { return assignments_; }

    // Writes the unit list: the live units, then those not yet rebuilt, so
    // that saving before an analysis loses none.
    void WriteUnits(VEX::BinOStream& out) const;
    // Replaces the pending units with the unit list of the stream; a record
    // cut short by the end of the stream is dropped.
    void ReadUnits(VEX::BinIStream& in);
    const std::deque<UnitRecord>& PendingUnits() const { return pending_; }
    // Adds a unit as a document holds it, to be rebuilt with its channel.
    void AddPendingUnit(UnitRecord record) { pending_.push_back(std::move(record)); }
    void ReplacePendingUnits(std::deque<UnitRecord> records) { pending_ = std::move(records); }
    // Rebuilds the channel's pending units now that its data is there; a
    // record that cannot be rebuilt (no samples for its template, a number
    // already taken, an unknown kind) stays pending. Returns how many were
    // rebuilt.
    std::size_t RebuildPendingUnits(std::int32_t channel, TemplateWindow window);

private:
    SpikeUnit* FindMutable(std::int32_t number);
    VEX::String FreeName(std::int32_t number) const;
    bool NameTaken(const VEX::String& name) const;
    UnitRecord NewRecord(std::int32_t channel) const;
    std::optional<std::vector<float>> ReadTemplate(std::int32_t channel, Host::Position spike,
                                                   TemplateWindow window) const;
    bool Rebuild(const UnitRecord& record, TemplateWindow window);
    void Append(UnitPtr unit);
    void RegisterSource(SpikeUnit& unit) const;
    void WithdrawSource(SpikeUnit& unit) const;

    SpikeStoreOwner* owner_;
    std::deque<UnitPtr> units_;
    std::deque<UnitRecord> pending_;
    HandAssignments assignments_;
    std::map<std::int32_t, std::pair<std::int32_t, std::int32_t>> channelIdentifiers_;
};

} // namespace Nerolith

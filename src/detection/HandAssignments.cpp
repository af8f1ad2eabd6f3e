#include "detection/HandAssignments.h"

#include <algorithm>
#include <cstdlib>

#include "platform/com/BinStream.h"

namespace Nerolith {
namespace {

constexpr std::uint32_t kRecordVersion = 3;
constexpr std::uint32_t kFirstVersionWithSpikeIndex = 3;
// Version word and five fields; the spike index came later.
constexpr std::uint32_t kSmallestRecordBytes = 24;

} // namespace

bool HandAssignment::Covers(std::int32_t otherChannel, std::int32_t otherBlock, std::int32_t otherTick) const
{
    return channel == otherChannel && block == otherBlock &&
           std::llabs(std::int64_t{tick} - otherTick) <= std::int64_t{tolerance};
}

HandAssignment* HandAssignments::Covering(std::int32_t channel, std::int32_t block, std::int32_t tick)
{
    const auto found = std::find_if(records_.begin(), records_.end(),
                                    [&](const HandAssignment& r) { return r.Covers(channel, block, tick); });
    return found == records_.end() ? nullptr : &*found;
}

void HandAssignments::Add(const HandAssignment& assignment)
{
    if (HandAssignment* existing = Covering(assignment.channel, assignment.block, assignment.tick)) {
        *existing = assignment;
    } else {
        records_.push_back(assignment);
    }
}

bool HandAssignments::RemoveChannel(std::int32_t channel)
{
    return std::erase_if(records_, [channel](const HandAssignment& r) { return r.channel == channel; }) > 0;
}

bool HandAssignments::RemoveUnit(std::int32_t unit)
{
    return unit >= 0 && std::erase_if(records_, [unit](const HandAssignment& r) { return r.unit == unit; }) > 0;
}

bool HandAssignments::IsExcluded(std::int32_t spikeIndex) const
{
    return spikeIndex >= 0 && std::any_of(records_.begin(), records_.end(), [spikeIndex](const HandAssignment& r) {
               return r.unit < 0 && r.spikeIndex == spikeIndex;
           });
}

const HandAssignment* HandAssignments::Match(std::int32_t channel, std::int32_t block, std::int32_t tick,
                                             std::int32_t halfWindow)
{
    HandAssignment* record = Covering(channel, block, tick);
    if (record) {
        record->tolerance = halfWindow;
    }
    return record;
}

void HandAssignments::Write(VEX::BinOStream& out) const
{
    out.WriteUInt32(static_cast<std::uint32_t>(records_.size()));
    for (const HandAssignment& r : records_) {
        out.WriteUInt32(kRecordVersion);
        out.WriteInt32(r.unit);
        out.WriteInt32(r.block);
        out.WriteInt32(r.tick);
        out.WriteInt32(r.channel);
        out.WriteInt32(r.tolerance);
        out.WriteInt32(r.spikeIndex);
    }
}

void HandAssignments::Read(VEX::BinIStream& in)
{
    records_.clear();
    std::uint32_t count = 0;
    in.ReadCount(count, kSmallestRecordBytes);
    for (std::uint32_t i = 0; i < count && in.Good(); ++i) {
        std::uint32_t version = 0;
        HandAssignment r;
        in.ReadUInt32(version);
        in.ReadInt32(r.unit);
        in.ReadInt32(r.block);
        in.ReadInt32(r.tick);
        in.ReadInt32(r.channel);
        in.ReadInt32(r.tolerance);
        if (version >= kFirstVersionWithSpikeIndex) {
            in.ReadInt32(r.spikeIndex);
        }
        if (in.Good()) {
            records_.push_back(r);
        }
    }
}

} // namespace Nerolith

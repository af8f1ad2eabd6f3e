#include "detection/SpikeChannelCalculationSettings.h"

#include "platform/com/BinStream.h"

namespace Nerolith {
namespace {

constexpr std::uint32_t kVersion = 1;

} // namespace

VEX::String SpikeChannelCalculationSettings::ExpressionText() const
{
    if (mode == kInstantaneousFrequency) {
        return VEX::String(u"EventFrequency(") + eventSource + VEX::String(u")");
    }
    return VEX::String(u"eventinterp(") + eventSource + VEX::String(u",1)");
}

void SpikeChannelCalculationSettings::Write(VEX::BinOStream& out) const
{
    out.WriteUInt32(kVersion);
    out.WriteString(eventSource);
    out.WriteInt32(mode);
}

bool SpikeChannelCalculationSettings::Read(VEX::BinIStream& in)
{
    std::uint32_t version = 0;
    in.ReadUInt32(version);
    if (!in.Good() || version == 0 || version > kVersion) {
        return false;
    }
    SpikeChannelCalculationSettings read;
    read.mode = -1;
    in.ReadString(read.eventSource);
    in.ReadInt32(read.mode);
    if (!in.Good() || (read.mode != kUnitSpikes && read.mode != kInstantaneousFrequency)) {
        return false;
    }
    *this = read;
    return true;
}

} // namespace Nerolith

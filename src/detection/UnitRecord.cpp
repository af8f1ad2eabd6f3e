#include "detection/UnitRecord.h"

#include "shell/BinStream.h"

namespace Nerolith {
namespace {

constexpr std::uint32_t kUnitRecordVersion = 2;

void WriteDoubles(VEX::BinOStream& out, const std::vector<double>& values)
{
    out.WriteUInt32(static_cast<std::uint32_t>(values.size()));
    for (const double value : values) {
        out.WriteDouble(value);
    }
}

std::vector<double> ReadDoubles(VEX::BinIStream& in)
{
    std::uint32_t count = 0;
    in.ReadCount(count, sizeof(double));
    std::vector<double> values(count);
    for (double& value : values) {
        in.ReadDouble(value);
    }
    return values;
}

} // namespace

void UnitRecord::Write(VEX::BinOStream& out) const
{
    out.WriteUInt32(kUnitRecordVersion);
    out.WriteUInt32(static_cast<std::uint32_t>(kind));
    out.WriteInt32(number);
    out.WriteString(name);
    out.WriteInt32(channel);
    out.WriteUInt32(colour);
    out.WriteInt32(sourceBlock);
    out.WriteInt32(sourceTick);
    out.WriteDouble(fitTolerance);
    WriteDoubles(out, widths);
    WriteDoubles(out, heights);
}

bool UnitRecord::Read(VEX::BinIStream& in)
{
    std::uint32_t version = 0;
    std::uint32_t kindWord = 0;
    in.ReadUInt32(version);
    in.ReadUInt32(kindWord);
    kind = static_cast<std::int32_t>(kindWord);
    in.ReadInt32(number);
    in.ReadString(name);
    in.ReadInt32(channel);
    in.ReadUInt32(colour);
    in.ReadInt32(sourceBlock);
    in.ReadInt32(sourceTick);
    in.ReadDouble(fitTolerance);
    widths = ReadDoubles(in);
    heights = ReadDoubles(in);
    return in.Good();
}

} // namespace Nerolith

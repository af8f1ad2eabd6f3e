#include "detection/UnitRecord.h"

#include "platform/com/BinStream.h"

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

void WriteUnitRecord(VEX::BinOStream& out, const UnitRecord& record)
{
    out.WriteUInt32(kUnitRecordVersion);
    out.WriteUInt32(static_cast<std::uint32_t>(record.kind));
    out.WriteInt32(record.number);
    out.WriteString(record.name);
    out.WriteInt32(record.channel);
    out.WriteUInt32(record.colour);
    out.WriteInt32(record.sourceBlock);
    out.WriteInt32(record.sourceTick);
    out.WriteDouble(record.fitTolerance);
    WriteDoubles(out, record.widths);
    WriteDoubles(out, record.heights);
}

bool ReadUnitRecord(VEX::BinIStream& in, UnitRecord& record)
{
    std::uint32_t version = 0;
    std::uint32_t kindWord = 0;
    in.ReadUInt32(version);
    in.ReadUInt32(kindWord);
    record.kind = static_cast<std::int32_t>(kindWord);
    in.ReadInt32(record.number);
    in.ReadString(record.name);
    in.ReadInt32(record.channel);
    in.ReadUInt32(record.colour);
    in.ReadInt32(record.sourceBlock);
    in.ReadInt32(record.sourceTick);
    in.ReadDouble(record.fitTolerance);
    record.widths = ReadDoubles(in);
    record.heights = ReadDoubles(in);
    return in.Good();
}

} // namespace Nerolith

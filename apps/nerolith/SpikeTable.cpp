#include "SpikeTable.h"

#include <charconv>
#include <map>
#include <string>

namespace Nerolith::Cli {
namespace {

// A table of hundreds of thousands of lines is built in pieces of this size
// and written a piece at a time: writing it field by field through the
// stream costs more than finding the spikes.
constexpr std::size_t kPieceBytes = 64 * 1024;

// Appends the shortest text that reads back to `value` (the C locale, as
// everywhere in the tables), then `separator`.
template <typename Number>
void Append(std::string& line, Number value, char separator)
{
    char buffer[32];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
    line.append(buffer, end);
    line.push_back(separator);
}

std::map<std::int32_t, std::string> UnitNames(ISpikeDocInterface& analysis)
{
    std::vector<Host::UnitDescription> units;
    analysis.GetUnits(&units);
    std::map<std::int32_t, std::string> names;
    for (const Host::UnitDescription& unit : units) {
        names[unit.number] = unit.name.ToUtf8();
    }
    return names;
}

} // namespace

void WriteSpikeTable(Desk::Session& session, std::ostream& out)
{
    ISpikeDocInterface& analysis = session.Analysis();
    const Desk::Recording& data = session.Host().Data();
    const std::map<std::int32_t, std::string> names = UnitNames(analysis);
    out << "index\tblock\ttick\ttime\theight\twidth_ms\tunit\trecording_time\tunit_name\n";
    std::string piece;
    piece.reserve(kPieceBytes + 256);
    const std::int32_t count = analysis.SpikeCount();
    for (std::int32_t index = 0; index < count; ++index) {
        Host::SpikeInfo spike;
        analysis.GetSpike(index, &spike);
        Append(piece, index, '\t');
        Append(piece, spike.block, '\t');
        Append(piece, spike.tick, '\t');
        Append(piece, spike.time, '\t');
        // Heights and widths are stored as floats; the widened double would
        // show digits that were never measured.
        Append(piece, static_cast<float>(spike.height), '\t');
        Append(piece, static_cast<float>(spike.widthMs), '\t');
        Append(piece, spike.unit, '\t');
        Append(piece, data.BlockStartTime(spike.block) + spike.time, '\t');
        if (const auto name = names.find(spike.unit); name != names.end()) {
            piece += name->second;
        }
        piece.push_back('\n');
        if (piece.size() >= kPieceBytes) {
            out.write(piece.data(), static_cast<std::streamsize>(piece.size()));
            piece.clear();
        }
    }
    out.write(piece.data(), static_cast<std::streamsize>(piece.size()));
}

} // namespace Nerolith::Cli

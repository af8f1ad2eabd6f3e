#include "SpikeTable.h"

#include <bit>
#include <charconv>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>

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

// The shortest text of a number, kept for the next one: where a column
// repeats its value (widths come in whole samples; a block that starts at 0
// gives each spike the same recording time as block time) the number is
// not converted again. Equal bits, equal text.
template <typename Number>
class RepeatedNumber {
public:
    std::string_view Text(Number value)
    {
        using Bits = std::conditional_t<sizeof(Number) == 8, std::uint64_t, std::uint32_t>;
        if (length_ == 0 || std::bit_cast<Bits>(value) != std::bit_cast<Bits>(last_)) {
            last_ = value;
            length_ = static_cast<std::size_t>(std::to_chars(text_, text_ + sizeof text_, value).ptr - text_);
        }
        return {text_, length_};
    }

private:
    Number last_{};
    char text_[32];
    std::size_t length_ = 0;
};

void Append(std::string& line, std::string_view text, char separator)
{
    line += text;
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
    RepeatedNumber<double> time;
    RepeatedNumber<float> width;
    const std::int32_t count = analysis.SpikeCount();
    for (std::int32_t index = 0; index < count; ++index) {
        Host::SpikeInfo spike;
        analysis.GetSpike(index, &spike);
        Append(piece, index, '\t');
        Append(piece, spike.block, '\t');
        Append(piece, spike.tick, '\t');
        Append(piece, time.Text(spike.time), '\t');
        // Heights and widths are stored as floats; the widened double would
        // show digits that were never measured.
        Append(piece, static_cast<float>(spike.height), '\t');
        Append(piece, width.Text(static_cast<float>(spike.widthMs)), '\t');
        Append(piece, spike.unit, '\t');
        Append(piece, time.Text(data.BlockStartTime(spike.block) + spike.time), '\t');
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
